// Runs one scene's whole sweep headless and judges the finished tables against the diagram
// that CGAL computes for the same sites: the Voronoi edges drawn (pairs with both ends
// recorded) and the Delaunay neighbours recorded.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/geometry/reference_diagram.h"

// The program's client area.
constexpr int CLIENT_WIDTH = 985;
constexpr int CLIENT_HEIGHT = 730;

// The sites a user clicked into the client area before pressing Left, in the
// frame routine's coordinates (x from the left, y from the bottom, whole pixels).
struct ClickedScene {
  std::string name;
  std::vector<reference::Point> sites;
};

struct Verdict {
  std::vector<std::string> wrongEdges;     // neighbours, but drawn with other ends than theirs
  std::vector<std::string> falseEdges;     // drawn between sites that are no Voronoi neighbours
  std::vector<std::string> falseDelaunay;  // joined sites on no common empty circle
  int finiteEdges = 0;                     // the library's Voronoi edges with two ends
  // Of those, the ones drawn with both ends right, by position: positions are numbered from 0
  // in the order their sites were first clicked.
  std::set<reference::Pair> drawnRight;
  std::map<std::string, int> missedEnds;  // why the ends of the undrawn ones were not found
};

Verdict judgeSweep(const ClickedScene& scene);
