// The private X server of a test process. Xvfb picks a free display number itself
// (-displayfd) and writes it to a pipe once it listens, so parallel test processes never
// race for a number.
#include "tests/x11/x11_harness.h"  // first: it orders GoogleTest before Xlib

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace x11test {
namespace {

struct Server {
  std::vector<std::string> extraArguments;
  pid_t pid = -1;
  std::string display;
  bool tried = false;
  std::string failure;
  ~Server() { stop(); }

  void stop() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
      if (waitpid(pid, nullptr, WNOHANG) == pid) {
        pid = -1;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
  }
};

Server& server() {
  static Server instance;
  return instance;
}

// -noreset: the server would otherwise reset, refusing connections for a moment, each
// time its last client leaves, as happens between two tests.
[[noreturn]] void execXvfb(int displayFd, const std::vector<std::string>& extraArguments) {
  // Take the server down with us if the test process dies without cleaning up.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  int quiet = open("/dev/null", O_WRONLY);
  if (quiet >= 0) {
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
  }
  std::string fd = std::to_string(displayFd);
  std::vector<const char*> argv = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0",
                                   "1280x1024x24", "-nolisten", "tcp", "-noreset"};
  for (const std::string& argument : extraArguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  execvp("Xvfb", const_cast<char* const*>(argv.data()));
  _exit(127);
}

// Reads the display number Xvfb writes once it is ready; empty on failure or timeout.
std::string readDisplayNumber(int fd, pid_t pid, std::string* whyNot) {
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd readable{fd, POLLIN, 0};
    int ready = poll(&readable, 1, 100);
    if (ready < 0 && errno != EINTR) break;
    if (ready > 0) {
      char buffer[32];
      ssize_t got = read(fd, buffer, sizeof buffer);
      if (got <= 0) break;  // closed: the server exited
      number.append(buffer, static_cast<size_t>(got));
      if (number.find('\n') != std::string::npos) return number.substr(0, number.find('\n'));
    }
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      *whyNot = WIFEXITED(status) && WEXITSTATUS(status) == 127
                    ? "Xvfb is not installed (not found on PATH)"
                    : "Xvfb exited before accepting connections";
      return "";
    }
  }
  if (whyNot->empty()) *whyNot = "Xvfb did not report a display number within 20 s";
  return "";
}

bool start(Server& s) {
  int fds[2];
  if (pipe(fds) != 0) {
    s.failure = "pipe() failed";
    return false;
  }
  pid_t pid = fork();
  if (pid < 0) {
    s.failure = "fork() failed";
    return false;
  }
  if (pid == 0) {
    close(fds[0]);
    execXvfb(fds[1], s.extraArguments);
  }
  close(fds[1]);
  s.pid = pid;
  std::string number = readDisplayNumber(fds[0], pid, &s.failure);
  close(fds[0]);
  if (number.empty()) {
    s.stop();
    return false;
  }
  s.display = ":" + number;
  setenv("DISPLAY", s.display.c_str(), 1);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);

  // Ready by its own word; still, confirm that a client gets in.
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (Display* probe = XOpenDisplay(s.display.c_str())) {
      XCloseDisplay(probe);
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  s.failure = "Xvfb on " + s.display + " refused connections";
  s.stop();
  s.display.clear();
  return false;
}

}  // namespace

bool startXvfb(std::string* whyNot) {
  Server& s = server();
  if (!s.tried) {
    s.tried = true;
    start(s);
  }
  if (s.display.empty() && whyNot != nullptr) *whyNot = s.failure;
  return !s.display.empty();
}

const std::string& displayName() { return server().display; }

void stopXvfb() {
  server().stop();
  server().display.clear();
  server().failure.clear();
  server().tried = false;
}

void setXvfbArguments(const std::vector<std::string>& extraArguments) {
  server().extraArguments = extraArguments;
}

Display* openDisplay() {
  if (displayName().empty()) return nullptr;
  return XOpenDisplay(displayName().c_str());
}

void XvfbTest::SetUp() {
  std::string whyNot;
  if (!startXvfb(&whyNot)) GTEST_SKIP() << "no X server for this test: " << whyNot;
  display_ = openDisplay();
  ASSERT_NE(display_, nullptr) << "cannot connect to " << displayName();
}

void XvfbTest::TearDown() {
  if (display_ != nullptr) XCloseDisplay(display_);
  display_ = nullptr;
}

}  // namespace x11test
