// The end of a running frame: the sweep line and its step, the grid marks, the finished
// diagram once the line is at or below 0, and the drawing order of it all.
#include <GL/gl.h>

#include "sweep/draw_frame.h"
#include "sweep/mark_index.h"
#include "sweep/steps.h"
#include "tests/sweep/sweep_fixture.h"

namespace {

using SweepAdvance = FreshSweep;

struct StepCase {
  int near;
  int beach;
  double step;
};

TEST_F(SweepAdvance, StepDependsOnNearLineAndBeachCount) {
  const StepCase cases[] = {{1, 0, 0.2},  {1, 499, 0.2}, {0, 0, 1.0},  {0, 99, 1.0},
                            {0, 100, 2.0}, {0, 199, 2.0}, {1, 100, 0.2}};
  for (const StepCase& k : cases) {
    sweepY = 750.0;
    nearLine = k.near;
    beachCount = k.beach;
    advanceSweep();
    EXPECT_EQ(sweepY, 750.0 - k.step) << k.near << " / " << k.beach;
  }
}

TEST_F(SweepAdvance, TheSweepLineIsDrawnAtTheHeightBeforeTheStep) {
  sweepY = 321.5;
  advanceSweep();
  auto blue = glrec::lines(0, 0, 1);
  ASSERT_EQ(blue.size(), 1u);
  EXPECT_EQ(blue[0].x1, 0.0);
  EXPECT_EQ(blue[0].y1, 321.5);
  EXPECT_EQ(blue[0].x2, 1012.0);
  EXPECT_EQ(blue[0].y2, 321.5);
  EXPECT_EQ(glrec::countCalls(glrec::Op::LineWidth), 0u);  // the current width is used
  EXPECT_EQ(sweepY, 320.5);
}

TEST_F(SweepAdvance, WithoutSitesTheLineFallsOnePixelPerFrame) {
  startSweep();
  drawFrame();
  drawFrame();
  EXPECT_EQ(sweepY, 748.0);
  // Clear, then the sweep line: nothing else.
  EXPECT_EQ(glrec::lines(0, 0, 1).size(), 2u);
  EXPECT_EQ(glrec::countPrimitives(GL_POINTS), 0u);
  EXPECT_EQ(platformtest::swapCount(), 2);
}

TEST_F(SweepAdvance, RunningSumsOfTheSlowStepLeaveWholeNumbers) {
  place(10, 749);  // within a pixel of the line from 750 down to just above 748
  startSweep();
  double expected = 750.0;
  for (int i = 0; i < 12; ++i) {
    drawFrame();
    expected = expected - (expected - 749.0 < 1.0 && expected - 749.0 > -1.0 ? 0.2 : 1.0);
    ASSERT_EQ(sweepY, expected) << i;
  }
  EXPECT_NE(sweepY, static_cast<double>(static_cast<int>(sweepY)));
}

TEST_F(SweepAdvance, MarksSkipRowAndColumnZeroAndRunXOuterYInner) {
  traceRaster[0][5] = 1;
  traceRaster[5][0] = 2;
  traceRaster[0][0] = 2;
  traceRaster[4][2] = 1;
  traceRaster[3][7] = 2;
  traceRaster[3][9] = 1;
  traceRaster[911][911] = 1;
  traceRaster[1][1] = 2;
  reindexMarks();  // the cells were set by hand, not by the frame routine
  drawMarks();
  auto green = glrec::points(0, 1, 0, 1);
  auto cyan = glrec::points(0, 1, 1, 5);
  ASSERT_EQ(green.size(), 3u);
  ASSERT_EQ(cyan.size(), 2u);
  EXPECT_EQ(glrec::countPrimitives(GL_POINTS), 5u);
  const auto prims = glrec::primitives();
  const double order[5][2] = {{1, 1}, {3, 7}, {3, 9}, {4, 2}, {911, 911}};
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(prims[i].vertices.size(), 1u);
    EXPECT_EQ(prims[i].vertices[0].x, order[i][0]);
    EXPECT_EQ(prims[i].vertices[0].y, order[i][1]);
  }
}

class FinishedDiagram : public FreshSweep {
 protected:
  void SetUp() override {
    FreshSweep::SetUp();
    // A row far above: its collinear triples give no event near the line, and at a line
    // near 0 the trace finds the neighbours (400 after 100) and (700 after 400), with
    // breakpoints too high for marks.
    place(100, 2000);
    place(700, 2000);
    place(400, 2000);
    startSweep();
    edgeEnds[1][2] = Site{400.0, 300.0};
    edgeEnds[2][1] = Site{400.0, 50.0};
    edgeEndCount[1][2] = 1;
    edgeEndCount[2][1] = 2;
    edgeEnds[1][3] = Site{1.0, 2.0};  // one end only: no edge
    edgeEndCount[1][3] = 1;
    traceRaster[10][10] = 1;
    reindexMarks();
  }
  static size_t cyanLines() { return glrec::lines(0, 1, 1).size(); }
  static size_t greenLines() { return glrec::lines(0, 1, 0).size(); }
};

TEST_F(FinishedDiagram, NotDrawnWhileTheLineStaysAboveZero) {
  sweepY = 1.5;
  sweepDirection = 1;
  drawFrame();
  EXPECT_EQ(sweepY, 0.5);
  EXPECT_EQ(cyanLines(), 0u);
  EXPECT_EQ(greenLines(), 0u);
}

TEST_F(FinishedDiagram, DrawnInTheFrameWhoseStepReachesZero) {
  sweepY = 1.0;  // exactly 0.0 after the step counts as passed
  sweepDirection = 1;
  drawFrame();
  EXPECT_EQ(sweepY, 0.0);
  auto blue = glrec::lines(0, 0, 1);
  ASSERT_EQ(blue.size(), 1u);
  EXPECT_EQ(blue[0].y1, 1.0);  // the sweep line at the old height
  EXPECT_EQ(cyanLines(), 2u);
  auto green = glrec::lines(0, 1, 0);
  ASSERT_EQ(green.size(), 2u);  // the pair (1, 2) from both orientations
  EXPECT_EQ(green[0].x1, 400.0);
  EXPECT_EQ(green[0].y1, 300.0);
  EXPECT_EQ(green[0].y2, 50.0);
  EXPECT_EQ(green[1].y1, 50.0);
  EXPECT_EQ(green[1].y2, 300.0);
  for (const auto& l : green) EXPECT_EQ(l.lineWidth, 2.0);
  EXPECT_EQ(platformtest::swapCount(), 1);
}

TEST_F(FinishedDiagram, DelaunayEdgesOnlyWhileTheDirectionIsPlusOne) {
  sweepY = -3.0;
  drawFrame();  // direction -1, its start value
  EXPECT_EQ(cyanLines(), 0u);
  EXPECT_EQ(greenLines(), 2u);
  glrec::reset();
  sweepDirection = 1;
  drawFrame();
  auto cyan = glrec::lines(0, 1, 1);
  ASSERT_EQ(cyan.size(), 2u);
  // i outer, j inner: (2, 3) before (3, 1), each from site i to site j.
  EXPECT_EQ(cyan[0].x1, 700.0);
  EXPECT_EQ(cyan[0].x2, 400.0);
  EXPECT_EQ(cyan[1].x1, 400.0);
  EXPECT_EQ(cyan[1].x2, 100.0);
  EXPECT_EQ(delaunayAdj[2][3] + delaunayAdj[3][1], 2);
  for (const auto& l : cyan) EXPECT_EQ(l.lineWidth, 1.0);
}

TEST_F(FinishedDiagram, DrawingOrderOfTheSecondHalfOfAFrame) {
  sweepY = 0.5;
  sweepDirection = 1;
  drawFrame();
  const auto prims = glrec::primitives();
  // The phases in order: sites (red, 7), beach line (red, 2), sweep line (blue), marks,
  // Delaunay edges (cyan lines, width 1), Voronoi edges (green lines, width 2).
  auto phaseOf = [](const glrec::Primitive& p) {
    const glrec::State& s = p.vertices.at(0).state;
    auto is = [&](double r, double g, double b) {
      return s.colour[0] == r && s.colour[1] == g && s.colour[2] == b;
    };
    if (p.mode == GL_POINTS && is(1, 0, 0) && s.pointSize == 7) return 0;
    if (p.mode == GL_POINTS && is(1, 0, 0) && s.pointSize == 2) return 1;
    if (p.mode == GL_LINES && is(0, 0, 1)) return 2;
    if (p.mode == GL_POINTS && is(0, 1, 0) && s.pointSize == 1) return 3;
    if (p.mode == GL_LINES && is(0, 1, 1) && s.lineWidth == 1) return 4;
    if (p.mode == GL_LINES && is(0, 1, 0) && s.lineWidth == 2) return 5;
    return -1;
  };
  int last = 0;
  int seen[6] = {0, 0, 0, 0, 0, 0};
  for (const auto& p : prims) {
    int phase = phaseOf(p);
    ASSERT_GE(phase, last) << "primitive at call " << p.beginIndex;
    last = phase;
    ++seen[phase];
  }
  EXPECT_EQ(seen[0], 3);
  EXPECT_EQ(seen[1], 13120);
  EXPECT_EQ(seen[2], 1);
  EXPECT_EQ(seen[3], 1);
  EXPECT_EQ(seen[4], 2);
  EXPECT_EQ(seen[5], 2);
  EXPECT_EQ(platformtest::swapCount(), 1);
}

TEST_F(FinishedDiagram, APairWithOneStoredEndDrawsNothing) {
  edgeEndCount[2][1] = 0;
  sweepY = -1.0;
  drawFrame();
  EXPECT_EQ(greenLines(), 0u);
}

}  // namespace
