// The real program under the harness's Xvfb: started as a child process, found by its
// title, driven with XTest at client-relative positions, read back pixel by pixel.
#pragma once

#include "tests/x11/x11_harness.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

extern const char* const kTitle;

// How a program under test is started, and what puts away what it leaves behind.
struct ProgramCommand {
  std::vector<std::string> argv;         // argv[0] is the executable's path
  std::vector<std::string> environment;  // NAME=value, added to the test's own
  std::function<void()> afterEnd;        // run once the program has ended; may be empty
  // Whether the window system gives the window a frame of its own, which the client area
  // at the screen's corner pushes partly off the screen. Wine does, and with no window
  // manager it shifts such a window's X window back onto the screen by about a frame.
  bool framesItself = false;
  // How long start() waits for the window to appear (a program under valgrind needs longer).
  int windowTimeoutMs = 20000;
};

// The program this test binary drives: the native one (native_program.cpp), or another
// build of it (the Windows one under Wine).
const ProgramCommand& programUnderTest();
// The native program, for tests that drive both.
const ProgramCommand& nativeProgram();

// Runs the program with no display to connect to; returns its exit status (-1 when it did
// not end within 10 s) and what it wrote to standard error.
int runWithoutDisplay(std::string* standardError);

class ProgramSession {
 public:
  ProgramSession() : command_(programUnderTest()) {}
  explicit ProgramSession(ProgramCommand command) : command_(std::move(command)) {}
  ~ProgramSession();
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  // Starts the program and waits until its window is mapped; false (with the reason) when
  // it did not appear.
  bool start(Display* display, std::string* whyNot);
  // Only starts the program; false when it could not be.
  bool launch(Display* display);
  // Before start: the program's standard error goes to this file (created or emptied).
  void sendStandardErrorTo(const std::string& path) { standardErrorPath_ = path; }
  // The program's window.
  Window window() const;
  // Ends the program if it still runs and waits until its window is gone. Call it while
  // the display is still open.
  void stop();

  // The client area's top-left corner on the screen and its size.
  x11test::Geometry geometry() const;

  // Input at client pixels (x right, y down), as a person would give it.
  void click(int x, int y) const;
  void key(KeySym keysym) const;
  // The close a window manager sends: WM_DELETE_WINDOW in a WM_PROTOCOLS client message.
  void closeAsAWindowManagerWould() const;

  x11test::Rgb pixel(int x, int y) const;
  // How many pixels of this colour lie in the rectangle.
  int countColour(int x, int y, int width, int height, x11test::Rgb colour) const;
  // The client rows (top first) whose pixel at column x has this colour.
  std::vector<int> rowsOfColour(int x, x11test::Rgb colour) const;

  // Polls the condition every 50 ms until it holds or the time is up.
  static bool waitFor(const std::function<bool()>& condition, int timeoutMs);

  // Holds the program still (SIGSTOP, returning once it has stopped) and lets it go on
  // (SIGCONT): a recording reads each frame while the program cannot draw the next one.
  bool pause() const;
  void resume() const;

  // Waits for the program to end; true with its exit status when it did in time.
  bool waitForExit(int timeoutMs, int* status);
  bool running() const { return pid_ > 0; }

 private:
  ProgramCommand command_;
  Display* display_ = nullptr;
  Window window_ = 0;
  pid_t pid_ = -1;
  std::string standardErrorPath_;
};

}  // namespace e2e
