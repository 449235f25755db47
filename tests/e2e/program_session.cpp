#include "tests/e2e/program_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace e2e {
namespace {

// The program's window may vanish between two requests (the program ends); such errors
// are expected here and must not end the test process.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

bool isViewable(Display* display, Window window) {
  XSync(display, False);
  auto previous = XSetErrorHandler(ignoreErrors);
  XWindowAttributes attributes{};
  bool viewable = XGetWindowAttributes(display, window, &attributes) &&
                  attributes.map_state == IsViewable;
  XSync(display, False);
  XSetErrorHandler(previous);
  return viewable;
}

// In the sanitized build the program ends (Escape, close) with Mesa's software rasteriser
// loaded; allocations of its already unloaded driver then reach the leak checker without a
// stack to blame or suppress. The end-to-end tests check behaviour; leaks of the project's
// own code are checked by the unit and driver suites, which run with leak detection on.
void allowForeignLeaksAtExit() {
  const char* inherited = std::getenv("ASAN_OPTIONS");
  std::string options = inherited != nullptr ? inherited : "";
  if (!options.empty()) options += ":";
  options += "detect_leaks=0";
  setenv("ASAN_OPTIONS", options.c_str(), 1);
}

// In the child: the command's environment, then its program; never returns.
[[noreturn]] void execCommand(const ProgramCommand& command) {
  for (const std::string& setting : command.environment)
    putenv(strdup(setting.c_str()));  // the child's own copy, kept for exec
  std::vector<char*> argv;
  for (const std::string& each : command.argv) argv.push_back(const_cast<char*>(each.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace

const char* const kTitle = "Diagrama Voronogo. Velmarosh k-23";

int runWithoutDisplay(std::string* standardError) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeEnds[1], STDERR_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    unsetenv("DISPLAY");
    execCommand(programUnderTest());
  }
  close(pipeEnds[1]);
  standardError->clear();
  char buffer[256];
  ssize_t got;
  // The program ends without a display, closing the pipe; reading to the end waits for it.
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
    standardError->append(buffer, static_cast<size_t>(got));
  close(pipeEnds[0]);
  int raw = 0;
  bool ended = ProgramSession::waitFor([&] { return waitpid(pid, &raw, WNOHANG) == pid; }, 10000);
  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
  }
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

ProgramSession::~ProgramSession() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (display_ != nullptr && command_.afterEnd) command_.afterEnd();
}

void ProgramSession::stop() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  if (display_ != nullptr && command_.afterEnd) command_.afterEnd();
  // The next session must not find this program's window.
  if (display_ != nullptr)
    waitFor([&] { return x11test::findWindowByTitle(display_, kTitle) == 0; }, 5000);
  display_ = nullptr;
}

bool ProgramSession::start(Display* display, std::string* whyNot) {
  if (!launch(display)) {
    *whyNot = "fork failed";
    return false;
  }
  bool shown = waitFor(
      [&] {
        window_ = x11test::findWindowByTitle(display_, kTitle);
        return window_ != 0 && isViewable(display_, window_);
      },
      command_.windowTimeoutMs);
  if (!shown)
    *whyNot = "the window did not appear within " +
              std::to_string(command_.windowTimeoutMs / 1000) + " s";
  return shown;
}

bool ProgramSession::launch(Display* display) {
  display_ = display;
  pid_ = fork();
  if (pid_ < 0) return false;
  if (pid_ == 0) {
    setenv("DISPLAY", x11test::displayName().c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    allowForeignLeaksAtExit();
    if (!standardErrorPath_.empty()) {
      int file = open(standardErrorPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (file >= 0) dup2(file, STDERR_FILENO);
    }
    execCommand(command_);
  }
  return true;
}

Window ProgramSession::window() const { return window_; }

x11test::Geometry ProgramSession::geometry() const {
  x11test::Geometry g{0, 0, 0, 0};
  x11test::windowGeometry(display_, window(), &g);
  return g;
}

void ProgramSession::click(int x, int y) const {
  x11test::Geometry g = geometry();
  x11test::movePointer(display_, g.x + x, g.y + y);
  x11test::clickButton(display_, 1);
}

void ProgramSession::key(KeySym keysym) const {
  // Without a window manager the keyboard follows the pointer: keep it over the window.
  x11test::Geometry g = geometry();
  x11test::movePointer(display_, g.x + g.width / 2, g.y + g.height / 2);
  x11test::tapKey(display_, keysym);
}

void ProgramSession::closeAsAWindowManagerWould() const {
  x11test::sendWmDeleteWindow(display_, window());
}

x11test::Rgb ProgramSession::pixel(int x, int y) const {
  std::vector<x11test::Rgb> one = x11test::readPixels(display_, window(), x, y, 1, 1);
  return one.empty() ? x11test::Rgb{1, 2, 3} : one[0];
}

int ProgramSession::countColour(int x, int y, int width, int height,
                                x11test::Rgb colour) const {
  int n = 0;
  for (const x11test::Rgb& p : x11test::readPixels(display_, window(), x, y, width, height))
    if (p == colour) ++n;
  return n;
}

std::vector<int> ProgramSession::rowsOfColour(int x, x11test::Rgb colour) const {
  std::vector<int> rows;
  x11test::Geometry g = geometry();
  std::vector<x11test::Rgb> column = x11test::readPixels(display_, window(), x, 0, 1, g.height);
  for (size_t i = 0; i < column.size(); ++i)
    if (column[i] == colour) rows.push_back(static_cast<int>(i));
  return rows;
}

bool ProgramSession::waitFor(const std::function<bool()>& condition, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

bool ProgramSession::pause() const {
  if (pid_ <= 0 || kill(pid_, SIGSTOP) != 0) return false;
  int raw = 0;
  return waitpid(pid_, &raw, WUNTRACED) == pid_ && WIFSTOPPED(raw);
}

void ProgramSession::resume() const {
  if (pid_ > 0) kill(pid_, SIGCONT);
}

bool ProgramSession::waitForExit(int timeoutMs, int* status) {
  if (pid_ <= 0) return false;
  int raw = 0;
  bool ended = waitFor([&] { return waitpid(pid_, &raw, WNOHANG) == pid_; }, timeoutMs);
  if (!ended) return false;
  pid_ = -1;
  *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  return true;
}

}  // namespace e2e
