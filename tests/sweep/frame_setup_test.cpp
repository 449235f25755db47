// The frame opening: the idle frame, the active sites and the near-line test, the exchange
// sort, and the beach sites chosen by the previous trace.
#include <GL/gl.h>

#include "sweep/draw_frame.h"
#include "sweep/steps.h"
#include "tests/sweep/sweep_fixture.h"

namespace {

using FrameSetup = FreshSweep;

TEST_F(FrameSetup, BeforeTheStartAFrameDrawsTheSitesAndSwapsOnly) {
  place(120, 700);
  place(5, 6);
  drawFrame();
  const auto& c = glrec::calls();
  ASSERT_EQ(c.size(), 2u + 2 * 5);
  EXPECT_EQ(c[0].op, glrec::Op::ClearColor);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(c[0].a[i], i == 3 ? 1.0 : 0.0);
  EXPECT_EQ(c[1].op, glrec::Op::Clear);
  EXPECT_EQ(c[1].e, static_cast<uint32_t>(GL_COLOR_BUFFER_BIT));  // not the depth buffer
  const double xs[2] = {120, 5}, ys[2] = {700, 6};
  for (int s = 0; s < 2; ++s) {
    const glrec::Call* p = &c[2 + 5 * s];
    EXPECT_EQ(p[0].op, glrec::Op::PointSize);
    EXPECT_EQ(p[0].a[0], 7.0);
    EXPECT_EQ(p[1].op, glrec::Op::Begin);
    EXPECT_EQ(p[1].e, static_cast<uint32_t>(GL_POINTS));
    EXPECT_EQ(p[2].op, glrec::Op::Color3d);
    EXPECT_EQ(p[2].a[0], 1.0);
    EXPECT_EQ(p[2].a[1] + p[2].a[2], 0.0);
    EXPECT_EQ(p[3].op, glrec::Op::Vertex3d);
    EXPECT_EQ(p[3].a[0], xs[s]);
    EXPECT_EQ(p[3].a[1], ys[s]);
    EXPECT_EQ(p[3].a[2], 0.0);
    EXPECT_EQ(p[4].op, glrec::Op::End);
  }
  EXPECT_EQ(platformtest::swapCount(), 1);
  EXPECT_EQ(sweepY, 750.0);
  EXPECT_EQ(traceRaster[120][700], 0);
}

struct LineCase {
  double sweep;
  double siteY;
  bool active;
  bool near;
};

TEST_F(FrameSetup, NearLineAndActivityAroundTheSweepLine) {
  const LineCase cases[] = {
      {749.8, 750, true, true},    // d = 0.2
      {749.8, 749, false, true},   // d = -0.8
      {749.8, 751, true, false},   // d = 1.2 truncates to 1
      {749.8, 748, false, false},  // d = -1.8 truncates to -1
      {750.0, 750, false, true},   // on the line: not strictly above
      {750.0, 749, false, false},
      {750.0, 751, true, false},
  };
  for (const LineCase& k : cases) {
    restoreSceneStartValues();
    place(10, k.siteY);
    sweepY = k.sweep;
    selectActiveSites();
    EXPECT_EQ(activeCount, k.active ? 1 : 0) << k.sweep << " / " << k.siteY;
    EXPECT_EQ(nearLine, k.near ? 1 : 0) << k.sweep << " / " << k.siteY;
  }
}

TEST_F(FrameSetup, NearLineComesFromAnySiteAndActiveSitesKeepTheirCoordinates) {
  place(1, 900);
  place(2, 100);  // far below, but within a pixel of the line
  place(3, 800);
  sweepY = 100.5;
  selectActiveSites();
  EXPECT_EQ(nearLine, 1);
  ASSERT_EQ(activeCount, 2);
  EXPECT_EQ(activeSites[1].x, 1.0);
  EXPECT_EQ(activeSites[2].y, 800.0);
}

TEST_F(FrameSetup, ALineFarBelowTheSitesIsNotNearAnyOfThem) {
  // The difference no longer fits an int; it is certainly not within a pixel.
  place(1, 500);
  sweepY = -5e9;
  selectActiveSites();
  EXPECT_EQ(nearLine, 0);
  EXPECT_EQ(activeCount, 1);
}

TEST_F(FrameSetup, SortExchangesOnlyForAStrictlyLargerX) {
  Site t[4] = {{0, 0}, {5, 1}, {5, 2}, {7, 3}};
  sortByXDescending(t, 3);
  EXPECT_EQ(t[1].x, 7.0);
  EXPECT_EQ(t[2].y, 2.0);  // the second 5 now comes first
  EXPECT_EQ(t[3].y, 1.0);

  Site pair[3] = {{0, 0}, {5, 1}, {5, 2}};
  sortByXDescending(pair, 2);
  EXPECT_EQ(pair[1].y, 1.0);
  EXPECT_EQ(pair[2].y, 2.0);

  Site three[4] = {{0, 0}, {300, 0}, {100, 0}, {200, 0}};
  sortByXDescending(three, 3);
  EXPECT_EQ(three[1].x, 300.0);
  EXPECT_EQ(three[2].x, 200.0);
  EXPECT_EQ(three[3].x, 100.0);

  Site one[2] = {{0, 0}, {9, 9}};
  sortByXDescending(one, 1);
  sortByXDescending(one, 0);
  EXPECT_EQ(one[1].x, 9.0);
  EXPECT_EQ(one[0].x, 0.0);  // entry 0 is never touched
}

TEST_F(FrameSetup, BeachSitesAreTheActivePositionsLeftOnTheBeach) {
  place(300, 800);
  place(200, 800);
  place(100, 800);
  sweepY = 700.0;
  offBeach[2] = 1;  // as a previous trace would leave it
  selectActiveSites();
  sortByXDescending(activeSites, activeCount);
  chooseBeachSites();
  ASSERT_EQ(beachCount, 2);
  EXPECT_EQ(beachSites[1].x, 300.0);
  EXPECT_EQ(beachSites[2].x, 100.0);
  EXPECT_EQ(activeCount, 3);  // the flagged site is still active
}

TEST_F(FrameSetup, TheFlagsOfTheLastTraceDecideTheNextFramesBeach) {
  // Two sites at one position: the first in activeSites owns every sample, the other stays
  // flagged off the beach, so the next frame has one beach site.
  place(400, 800);
  place(400, 800);
  place(600, 820);
  startSweep();
  drawFrame();
  EXPECT_EQ(beachCount, 3);  // before any trace every flag is 0
  drawFrame();
  EXPECT_EQ(activeCount, 3);
  EXPECT_EQ(beachCount, 2);
}

TEST_F(FrameSetup, FlagsStandByPositionSoANewActiveSiteCanInheritOne) {
  place(100, 800);
  place(300, 760);
  startSweep();
  sweepY = 780.0;
  drawFrame();  // one active site, at position 1; positions 2 to 99 flagged off
  EXPECT_EQ(offBeach[2], 1);
  sweepY = 750.0;
  drawFrame();  // (300, 760) is now first by x, (100, 800) moves to the flagged position 2
  EXPECT_EQ(activeCount, 2);
  EXPECT_EQ(beachCount, 1);
  EXPECT_EQ(beachSites[1].x, 300.0);
}

}  // namespace
