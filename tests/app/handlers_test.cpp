// The input handlers: sites from presses, the arrows, the reshape.
#include <gtest/gtest.h>

#include "app/handlers.h"
#include "app/summary.h"
#include "app/scene.h"
#include "tests/support/gl_recorder.h"
#include "winfw/state.h"

namespace {

class Handlers : public ::testing::Test {
 protected:
  void SetUp() override {
    restoreSceneStartValues();
    wfRestoreInitialState();
    glrec::reset();
  }
  static void press(int x, int y) {
    WfEvent e{WF_MOUSE_PRESS, x, y, 0, WF_BUTTON_LEFT};
    onMouseDown(&e);
  }
};

TEST_F(Handlers, StartValues) {
  EXPECT_EQ(windowWidth, 912);
  EXPECT_EQ(windowHeight, 912);
  EXPECT_EQ(siteCount, 0);
  EXPECT_EQ(runCounter, 0);
  EXPECT_EQ(sweepDirection, -1);
  EXPECT_EQ(sweepY, 750.0);
  EXPECT_EQ(insideFlag, 1);
}

TEST_F(Handlers, APressAddsASiteMeasuredFromTheBottom) {
  onReshape(985, 730);
  press(120, 30);
  ASSERT_EQ(siteCount, 1);
  EXPECT_EQ(sites[1].x, 120.0);
  EXPECT_EQ(sites[1].y, 700.0);
  EXPECT_EQ(lastClickX, 120);
  EXPECT_EQ(lastClickY, 30);
}

TEST_F(Handlers, PressesAtOnePixelAddTwoEqualSitesInClickOrder) {
  onReshape(985, 730);
  press(5, 6);
  press(5, 6);
  press(300, 729);
  ASSERT_EQ(siteCount, 3);
  EXPECT_EQ(sites[1].x, sites[2].x);
  EXPECT_EQ(sites[1].y, sites[2].y);
  EXPECT_EQ(sites[3].x, 300.0);
  EXPECT_EQ(sites[3].y, 1.0);
  EXPECT_EQ(sites[0].x, 0.0);  // entry 0 is never used
}

TEST_F(Handlers, APressBeyondTheCapacityAddsNothing) {
  onReshape(985, 730);
  for (int i = 1; i <= MAX_SITES; ++i) press(i, i);
  ASSERT_EQ(siteCount, 199);
  const Site last = sites[199];
  press(500, 600);
  EXPECT_EQ(siteCount, 199);
  EXPECT_EQ(sites[199].x, last.x);
  EXPECT_EQ(sites[199].y, last.y);
  // The press is still remembered as the last click.
  EXPECT_EQ(lastClickX, 500);
  EXPECT_EQ(lastClickY, 600);
}

TEST_F(Handlers, LeftArrowAddsFiveEachTime) {
  onLeftArrow();
  onLeftArrow();
  EXPECT_EQ(runCounter, 10);
}

TEST_F(Handlers, RightArrowToggles) {
  onRightArrow();
  EXPECT_EQ(sweepDirection, 1);
  onRightArrow();
  EXPECT_EQ(sweepDirection, -1);
}

TEST_F(Handlers, ReshapeSetsViewportAndProjectionExactly) {
  onReshape(400, 300);
  EXPECT_EQ(windowWidth, 400);
  EXPECT_EQ(windowHeight, 300);
  const auto& c = glrec::calls();
  ASSERT_EQ(c.size(), 6u);
  EXPECT_EQ(c[0].op, glrec::Op::Viewport);
  EXPECT_EQ(c[0].a[0], 0);
  EXPECT_EQ(c[0].a[1], 0);
  EXPECT_EQ(c[0].a[2], 400);
  EXPECT_EQ(c[0].a[3], 300);
  EXPECT_EQ(c[1].op, glrec::Op::MatrixMode);
  EXPECT_EQ(c[1].e, static_cast<uint32_t>(GL_PROJECTION));
  EXPECT_EQ(c[2].op, glrec::Op::LoadIdentity);
  EXPECT_EQ(c[3].op, glrec::Op::Ortho);
  const double ortho[6] = {0.0, 400.0, 0.0, 300.0, -1.0, 1.0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(c[3].a[i], ortho[i]) << i;
  EXPECT_EQ(c[4].op, glrec::Op::MatrixMode);
  EXPECT_EQ(c[4].e, static_cast<uint32_t>(GL_MODELVIEW));
  EXPECT_EQ(c[5].op, glrec::Op::LoadIdentity);
}

TEST_F(Handlers, ReshapeChangesTheHeightUsedByLaterPresses) {
  onReshape(985, 730);
  press(10, 30);
  onReshape(400, 300);
  press(10, 30);
  EXPECT_EQ(sites[1].y, 700.0);  // existing sites keep their coordinates
  EXPECT_EQ(sites[2].y, 270.0);
}

TEST_F(Handlers, HandlersRegisteredWithTheFrameworkReceiveDispatchedEvents) {
  onReshape(985, 730);
  wfAddKeyHandler(WF_KEY_LEFT, onLeftArrow);
  wfAddKeyHandler(WF_KEY_RIGHT, onRightArrow);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, onMouseDown);
  EXPECT_EQ(wfDispatchKey(WF_KEY_LEFT), 1);
  EXPECT_EQ(wfDispatchKey(WF_KEY_RIGHT), 1);
  EXPECT_EQ(wfDispatchPress(120, 30, WF_BUTTON_LEFT), 1);
  EXPECT_EQ(wfDispatchPress(200, 30, WF_BUTTON_RIGHT), 0);
  EXPECT_EQ(runCounter, 5);
  EXPECT_EQ(sweepDirection, 1);
  ASSERT_EQ(siteCount, 1);
  EXPECT_EQ(sites[1].y, 700.0);
}

}  // namespace

// What the platform reads of the program through the framework: sites as clicked, the sweep
// line's row from the top, finished once the line is at or below 0, the Delaunay edges drawn
// only then and only with the switch on.
TEST_F(Handlers, TheSummaryThePlatformReadsTellsWhatTheWindowShows) {
  struct Case {
    int runCounter;
    double sweepY;
    int sweepDirection;
    int row, finished, delaunayOn, delaunayShown;
  };
  const Case cases[] = {
      {0, 750.0, -1, -20, 0, 0, 0},   // not started: the line above the window
      {5, 400.5, 1, 329, 0, 1, 0},    // running, the switch on: nothing to show yet
      {5, 0.0, -1, 730, 1, 0, 0},     // finished, the switch off
      {5, -3.0, 1, 733, 1, 1, 1},     // finished, the switch on
      {0, 0.0, 1, 730, 0, 1, 0},      // not started is never finished
  };
  onReshape(985, 730);
  press(120, 30);
  press(7, 729);
  wfSetSummaryReader(summariseScene);
  for (const Case& c : cases) {
    runCounter = c.runCounter;
    sweepY = c.sweepY;
    sweepDirection = c.sweepDirection;
    ProgramSummary s{};
    ASSERT_TRUE(platformReadSummary(&s));
    EXPECT_EQ(s.sites, 2);
    EXPECT_EQ(s.siteLimit, MAX_SITES);
    EXPECT_EQ(s.lastSiteX, 7);
    EXPECT_EQ(s.lastSiteY, 729);
    EXPECT_EQ(s.sweepStarted, c.runCounter != 0 ? 1 : 0);
    EXPECT_EQ(s.sweepRow, c.row) << c.sweepY;
    EXPECT_EQ(s.windowRows, 730);
    EXPECT_EQ(s.finished, c.finished) << c.sweepY;
    EXPECT_EQ(s.delaunayOn, c.delaunayOn);
    EXPECT_EQ(s.delaunayShown, c.delaunayShown) << c.sweepY;
  }
  wfSetSummaryReader(nullptr);
  ProgramSummary none{};
  EXPECT_FALSE(platformReadSummary(&none));
}
