// Leaks and memory errors of the real program, end to end: the native program under
// valgrind's memcheck (--leak-check=full; any error, a leak among them, fails the run) on
// the harness's own Xvfb, ended by Escape after clicks and a short sweep, and by the window
// manager's close. The only suppressions are those of valgrind.supp beside this file: the
// system's GL and X libraries and the dynamic loader, each named and explained there.
//
// Plain build only: valgrind cannot run a program built with AddressSanitizer.
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using e2e::ProgramSession;
using x11test::Rgb;

constexpr int kClientHeight = 730;
constexpr int kErrorStatus = 99;  // valgrind's status when it found an error

std::string logPath() { return "/tmp/voronoi-sweep-valgrind-" + std::to_string(getpid()) + ".log"; }

e2e::ProgramCommand underValgrind() {
  e2e::ProgramCommand command;
  command.argv = {VS_VALGRIND_PATH,
                  "--tool=memcheck",
                  "--leak-check=full",
                  // Frames of the GL driver, which is unloaded before the leak check, keep
                  // their object name, so that the suppressions can name it.
                  "--keep-debuginfo=yes",
                  "--error-exitcode=" + std::to_string(kErrorStatus),
                  "--suppressions=" VS_VALGRIND_SUPPRESSIONS,
                  "--num-callers=40",
                  "--log-file=" + logPath(),
                  VS_PROGRAM_PATH};
  command.windowTimeoutMs = 180000;
  return command;
}

std::string readLog() {
  std::ifstream in(logPath());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class UnderValgrind : public x11test::XvfbTest {
 protected:
  void SetUp() override {
    x11test::XvfbTest::SetUp();
    if (IsSkipped()) return;
    std::string whyNot;
    ASSERT_TRUE(program_.start(display_, &whyNot)) << whyNot << "\n" << readLog();
    // A click's site shows once the slow program under valgrind draws its frames.
    program_.click(200, kClientHeight - 300);
    ASSERT_TRUE(ProgramSession::waitFor(
        [&] { return program_.pixel(200, kClientHeight - 300) == Rgb{255, 0, 0}; }, 120000))
        << "no site drawn in the program's window";
  }
  void TearDown() override {
    program_.stop();
    x11test::XvfbTest::TearDown();
    if (!HasFailure()) std::remove(logPath().c_str());
  }

  // Valgrind's verdict once the program has ended (it checks for leaks at exit, slowly).
  void expectACleanEnd() {
    int status = -1;
    ASSERT_TRUE(program_.waitForExit(120000, &status)) << "still running 120 s after the end";
    const std::string log = readLog();
    EXPECT_EQ(status, 0) << (status == kErrorStatus ? "valgrind found errors:\n" : "") << log;
    EXPECT_NE(log.find("ERROR SUMMARY: 0 errors"), std::string::npos) << log;
    EXPECT_NE(log.find("definitely lost: 0 bytes"), std::string::npos) << log;
  }

  ProgramSession program_{underValgrind()};
};

TEST_F(UnderValgrind, ClicksASweepAndEscapeLeaveNoErrorAndNoLeak) {
  program_.click(100, kClientHeight - 500);
  program_.click(300, kClientHeight - 400);
  program_.click(500, kClientHeight - 450);
  program_.key(XK_Left);
  // The line starts above the client area; once it shows, the sweep has run for a while.
  ASSERT_TRUE(ProgramSession::waitFor(
      [&] { return !program_.rowsOfColour(10, Rgb{0, 0, 255}).empty(); }, 120000))
      << "the sweep line did not appear";
  program_.key(XK_Escape);
  expectACleanEnd();
}

TEST_F(UnderValgrind, TheWindowManagersCloseLeavesNoErrorAndNoLeak) {
  program_.closeAsAWindowManagerWould();
  expectACleanEnd();
}

}  // namespace
