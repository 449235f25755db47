#include "tests/geometry/judged_sweep.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

#include "app/handlers.h"
#include "app/scene.h"
#include "platform/testing.h"
#include "sweep/draw_frame.h"
#include "sweep/frame_values.h"
#include "tests/support/gl_recorder.h"
#include "winfw/state.h"

namespace {

using reference::Pair;
using reference::pairOf;
using reference::Point;

// The positions that were beach sites in one frame that looked for circle events, and the
// height of the line those events were tested against.
struct BeachFrame {
  double sweepY;
  std::vector<bool> onBeach;
};

// The whole sweep as a user runs it: the presses, the Left arrow, then every frame up to the
// one that draws the finished diagram.
std::vector<BeachFrame> runWholeSweep(const ClickedScene& scene, const reference::Diagram& d) {
  restoreSceneStartValues();
  wfRestoreInitialState();
  platformtest::resetHeadless();
  glrec::reset();
  glrec::setStoring(false);
  onReshape(CLIENT_WIDTH, CLIENT_HEIGHT);
  for (const Point& s : scene.sites) {
    WfEvent press{WF_MOUSE_PRESS, static_cast<int32_t>(s.x),
                  CLIENT_HEIGHT - static_cast<int32_t>(s.y), 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();

  std::vector<BeachFrame> frames;
  while (sweepY > 0.0) {
    BeachFrame f{sweepY, std::vector<bool>(d.positions.size(), false)};
    drawFrame();
    for (int i = 1; i <= beachCount; ++i)
      for (int n = 1; n <= siteCount; ++n)
        if (sites[n].x == beachSites[i].x && sites[n].y == beachSites[i].y)
          f.onBeach[static_cast<size_t>(d.positionOf[static_cast<size_t>(n - 1)])] = true;
    frames.push_back(f);
  }
  return frames;
}

bool close(double got, double want) {
  return std::fabs(got - want) <= 1e-6 * std::max(1.0, std::fabs(want));
}
bool close(Point got, Point want) { return close(got.x, want.x) && close(got.y, want.y); }

std::string describeSite(int n) {
  std::ostringstream out;
  out << "site " << n << " (" << sites[n].x << ", " << sites[n].y << ")";
  return out.str();
}
std::string describePoint(Point p) {
  std::ostringstream out;
  out.precision(10);
  out << "(" << p.x << ", " << p.y << ")";
  return out.str();
}

// Why an end of an undrawn edge was not found: the sweep needs the pair and a third site of
// the end's empty circle on the beach together, in a frame whose line has not yet passed more
// than 7 pixels below that circle.
std::string whyMissed(const reference::FiniteEdge& e, int k,
                      const std::vector<BeachFrame>& frames) {
  const int u = e.sites.first, v = e.sites.second;
  bool together = false, inTime = false;
  for (const BeachFrame& f : frames) {
    if (!f.onBeach[static_cast<size_t>(u)] || !f.onBeach[static_cast<size_t>(v)]) continue;
    bool third = false;
    for (int w : e.onCircle[k])
      third = third || (w != u && w != v && f.onBeach[static_cast<size_t>(w)]);
    if (!third) continue;
    together = true;
    inTime = inTime || e.lowest[k] <= f.sweepY + 7.0;
  }
  const bool beyond = e.end[k].x < -300.0 || e.end[k].x > 1012.0;
  if (!together && beyond)
    return "sites never on the traced beach line at once, vertex beyond x -300 to 1012";
  if (!together) return "sites never on the traced beach line at once";
  if (!inTime)
    return "sites on the beach line at once only after the line passed 7 below the circle";
  return "sites on the beach line at once in time, vertex not recorded";
}

}  // namespace

Verdict judgeSweep(const ClickedScene& scene) {
  const reference::Diagram d = reference::diagramOf(scene.sites);
  const std::vector<BeachFrame> frames = runWholeSweep(scene, d);
  auto positionOf = [&](int n) { return d.positionOf[static_cast<size_t>(n - 1)]; };
  std::map<Pair, const reference::FiniteEdge*> finiteEdgeOf;
  for (const reference::FiniteEdge& e : d.finiteEdges) finiteEdgeOf[e.sites] = &e;

  Verdict verdict;
  for (int l = 1; l <= siteCount; ++l) {
    for (int m = l + 1; m <= siteCount; ++m) {
      if (edgeEndCount[l][m] == 0 || edgeEndCount[m][l] == 0) continue;
      const Point a{edgeEnds[l][m].x, edgeEnds[l][m].y}, b{edgeEnds[m][l].x, edgeEnds[m][l].y};
      const Pair uv = pairOf(positionOf(l), positionOf(m));
      const std::string drawn = describeSite(l) + " and " + describeSite(m) + ": drawn from " +
                                describePoint(a) + " to " + describePoint(b);
      if (uv.first == uv.second || d.voronoiNeighbours.count(uv) == 0) {
        verdict.falseEdges.push_back(drawn);
        continue;
      }
      auto found = finiteEdgeOf.find(uv);
      if (found == finiteEdgeOf.end()) {
        verdict.wrongEdges.push_back(drawn + ", but their edge is unbounded");
        continue;
      }
      const reference::FiniteEdge& e = *found->second;
      if ((close(a, e.end[0]) && close(b, e.end[1])) || (close(a, e.end[1]) && close(b, e.end[0])))
        verdict.drawnRight.insert(uv);
      else
        verdict.wrongEdges.push_back(drawn + ", their edge runs from " + describePoint(e.end[0]) +
                                     " to " + describePoint(e.end[1]));
    }
  }

  std::set<Pair> joined;
  for (int i = 1; i <= siteCount; ++i)
    for (int j = 1; j <= siteCount; ++j)
      if (delaunayAdj[i][j] == 1 && joined.insert(pairOf(i, j)).second) {
        const Pair uv = pairOf(positionOf(i), positionOf(j));
        if (uv.first == uv.second || d.delaunayPairs.count(uv) == 0)
          verdict.falseDelaunay.push_back(describeSite(i) + " and " + describeSite(j));
      }

  // The sweep records a position under its highest site number.
  std::vector<int> numberOf(d.positions.size(), 0);
  for (int n = 1; n <= siteCount; ++n) numberOf[static_cast<size_t>(positionOf(n))] = n;
  verdict.finiteEdges = static_cast<int>(d.finiteEdges.size());
  for (const reference::FiniteEdge& e : d.finiteEdges) {
    if (verdict.drawnRight.count(e.sites) != 0) continue;
    const int l = numberOf[static_cast<size_t>(e.sites.first)];
    const int m = numberOf[static_cast<size_t>(e.sites.second)];
    for (int k = 0; k < 2; ++k) {
      const bool kept =
          (edgeEndCount[l][m] != 0 && close(Point{edgeEnds[l][m].x, edgeEnds[l][m].y}, e.end[k])) ||
          (edgeEndCount[m][l] != 0 && close(Point{edgeEnds[m][l].x, edgeEnds[m][l].y}, e.end[k]));
      if (!kept) ++verdict.missedEnds[whyMissed(e, k, frames)];
    }
  }
  return verdict;
}
