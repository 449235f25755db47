// The program under a real window manager (openbox) on the test's own Xvfb: it maps one
// top-level window from its start to its first frames, framed at the screen's top-left
// corner around a 985 x 730 client area, and the manager's close ends it with status 0.
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/Xatom.h>
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
    ASSERT_TRUE(answersFrameExtentsRequests()) << "openbox did not start";
    // From here every window created, reparented or mapped at the top level is seen.
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

  // The program learns the frame it will get by asking for it (EWMH), and gives the
  // manager little time to answer; so the manager must be past its start-up first.
  bool answersFrameExtentsRequests() {
    XSetWindowAttributes attributes{};
    Window probe = XCreateWindow(display_, root_, 0, 0, 1, 1, 0, CopyFromParent, InputOutput,
                                 CopyFromParent, 0, &attributes);
    Atom extents = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
    bool answered = ProgramSession::waitFor(
        [&] {
          XEvent request{};
          request.xclient.type = ClientMessage;
          request.xclient.window = probe;
          request.xclient.message_type =
              XInternAtom(display_, "_NET_REQUEST_FRAME_EXTENTS", False);
          request.xclient.format = 32;
          XSendEvent(display_, root_, False, SubstructureNotifyMask | SubstructureRedirectMask,
                     &request);
          XSync(display_, False);
          return property(probe, extents, 4).size() == 4;
        },
        10000);
    XDestroyWindow(display_, probe);
    XSync(display_, False);
    return answered;
  }

  std::vector<long> property(Window window, Atom name, long length) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> items;
    if (XGetWindowProperty(display_, window, name, 0, length, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        format == 32)
      items.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    if (data != nullptr) XFree(data);
    return items;
  }

  // The child of the root that holds the window: the manager's frame around it.
  Window topLevelOf(Window window) {
    for (;;) {
      Window rootOfTree = None, parent = None, *children = nullptr;
      unsigned int count = 0;
      if (!XQueryTree(display_, window, &rootOfTree, &parent, &children, &count)) return None;
      if (children != nullptr) XFree(children);
      if (parent == root_) return window;
      window = parent;
    }
  }

  Window root_ = None;
  pid_t manager_ = -1;
  ProgramSession program_;
};

TEST_F(UnderWindowManager, OneFramedWindowAtTheTopLeftThatTheManagersCloseEnds) {
  std::string whyNot;
  ASSERT_TRUE(program_.start(display_, &whyNot)) << whyNot;
  // A click's site in the window: frames are being drawn.
  program_.click(100, 100);
  EXPECT_TRUE(ProgramSession::waitFor(
      [&] { return program_.pixel(100, 100) == (x11test::Rgb{255, 0, 0}); }, 10000));

  int mapped = 0;
  std::set<Window> managed;
  XSync(display_, False);
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == MapNotify && event.xmap.event == root_) ++mapped;
    if (event.type == ReparentNotify && event.xreparent.event == root_ &&
        event.xreparent.parent != root_)
      managed.insert(event.xreparent.window);
  }
  EXPECT_EQ(mapped, 1) << "top-level maps (the manager's frames) from start to drawing";
  EXPECT_EQ(managed, std::set<Window>{program_.window()}) << "windows the manager framed";

  // The frame at the corner, the client inside it by the frame's extents.
  std::vector<long> extents =
      property(program_.window(), XInternAtom(display_, "_NET_FRAME_EXTENTS", False), 4);
  ASSERT_EQ(extents.size(), 4u);
  EXPECT_GT(extents[2], extents[0]) << "a title bar above the client";
  x11test::Geometry client = program_.geometry();
  EXPECT_EQ(client.x, extents[0]);
  EXPECT_EQ(client.y, extents[2]);
  EXPECT_EQ(client.width, 985);
  EXPECT_EQ(client.height, 730);
  x11test::Geometry frame{};
  ASSERT_TRUE(x11test::windowGeometry(display_, topLevelOf(program_.window()), &frame));
  EXPECT_EQ(frame.x, 0);
  EXPECT_EQ(frame.y, 0);
  EXPECT_EQ(frame.width, 985 + extents[0] + extents[1]);
  EXPECT_EQ(frame.height, 730 + extents[2] + extents[3]);

  // The close button, as the manager passes it on: asked of the manager (EWMH), which sends
  // the window WM_DELETE_WINDOW.
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = program_.window();
  close.xclient.message_type = XInternAtom(display_, "_NET_CLOSE_WINDOW", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = CurrentTime;
  close.xclient.data.l[1] = 2;  // from a pager or task bar, which openbox obeys at once
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &close);
  XSync(display_, False);
  int status = -1;
  ASSERT_TRUE(program_.waitForExit(10000, &status)) << "the manager's close did not end it";
  EXPECT_EQ(status, 0);
}

}  // namespace
