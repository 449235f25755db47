// voronoi-sweep-message CAPTION TEXT KIND: shows one modal message box with an OK button
// through SDL2's simple message box (KIND is error, warning or information) and exits 0
// once it has been closed, 1 when SDL cannot show it, 2 on a wrong command line.
//
// The X11 driver starts this program afresh (posix_spawn) for every box rather than
// forking itself: after a fork in a process whose GL driver runs threads, the child may
// only make async-signal-safe calls until it executes a new program, and SDL and Xlib are
// not such calls.
#include <SDL2/SDL.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstring>

namespace {

pid_t helper = 0;

// SDL shows the box in a child process of its own. That child must end with this process
// as this process ends with the program; a parent death signal is not inherited.
void endWithTheHelper() {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != helper) _exit(1);  // the helper ended before the line above
}

bool flagsOfKind(const char* kind, Uint32* flags) {
  if (std::strcmp(kind, "error") == 0) {
    *flags = SDL_MESSAGEBOX_ERROR;
  } else if (std::strcmp(kind, "warning") == 0) {
    *flags = SDL_MESSAGEBOX_WARNING;
  } else if (std::strcmp(kind, "information") == 0) {
    *flags = SDL_MESSAGEBOX_INFORMATION;
  } else {
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Uint32 flags = 0;
  if (argc != 4 || !flagsOfKind(argv[3], &flags)) return 2;
  // A box whose program has been killed must not stay on the screen waiting for a click
  // nobody waits for. (When the program loses its display it ends this process itself.)
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  helper = getpid();
  pthread_atfork(nullptr, nullptr, endWithTheHelper);
  return SDL_ShowSimpleMessageBox(flags, argv[1], argv[2], nullptr) == 0 ? 0 : 1;
}
