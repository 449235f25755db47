// run-with-xvfb PROGRAM [ARGUMENTS...]: runs the program with DISPLAY pointing at a
// private Xvfb of its own (the harness's), and ends with the program's status. For test
// programs that cannot start a server themselves, such as Windows programs under Wine.
#include "tests/x11/x11_harness.h"
// (keep this order)
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: run-with-xvfb PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  std::string whyNot;
  if (!x11test::startXvfb(&whyNot)) {
    std::fprintf(stderr, "run-with-xvfb: %s\n", whyNot.c_str());
    return 2;
  }
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return 2;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
