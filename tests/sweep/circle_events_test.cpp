// Circle events: the centre arithmetic, the empty-circle test, the event window, the
// recording of edge ends, the grid mark and the circle's dots.
#include <GL/gl.h>

#include <cmath>
#include <utility>
#include <vector>

#include "sweep/circle_event_parts.h"
#include "sweep/draw_frame.h"
#include "sweep/steps.h"
#include "tests/sweep/sweep_fixture.h"

namespace {

using CircleEvents = FreshSweep;

// The colour of an event's circle: one glColor3d call of it per event drawn.
bool eventDrawn() { return FreshSweep::colourCalls(0.1, 0.7, 0.5) > 0; }

TEST_F(CircleEvents, CentreOfTheWorkedExampleInBeachOrder) {
  // Beach order is x descending and the triple is taken as (i, j, k) with i > j > k, so the
  // first point is (100, 500), the second (200, 600), the third (300, 500).
  CircleCentre c = circumcentre(100, 500, 200, 600, 300, 500);
  EXPECT_EQ(c.d1, -20000);
  EXPECT_EQ(c.n1, -20000000);
  EXPECT_EQ(c.d2, 20000);
  EXPECT_EQ(c.n2, 8000000);
  EXPECT_EQ(c.x, 200.0);
  EXPECT_EQ(c.y, 500.0);
  EXPECT_EQ(c.radius, 100.0);
}

TEST_F(CircleEvents, CollinearAndCoincidentPointsAreNudgedNotDividedByZero) {
  CircleCentre row = circumcentre(100, 500, 200, 500, 300, 500);
  EXPECT_EQ(row.d1, 0);
  EXPECT_EQ(row.d2, 0);
  EXPECT_EQ(row.n1, 2000000);
  EXPECT_EQ(row.n2, 0);
  EXPECT_EQ(row.x, 0.0);
  EXPECT_EQ(row.y, 200000000.0);
  // sqrt(100^2 + (2e8 - 500)^2) = 199999500 + 100^2 / (2 * 199999500) + ..., and its lowest
  // point lies just below the row.
  EXPECT_NEAR(row.radius, 199999500.000025, 1e-6);
  EXPECT_LT(row.y - row.radius, 500.0);
  EXPECT_GT(row.y - row.radius, 499.9999);

  CircleCentre twoAtOnePoint = circumcentre(100, 500, 100, 500, 300, 500);
  EXPECT_EQ(twoAtOnePoint.d1, 0);
  EXPECT_EQ(twoAtOnePoint.x, 0.0);
  EXPECT_EQ(twoAtOnePoint.y, 0.0);
}

TEST_F(CircleEvents, CentreStaysExactWhereThirtyTwoBitsWouldOverflow) {
  // A right triangle with legs of 40000: 2 * D1 is 3.2e9 and N1 6.4e13, both beyond 32 bits.
  // The centre is the middle of the hypotenuse.
  CircleCentre c = circumcentre(0, 0, 40000, 0, 0, 40000);
  EXPECT_EQ(c.x, 20000.0);
  EXPECT_EQ(c.y, 20000.0);
  CircleCentre wide = circumcentre(-60000, 0, 0, 60000, 60000, 0);
  EXPECT_EQ(wide.x, 0.0);
  EXPECT_EQ(wide.y, 0.0);
}

TEST_F(CircleEvents, WorkedExampleHoldsExactlyWhileTheLineIsFrom393To500) {
  const int a = place(100, 500);
  const int c = place(300, 500);
  const int b = place(200, 600);
  startSweep();

  int eventFrames = 0;
  int windowFramesOffBeach = 0;
  bool firstChecked = false;
  while (sweepY > -2.0) {
    const double lineDuringFrame = sweepY;
    glrec::reset();
    drawFrame();
    const bool inWindow = 393.0 <= lineDuringFrame && lineDuringFrame < 500.0;
    // In the first frame below 500 the two new active sites take positions whose flags the
    // previous trace (with one active site) left off the beach.
    if (inWindow && beachCount < 3) ++windowFramesOffBeach;
    const bool expected = inWindow && beachCount == 3;
    ASSERT_EQ(eventDrawn(), expected) << "sweep line at " << lineDuringFrame;
    if (!expected) continue;
    ++eventFrames;
    if (firstChecked) continue;
    firstChecked = true;
    // The first event frame: the vertex marked, the three pairs recorded as (a, b), (a, c),
    // (b, c), and the whole circle (radius 100 about (200, 500)) drawn inside the grid.
    EXPECT_EQ(traceRaster[200][500], 2);
    for (auto pq : {std::pair<int, int>{a, b}, {a, c}, {b, c}}) {
      EXPECT_EQ(edgeEndCount[pq.first][pq.second], 1);
      EXPECT_EQ(edgeEnds[pq.first][pq.second].x, 200.0);
      EXPECT_EQ(edgeEnds[pq.first][pq.second].y, 500.0);
      EXPECT_EQ(edgeEndCount[pq.second][pq.first], 0);
    }
    EXPECT_EQ(glrec::points(0.1, 0.7, 0.5, 2).size(), 3600u);
    auto dots = glrec::points(1, 1, 1, 2);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].x, 200.0);
    EXPECT_EQ(dots[0].y, 500.0);
  }
  EXPECT_GT(eventFrames, 100);
  EXPECT_EQ(windowFramesOffBeach, 1);
  // Later frames found the same vertex again and changed nothing.
  EXPECT_EQ(edgeEndCount[a][b], 1);
  EXPECT_EQ(edgeEndCount[a][c], 1);
  EXPECT_EQ(edgeEndCount[b][c], 1);
  EXPECT_EQ(edgeEndCount[b][a] + edgeEndCount[c][a] + edgeEndCount[c][b], 0);
  EXPECT_EQ(traceRaster[200][500], 2);
}

class WorkedExampleWithAFourthSite : public FreshSweep {
 protected:
  void SetUp() override {
    FreshSweep::SetUp();
    place(100, 500);
    place(300, 500);
    place(200, 600);
    startSweep();
    sweepY = 480.0;  // the fourth site, placed below, is not active
  }
};

TEST_F(WorkedExampleWithAFourthSite, InsideTheCircleSuppressesTheEventFromBelowTheLine) {
  place(200, 450);
  drawFrame();
  EXPECT_FALSE(eventDrawn());
  EXPECT_EQ(traceRaster[200][500], 0);
  EXPECT_EQ(insideFlag, 1);
}

TEST_F(WorkedExampleWithAFourthSite, OnTheCircleDoesNotCount) {
  place(200, 400);
  drawFrame();
  EXPECT_TRUE(eventDrawn());
  EXPECT_EQ(traceRaster[200][500], 2);
}

TEST_F(WorkedExampleWithAFourthSite, ADuplicateOfATriplePointDoesNotCount) {
  const int duplicate = place(100, 500);
  drawFrame();
  EXPECT_TRUE(eventDrawn());
  // The vertex is recorded under the highest number of the two equal sites.
  EXPECT_EQ(edgeEndCount[duplicate][3], 1);
  EXPECT_EQ(edgeEndCount[1][3], 0);
}

TEST_F(WorkedExampleWithAFourthSite, NothingOnceTheLineIsAtZero) {
  sweepY = 0.0;
  activeCount = 3;
  beachCount = 3;
  beachSites[1] = Site{300, 500};
  beachSites[2] = Site{200, 600};
  beachSites[3] = Site{100, 500};
  findCircleEvents();
  EXPECT_TRUE(glrec::calls().empty());
  EXPECT_EQ(edgeEndCount[1][3], 0);
  sweepY = 450.0;  // the same beach above 0 does give the event
  findCircleEvents();
  EXPECT_TRUE(eventDrawn());
}

TEST_F(CircleEvents, FewerThanThreeBeachSitesComputeNothing) {
  place(100, 500);
  place(300, 500);
  startSweep();
  sweepY = 450.0;
  drawFrame();
  EXPECT_FALSE(eventDrawn());
  EXPECT_EQ(glrec::points(1, 1, 1, 2).size(), 0u);
}

TEST_F(CircleEvents, CollinearAndCoincidentTriplesAreNoEvents) {
  // Each of these has an empty nudged circle whose lowest point the line has reached, so the
  // nudged centre would pass as an event: far away for a row, the origin for a double click.
  struct Case {
    const char* name;
    Site a, b, c;
    double line;
  };
  const Case cases[] = {
      {"row", {100, 500}, {200, 500}, {300, 500}, 495.0},
      {"slanted row", {100, 100}, {200, 200}, {300, 300}, 95.0},
      {"column", {400, 300}, {400, 400}, {400, 500}, 295.0},
      {"double click and a third site", {100, 600}, {100, 600}, {400, 650}, 590.0},
  };
  for (const Case& k : cases) {
    SetUp();
    place(k.a.x, k.a.y);
    place(k.b.x, k.b.y);
    place(k.c.x, k.c.y);
    startSweep();
    sweepY = k.line;
    drawFrame();
    EXPECT_FALSE(eventDrawn()) << k.name;
    EXPECT_EQ(glrec::points(1, 1, 1, 2).size(), 0u) << k.name;  // no vertex dot
    for (int p = 1; p <= 3; ++p)
      for (int q = 1; q <= 3; ++q) EXPECT_EQ(edgeEndCount[p][q], 0) << k.name;
    for (int x = 0; x < GRID_SIZE; ++x)
      for (int y = 0; y < GRID_SIZE; ++y) ASSERT_NE(traceRaster[x][y], 2) << k.name;
  }
}

TEST_F(CircleEvents, CircleCrossingTheGridEdgeDrawsOnlyTheSamplesInside) {
  // Centre (50, 500), radius 100: part of the circle lies left of x = 1.
  place(-50, 500);
  place(50, 600);
  place(150, 500);
  startSweep();
  sweepY = 450.0;
  drawFrame();
  ASSERT_TRUE(eventDrawn());
  // The samples, counted independently: t from 0 by running sums of 0.1 while t <= 360.
  int samples = 0;
  int inside = 0;
  for (double t = 0.0; t <= 360.0; t = t + 0.1) {
    ++samples;
    int px = static_cast<int>(100.0 * std::cos(t) + 50.0);
    int py = static_cast<int>(100.0 * std::sin(t) + 500.0);
    if (0 < px && px < 912 && 0 < py && py < 912) ++inside;
  }
  EXPECT_EQ(samples, 3600);
  auto dots = glrec::points(0.1, 0.7, 0.5, 2);
  EXPECT_EQ(static_cast<int>(dots.size()), inside);
  EXPECT_LT(inside, 3600);
  for (const glrec::Point& p : dots) EXPECT_TRUE(0 < p.x && p.x < 912 && 0 < p.y && p.y < 912);
  // Each dot has its own glBegin/glEnd pair.
  for (const glrec::Primitive& p : glrec::primitives()) {
    if (p.mode == GL_POINTS) {
      EXPECT_EQ(p.vertices.size(), 1u);
    }
  }
}

TEST_F(CircleEvents, CentreBeyondTheIntRangeSkipsItsSamples) {
  // A very flat triangle, as a window much wider than the screen allows: its circle's radius
  // is about 2.45e9, so the samples far from its three sites lie beyond any int.
  place(0, 500);
  place(70000, 501);
  place(140000, 500);
  startSweep();
  sweepY = 495.0;
  drawFrame();
  ASSERT_TRUE(eventDrawn());
  EXPECT_LT(edgeEnds[1][2].y, -2147483648.0);
  for (const glrec::Point& p : glrec::points(0.1, 0.7, 0.5, 2))
    EXPECT_TRUE(0 < p.x && p.x < 912 && 0 < p.y && p.y < 912);
}

// ---- Edge ends -----------------------------------------------------------------------------

TEST_F(CircleEvents, EdgeEndsFirstVertexThenOtherEndThenRepeatsAndReplacement) {
  const Site v1{10.5, 20.5}, v2{30.0, 40.0}, v3{50.0, 60.0};
  recordEdgeEnd(4, 7, v1);
  EXPECT_EQ(edgeEndCount[4][7], 1);
  EXPECT_EQ(edgeEnds[4][7].x, 10.5);
  recordEdgeEnd(4, 7, v1);  // the vertex already held in [p][q]: nothing
  EXPECT_EQ(edgeEndCount[4][7], 1);
  EXPECT_EQ(edgeEndCount[7][4], 0);

  recordEdgeEnd(4, 7, v2);  // a second vertex goes into [q][p]
  EXPECT_EQ(edgeEndCount[7][4], 1);
  EXPECT_EQ(edgeEnds[7][4].y, 40.0);
  recordEdgeEnd(4, 7, v2);  // a repeat of [q][p] raises its count
  EXPECT_EQ(edgeEndCount[7][4], 2);

  recordEdgeEnd(4, 7, v3);  // a third vertex replaces [q][p]
  EXPECT_EQ(edgeEndCount[7][4], 3);
  EXPECT_EQ(edgeEnds[7][4].x, 50.0);
  EXPECT_EQ(edgeEnds[4][7].x, 10.5);
  EXPECT_EQ(edgeEndCount[4][7], 1);
}

TEST_F(CircleEvents, EdgeEndsTheReversedPairFindsTheOtherOrientationTaken) {
  const Site v{5.0, 6.0};
  recordEdgeEnd(2, 9, v);
  recordEdgeEnd(9, 2, v);  // [9][2] is free, but [2][9] already holds v: so [2][9] again
  EXPECT_EQ(edgeEndCount[9][2], 0);
  EXPECT_EQ(edgeEndCount[2][9], 2);
}

TEST_F(CircleEvents, EdgeEndsAVertexAtTheOriginMatchesTheEmptyEntries) {
  // Empty entries hold (0, 0), so a centre at the origin (two coincident sites) compares
  // equal to both orientations and is never recorded.
  recordEdgeEnd(3, 5, Site{0.0, 0.0});
  EXPECT_EQ(edgeEndCount[3][5], 0);
  EXPECT_EQ(edgeEndCount[5][3], 0);
}

TEST_F(CircleEvents, SiteNumbersTakeTheHighestOfEqualSites) {
  place(100, 500);
  place(200, 600);
  place(100, 500);
  place(300, 500);
  TripleSites t = findSiteNumbers(100, 500, 200, 600, 300, 500);
  EXPECT_EQ(t.a, 3);
  EXPECT_EQ(t.b, 2);
  EXPECT_EQ(t.c, 4);
}

}  // namespace
