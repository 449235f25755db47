// The program under a real window manager (openbox) on the test's own Xvfb: it maps one
// top-level window from its start to its first frames, framed at the screen's top-left
// corner around a 985 x 730 client area, with its icon, and the manager's close ends it
// with status 0.
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

namespace {

using e2e::ProgramSession;

class UnderWindowManager : public x11test::XvfbTest {
 protected:
  void SetUp() override {
    x11test::XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    root_ = DefaultRootWindow(display_);
    manager_ = fork();
    ASSERT_GE(manager_, 0);
    if (manager_ == 0) {
      setenv("DISPLAY", x11test::displayName().c_str(), 1);
      execl(VS_OPENBOX_PATH, VS_OPENBOX_PATH, "--sm-disable", static_cast<char*>(nullptr));
      _exit(127);
    }
    // The program asks the manager what frame it will get and waits for the answer only
    // briefly: the manager must be past its start-up, answering such requests, first.
    Window probe = XCreateSimpleWindow(display_, root_, 0, 0, 1, 1, 0, 0, 0);
    ASSERT_TRUE(ProgramSession::waitFor(
        [&] {
          x11test::sendClientMessage(display_, root_, probe, "_NET_REQUEST_FRAME_EXTENTS", {});
          return x11test::cardinals(display_, probe, "_NET_FRAME_EXTENTS").size() == 4;
        },
        10000))
        << "openbox did not start";
    XDestroyWindow(display_, probe);
    // From here every window mapped or framed at the top level is seen.
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XSync(display_, False);
  }

  void TearDown() override {
    program_.stop();
    if (manager_ > 0) {
      kill(manager_, SIGTERM);
      waitpid(manager_, nullptr, 0);
    }
    x11test::XvfbTest::TearDown();
  }

  Window root_ = None;
  pid_t manager_ = -1;
  ProgramSession program_;
};

TEST_F(UnderWindowManager, OneFramedWindowAtTheTopLeftThatTheManagersCloseEnds) {
  std::string whyNot;
  ASSERT_TRUE(program_.start(display_, &whyNot)) << whyNot;
  const Window client = program_.window();
  program_.click(100, 100);
  EXPECT_TRUE(ProgramSession::waitFor(
      [&] { return program_.pixel(100, 100) == (x11test::Rgb{255, 0, 0}); }, 10000))
      << "no frame drawn";

  int mapped = 0;
  std::set<Window> framed;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    mapped += event.type == MapNotify;
    if (event.type == ReparentNotify && event.xreparent.parent != root_)
      framed.insert(event.xreparent.window);
  }
  EXPECT_EQ(mapped, 1) << "top-level maps (the manager's frames) from start to drawing";
  EXPECT_EQ(framed, std::set<Window>{client}) << "windows the manager framed";

  // The frame's outer corner at the screen's: the client sits inside it by its extents.
  std::vector<long> extents = x11test::cardinals(display_, client, "_NET_FRAME_EXTENTS");
  ASSERT_EQ(extents.size(), 4u);
  EXPECT_GT(extents[2], extents[0]) << "a title bar above the client";
  x11test::Geometry geometry = program_.geometry();
  EXPECT_EQ(std::vector<long>({geometry.x, geometry.y, geometry.width, geometry.height}),
            std::vector<long>({extents[0], extents[2], 985, 730}));

  // The icon a task bar shows: 48 and 256 pixels square, transparent corners around an
  // opaque drawing (alpha in the top byte).
  std::vector<long> icon = x11test::cardinals(display_, client, "_NET_WM_ICON");
  ASSERT_EQ(icon.size(), 2u + 48 * 48 + 2 + 256 * 256);
  EXPECT_EQ(std::vector<long>({icon[0], icon[1], icon[2 + 48 * 48], icon[3 + 48 * 48]}),
            std::vector<long>({48, 48, 256, 256}));
  EXPECT_EQ(static_cast<uint32_t>(icon[2]) >> 24, 0u);
  EXPECT_EQ(static_cast<uint32_t>(icon[2 + 24 * 48 + 24]) >> 24, 0xFFu);

  // The close button, as the manager passes it on: asked of the manager as a task bar
  // asks it (EWMH), it sends the window WM_DELETE_WINDOW.
  x11test::sendClientMessage(display_, root_, client, "_NET_CLOSE_WINDOW", {CurrentTime, 2});
  int status = -1;
  ASSERT_TRUE(program_.waitForExit(10000, &status)) << "the manager's close did not end it";
  EXPECT_EQ(status, 0);
}

}  // namespace
