// The beach-line trace: its samples, the beach flags, and what every breakpoint leaves:
// the white line, the trace mark and the Delaunay neighbours.
#include <GL/gl.h>

#include "sweep/steps.h"
#include "tests/sweep/sweep_fixture.h"

namespace {

class BeachLine : public FreshSweep {
 protected:
  // The set-up steps and the trace of one frame, with the line at `line`.
  static void traceAt(double line) {
    sweepY = line;
    selectActiveSites();
    sortByXDescending(activeSites, activeCount);
    chooseBeachSites();
    traceBeachLine();
  }
  static std::vector<glrec::Line> whiteLines() { return glrec::lines(1, 1, 1); }
};

TEST_F(BeachLine, SamplesRunFromMinus300ByRunningSumsOf0Point1) {
  place(400, 700);
  traceAt(600.0);
  auto samples = glrec::points(1, 0, 0, 2);
  ASSERT_EQ(samples.size(), 13120u);
  EXPECT_EQ(samples.front().x, -300.0);
  double expectedX = -300.0;
  for (size_t i = 0; i < samples.size(); ++i) {
    ASSERT_EQ(samples[i].x, expectedX) << i;
    expectedX = expectedX + 0.1;
  }
  EXPECT_GT(samples.back().x, 1011.9);
  EXPECT_LE(samples.back().x, 1012.0);
  // One site: the samples lie on its parabola and it owns all of them.
  EXPECT_EQ(samples[7000].y, ((samples[7000].x - 400) * (samples[7000].x - 400) + 700.0 * 700.0 -
                              600.0 * 600.0) / ((700.0 - 600.0) * 2));
  EXPECT_EQ(offBeach[1], 0);
  EXPECT_TRUE(whiteLines().empty());
  // Every sample is its own point group: size, begin, colour, vertex, end.
  const auto& c = glrec::calls();
  ASSERT_EQ(c.size(), 5u * 13120);
  EXPECT_EQ(c[0].op, glrec::Op::PointSize);
  EXPECT_EQ(c[1].op, glrec::Op::Begin);
  EXPECT_EQ(c[2].op, glrec::Op::Color3d);
  EXPECT_EQ(c[3].op, glrec::Op::Vertex3d);
  EXPECT_EQ(c[4].op, glrec::Op::End);
}

TEST_F(BeachLine, OnlyPositionsOneTo99AreResetOffTheBeach) {
  for (int i = 0; i < SITE_TABLE_SIZE; ++i) offBeach[i] = 7;
  traceAt(600.0);  // no site at all
  EXPECT_TRUE(glrec::calls().empty());
  EXPECT_EQ(offBeach[0], 7);
  for (int i = 1; i <= 99; ++i) ASSERT_EQ(offBeach[i], 1) << i;
  for (int i = 100; i < SITE_TABLE_SIZE; ++i) ASSERT_EQ(offBeach[i], 7) << i;
}

TEST_F(BeachLine, PositionsFrom100OnAlwaysCountAsOnTheBeach) {
  // 120 sites at one position: the first in activeSites owns every sample; of the others,
  // only those at positions 100 to 120 are never flagged off.
  for (int i = 0; i < 120; ++i) place(450, 700);
  traceAt(600.0);
  traceAt(599.0);
  EXPECT_EQ(activeCount, 120);
  EXPECT_EQ(beachCount, 1 + 21);
}

TEST_F(BeachLine, EquallyLowParabolasGoToTheLowerPosition) {
  place(450, 700);
  place(450, 700);
  traceAt(600.0);
  EXPECT_EQ(offBeach[1], 0);
  EXPECT_EQ(offBeach[2], 1);
  EXPECT_TRUE(whiteLines().empty());
}

TEST_F(BeachLine, ABreakpointInsideTheSquareDrawsMarksAndRecordsRightAfterLeft) {
  const int left = place(300, 600);
  const int right = place(600, 600);
  traceAt(500.0);
  // The arcs meet at x = 450, at height (150^2 + 600^2 - 500^2) / 200 = 662.5.
  auto white = whiteLines();
  ASSERT_EQ(white.size(), 1u);
  EXPECT_NEAR(white[0].x1, 450.0, 0.1);
  EXPECT_EQ(white[0].x2, white[0].x1);
  EXPECT_EQ(white[0].y1, 0.0);
  EXPECT_EQ(white[0].y2, 912.0);
  EXPECT_EQ(white[0].lineWidth, 1.0);  // nothing has set a width
  const int cx = static_cast<int>(white[0].x1);
  EXPECT_EQ(traceRaster[cx][662], 1);
  EXPECT_EQ(delaunayAdj[right][left], 1);
  EXPECT_EQ(delaunayAdj[left][right], 0);
  // The line comes right after the point of its sample.
  const auto prims = glrec::primitives();
  for (size_t i = 1; i < prims.size(); ++i) {
    if (prims[i].mode != GL_LINES) continue;
    EXPECT_EQ(prims[i - 1].mode, static_cast<GLenum>(GL_POINTS));
    EXPECT_EQ(prims[i - 1].vertices[0].x, white[0].x1);
  }
}

TEST_F(BeachLine, ABreakpointWithTheLineAtOrBelowZeroMarksButDrawsNoLine) {
  const int left = place(300, 600);
  const int right = place(600, 600);
  traceAt(0.0);
  EXPECT_TRUE(whiteLines().empty());
  // At x = 450 the arcs meet at (150^2 + 600^2) / 1200 = 318.75.
  EXPECT_EQ(traceRaster[449][318] + traceRaster[450][318], 1);
  EXPECT_EQ(delaunayAdj[right][left], 1);
}

TEST_F(BeachLine, BreakpointsOutsideTheSquareOnlyRecordNeighbours) {
  // Beyond x = 912: the arcs meet at x = 950, still within the samples.
  const int a = place(900, 600);
  const int b = place(1000, 600);
  traceAt(500.0);
  // Above y = 912: two sites just above the line meet far up.
  const int c = place(300, 900);
  const int d = place(600, 900);
  traceAt(899.0);
  EXPECT_TRUE(whiteLines().empty());
  EXPECT_EQ(delaunayAdj[b][a], 1);
  EXPECT_EQ(delaunayAdj[d][c], 1);
  for (int x = 0; x < GRID_SIZE; ++x)
    for (int y = 0; y < GRID_SIZE; ++y) ASSERT_EQ(traceRaster[x][y], 0);
}

TEST_F(BeachLine, ATraceMarkNeverReplacesAVertexMark) {
  place(300, 600);
  place(600, 600);
  traceRaster[449][662] = 2;
  traceRaster[450][662] = 2;
  traceAt(500.0);
  EXPECT_EQ(traceRaster[449][662], 2);
  EXPECT_EQ(traceRaster[450][662], 2);
  EXPECT_EQ(whiteLines().size(), 1u);  // the line is drawn all the same
}

TEST_F(BeachLine, NeighbourLookupTakesTheHighestOfEqualSites) {
  place(300, 600);
  const int right = place(600, 600);
  const int leftAgain = place(300, 600);
  traceAt(500.0);
  EXPECT_EQ(delaunayAdj[right][leftAgain], 1);
  EXPECT_EQ(delaunayAdj[right][1], 0);
}

}  // namespace
