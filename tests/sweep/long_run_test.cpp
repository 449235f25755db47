// A long run: the sweep never stops, and the line keeps falling below the window for as long
// as the program runs. 20,000 frames at 199 random sites, the calls going to the recorder
// unstored, must do nothing undefined (the sanitized build runs it too) and must leave the
// tables the finished picture is drawn from as they were once the line was far below.
#include <cmath>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "app/handlers.h"
#include "sweep/draw_frame.h"
#include "tests/sweep/scene_script.h"
#include "tests/sweep/sweep_fixture.h"

namespace {

constexpr int kFrames = 20000;

// The lowest point of any empty circle through three sites (a Delaunay triangle's
// circumcircle), computed here on its own. When the line passes it, the middle arc of those
// three leaves the beach line and its two neighbours meet: the last change the trace can
// make. For sites nearly in a row along the bottom of the window that point lies far below
// it: a circle through three whole-pixel sites may be hundreds of millions of pixels across.
double lowestEmptyCircleBottom() {
  double lowest = 0.0;
  for (int i = 1; i <= siteCount; ++i)
    for (int j = i + 1; j <= siteCount; ++j)
      for (int k = j + 1; k <= siteCount; ++k) {
        const double ax = sites[i].x, ay = sites[i].y, bx = sites[j].x - ax,
                     by = sites[j].y - ay, cx = sites[k].x - ax, cy = sites[k].y - ay;
        const double d = 2 * (bx * cy - by * cx);
        if (d == 0) continue;
        const double ux = (cy * (bx * bx + by * by) - by * (cx * cx + cy * cy)) / d;
        const double uy = (bx * (cx * cx + cy * cy) - cx * (bx * bx + by * by)) / d;
        const double r = std::sqrt(ux * ux + uy * uy);
        const double bottom = ay + uy - r;
        if (!(bottom < lowest)) continue;
        bool empty = true;
        for (int m = 1; m <= siteCount && empty; ++m) {
          const double dx = sites[m].x - ax - ux, dy = sites[m].y - ay - uy;
          if (std::sqrt(dx * dx + dy * dy) < r * (1 - 1e-12)) empty = false;
        }
        if (empty) lowest = bottom;
      }
  return lowest;
}

// The tables the finished picture is drawn from.
struct Picture {
  std::vector<unsigned char> bytes;
  static Picture take() {
    Picture p;
    auto add = [&p](const void* table, size_t size) {
      const auto* b = static_cast<const unsigned char*>(table);
      p.bytes.insert(p.bytes.end(), b, b + size);
    };
    add(edgeEnds, sizeof edgeEnds);
    add(edgeEndCount, sizeof edgeEndCount);
    add(delaunayAdj, sizeof delaunayAdj);
    add(traceRaster, sizeof traceRaster);
    return p;
  }
};

class LongRun : public FreshSweep {};

TEST_F(LongRun, TwentyThousandFramesAt199SitesSettleOnceTheLineIsFarBelow) {
  onReshape(985, 730);
  SceneDice dice(20261209);
  std::set<std::pair<int, int>> placed;
  while (siteCount < MAX_SITES) {
    const int x = dice.between(1, 984), y = dice.between(1, 729);
    if (!placed.insert({x, y}).second) continue;
    WfEvent press{WF_MOUSE_PRESS, x, 730 - y, 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();
  glrec::setStoring(false);
  // Settled from a little below the lowest empty circle (events count up to 7 pixels past
  // it), or from a window height below the window, whichever is lower.
  const double farBelow = std::fmin(lowestEmptyCircleBottom() - 10.0, -730.0);

  int lineDidNotFall = 0;
  Picture settled;
  for (int frame = 1; frame <= kFrames; ++frame) {
    const double before = sweepY;
    drawFrame();
    if (!(sweepY < before) || !std::isfinite(sweepY)) ++lineDidNotFall;
    if (settled.bytes.empty() && sweepY <= farBelow) settled = Picture::take();
  }
  EXPECT_EQ(lineDidNotFall, 0);
  EXPECT_LT(sweepY, -15000.0);
  ASSERT_FALSE(settled.bytes.empty());
  EXPECT_TRUE(Picture::take().bytes == settled.bytes)
      << "the finished picture's tables changed after the line was at " << farBelow;
  // A picture was made at all: edges with both ends, and neighbours (each pair counted in
  // both orders).
  int finiteEdges = 0, neighbours = 0;
  for (int p = 1; p <= MAX_SITES; ++p)
    for (int q = 1; q <= MAX_SITES; ++q) {
      if (edgeEndCount[p][q] > 0 && edgeEndCount[q][p] > 0) ++finiteEdges;
      if (delaunayAdj[p][q] != 0) ++neighbours;
    }
  EXPECT_GT(finiteEdges, 300);
  EXPECT_GT(neighbours, 600);
  std::printf("settled below %.1f: %d edges with both ends, %d neighbours, line at %.1f\n",
              farBelow, finiteEdges / 2, neighbours, sweepY);
}

// Days of running, without running them: the line set directly to heights it reaches after
// weeks (beyond the int range, where the height minus a site's no longer fits an int), after
// millions of years (2^53, where subtracting the step no longer changes it), and far beyond
// anything it can reach. Every frame there must convert nothing out of range (the sanitized
// build checks each conversion of the frame routine) and draw the same finished diagram as
// just below the window.
TEST_F(LongRun, FramesWithTheLineSetFarDownDrawTheSameFinishedDiagram) {
  onReshape(985, 730);
  SceneDice dice(7);
  for (int i = 0; i < 30; ++i) {
    WfEvent press{WF_MOUSE_PRESS, dice.between(1, 984), dice.between(1, 729), 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();
  onRightArrow();  // the Delaunay edges too
  glrec::setStoring(false);
  while (sweepY > -2000.0) drawFrame();
  glrec::setStoring(true);
  glrec::reset();
  drawFrame();
  const auto voronoi = glrec::lines(0, 1, 0);
  const auto delaunay = glrec::lines(0, 1, 1);
  ASSERT_GT(voronoi.size(), 20u);
  ASSERT_GT(delaunay.size(), 40u);

  const double heights[] = {-2147483648.0 - 2000.0, -1e12, -9007199254740992.0, -1e300};
  for (double h : heights) {
    SCOPED_TRACE(h);
    sweepY = h;
    glrec::reset();
    drawFrame();
    EXPECT_LE(sweepY, h);
    EXPECT_GE(sweepY, h - 2.0);
    EXPECT_EQ(nearLine, 0);
    EXPECT_EQ(activeCount, 30);
    EXPECT_EQ(glrec::lines(1, 1, 1).size(), 0u);  // no breakpoint lines below the window
    const auto v = glrec::lines(0, 1, 0);
    const auto d = glrec::lines(0, 1, 1);
    ASSERT_EQ(v.size(), voronoi.size());
    ASSERT_EQ(d.size(), delaunay.size());
    for (size_t i = 0; i < v.size(); ++i)
      EXPECT_TRUE(v[i].x1 == voronoi[i].x1 && v[i].y1 == voronoi[i].y1 &&
                  v[i].x2 == voronoi[i].x2 && v[i].y2 == voronoi[i].y2) << i;
  }
}

}  // namespace
