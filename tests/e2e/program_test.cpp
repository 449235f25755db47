// The program as a user meets it: the real binary under a private Xvfb, driven with XTest,
// checked by reading the window's pixels back.
#include "tests/e2e/program_session.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/Xatom.h>
#include <X11/keysym.h>

namespace {

using e2e::ProgramSession;
using x11test::Rgb;

const Rgb kRed{255, 0, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kCyan{0, 255, 255};

constexpr int kClientHeight = 730;

class Program : public x11test::XvfbTest {
 protected:
  void SetUp() override {
    x11test::XvfbTest::SetUp();
    if (IsSkipped()) return;
    std::string whyNot;
    ASSERT_TRUE(program_.start(display_, &whyNot)) << whyNot;
  }
  void TearDown() override {
    program_.stop();
    x11test::XvfbTest::TearDown();
  }

  // Clicks the site (x, y) given in the program's coordinates (origin bottom-left).
  void clickSite(int x, int y) { program_.click(x, kClientHeight - y); }

  // The topmost client row holding the blue sweep line at column x, or -1.
  int sweepLineRow(int x) {
    std::vector<int> rows = program_.rowsOfColour(x, kBlue);
    return rows.empty() ? -1 : rows.front();
  }

  ProgramSession program_;
};

TEST_F(Program, OpensTheTitledWindowWithItsClientAreaAtTheTopLeft) {
  x11test::Geometry g = program_.geometry();
  EXPECT_EQ(g.width, 985);
  EXPECT_EQ(g.height, 730);
  if (e2e::programUnderTest().framesItself) {
    // Shifted back onto the screen, by no more than a frame.
    EXPECT_GT(g.x, 0);
    EXPECT_LT(g.x, 40);
    EXPECT_GT(g.y, 0);
    EXPECT_LT(g.y, 60);
  } else {
    EXPECT_EQ(g.x, 0);  // no window manager: no frame, so the client is at the corner
    EXPECT_EQ(g.y, 0);
  }
  EXPECT_EQ(x11test::netWmName(display_, program_.window()), e2e::kTitle);
  // Before any click the window is black.
  EXPECT_EQ(program_.countColour(0, 0, 985, 730, Rgb{0, 0, 0}), 985 * 730);
}

TEST_F(Program, ClicksBecomeSevenPixelRedDotsWhereTheyLanded) {
  program_.click(150, 100);
  program_.click(700, 600);
  for (auto [x, y] : {std::pair{150, 100}, std::pair{700, 600}}) {
    ASSERT_TRUE(ProgramSession::waitFor(
        [&] { return program_.countColour(x - 7, y - 7, 15, 15, kRed) == 49; }, 5000))
        << "no 7 x 7 red dot around (" << x << ", " << y << "), found "
        << program_.countColour(x - 7, y - 7, 15, 15, kRed);
    // The dot covers the clicked pixel, give or take the half-pixel of its centre.
    EXPECT_GE(program_.countColour(x - 1, y - 1, 3, 3, kRed), 4);
  }
}

TEST_F(Program, LeftStartsTheSweepAndTheBlueLineMovesDown) {
  clickSite(400, 300);
  // Nothing moves before the Left arrow.
  ProgramSession::waitFor([] { return false; }, 500);
  EXPECT_EQ(sweepLineRow(10), -1);
  program_.key(XK_Left);
  int first = -1;
  ASSERT_TRUE(ProgramSession::waitFor([&] { return (first = sweepLineRow(10)) >= 0; }, 20000))
      << "the sweep line never appeared";
  int later = first;
  ASSERT_TRUE(ProgramSession::waitFor([&] { return (later = sweepLineRow(10)) > first + 20; },
                                      20000))
      << "the sweep line stayed at row " << first;
}

TEST_F(Program, TheCircleEventLeavesTheCyanVertexMarkAtItsCentre) {
  clickSite(100, 500);
  clickSite(300, 500);
  clickSite(200, 600);
  program_.key(XK_Left);
  // The vertex (200, 500) sits at client pixel (200, 230); its mark is 5 pixels wide.
  ASSERT_TRUE(ProgramSession::waitFor(
      [&] { return program_.countColour(196, 226, 9, 9, kCyan) >= 16; }, 40000))
      << "no cyan vertex mark at (200, 500)";
  // Nowhere else: the other corners of the triangle are sites, not vertices.
  EXPECT_EQ(program_.countColour(96, 226, 9, 9, kCyan), 0);
}

TEST_F(Program, RightShowsTheDelaunayEdgesOnceTheLineHasPassedTheBottom) {
  clickSite(100, 500);
  clickSite(300, 500);
  clickSite(200, 600);
  program_.key(XK_Left);
  // Let the line pass the bottom edge: seen, and then gone. (Waiting to catch it in the
  // last 30 rows missed it on a busy machine: it crosses them in half a second.)
  int lastSeen = -1;
  ASSERT_TRUE(ProgramSession::waitFor(
      [&] {
        const int row = sweepLineRow(10);
        if (row >= 0) lastSeen = row;
        return lastSeen >= 0 && row == -1;
      },
      80000))
      << "the sweep line was last seen at row " << lastSeen;
  // (150, 500) lies on the segment between the sites (100, 500) and (300, 500).
  const int x = 150, y = kClientHeight - 500;
  ProgramSession::waitFor([] { return false; }, 500);
  EXPECT_FALSE(program_.pixel(x, y) == kCyan) << "Delaunay edges before the Right arrow";
  program_.key(XK_Right);
  EXPECT_TRUE(ProgramSession::waitFor([&] { return program_.pixel(x, y) == kCyan; }, 5000))
      << "no Delaunay edge after the Right arrow";
}

TEST_F(Program, AResizeChangesWhereLaterClicksLand) {
  program_.click(100, 100);
  ASSERT_TRUE(ProgramSession::waitFor(
      [&] { return program_.countColour(93, 93, 15, 15, kRed) == 49; }, 5000));
  XResizeWindow(display_, program_.window(), 600, 400);
  XSync(display_, False);
  ASSERT_TRUE(ProgramSession::waitFor(
      [&] {
        x11test::Geometry g = program_.geometry();
        return g.width == 600 && g.height == 400;
      },
      5000));
  program_.click(50, 50);
  // The new site is measured against the new height, so it appears under the pointer...
  EXPECT_TRUE(ProgramSession::waitFor(
      [&] { return program_.countColour(43, 43, 15, 15, kRed) == 49; }, 5000));
  // ...while the first site keeps its coordinates (y = 630), now above the smaller window.
  EXPECT_EQ(program_.countColour(90, 90, 20, 20, kRed), 0);
}

TEST_F(Program, EscapeInTheMiddleOfTheSweepEndsWithStatusZero) {
  clickSite(100, 500);
  clickSite(300, 400);
  program_.key(XK_Left);
  ASSERT_TRUE(ProgramSession::waitFor([&] { return sweepLineRow(10) > 100; }, 30000));
  program_.key(XK_Escape);
  int status = -1;
  ASSERT_TRUE(program_.waitForExit(3000, &status)) << "still running 3 s after Escape";
  EXPECT_EQ(status, 0);
}

TEST_F(Program, TheWindowManagersCloseEndsWithStatusZero) {
  program_.closeAsAWindowManagerWould();
  int status = -1;
  ASSERT_TRUE(program_.waitForExit(5000, &status)) << "still running 5 s after the close";
  EXPECT_EQ(status, 0);
}

TEST(ProgramWithoutADisplay, SaysSoOnStandardErrorAndFails) {
  std::string written;
  int status = e2e::runWithoutDisplay(&written);
  EXPECT_NE(status, 0);
  EXPECT_NE(status, -1) << "still running without a display";
  EXPECT_NE(written.find("cannot open the X display"), std::string::npos) << written;
}

}  // namespace
