// The Voronoi diagram and Delaunay triangulation of a set of sites as CGAL computes them, with
// exact predicates, in plain tables that the judging code reads without CGAL's headers.
// Coincident sites are one position; a set of four or more sites on one empty circle is one
// Voronoi vertex, and pairs across such a circle are no Voronoi neighbours.
#pragma once

#include <set>
#include <utility>
#include <vector>

namespace reference {

struct Point {
  double x;
  double y;
};

// An unordered pair of position numbers, smaller first.
using Pair = std::pair<int, int>;
Pair pairOf(int a, int b);

// A Voronoi edge with two ends: the centres of two empty circles. `onCircle` lists the
// positions on each end's circle (three or more): any three of them make that vertex.
struct FiniteEdge {
  Pair sites;
  Point end[2];
  std::vector<int> onCircle[2];
  double lowest[2];  // the lowest point of each end's circle, its circle event's height
};

struct Diagram {
  std::vector<int> positionOf;  // per input site: its position number
  std::vector<Point> positions;
  std::vector<FiniteEdge> finiteEdges;
  std::set<Pair> voronoiNeighbours;  // cells sharing an edge of positive length, finite or not
  std::set<Pair> delaunayPairs;      // pairs on one empty circle: edges of some triangulation
};

Diagram diagramOf(const std::vector<Point>& sites);

}  // namespace reference
