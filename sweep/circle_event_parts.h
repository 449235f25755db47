// The pieces of one candidate circle event: its centre, the empty-circle test, the
// recording of the vertex per site pair, and its drawing.
#pragma once

#include <cstdint>

#include "app/scene.h"

// The circle through three integer points: its centre and its radius, the distance from the
// centre to the first point. The numerators and denominators are kept in 64 bits: they equal
// the 32-bit values wherever those do not overflow, and they cannot overflow for coordinates
// up to 2^19 in magnitude (each product of three factors stays below 2^60), far beyond any
// window.
struct CircleCentre {
  int64_t d1, n1, d2, n2;
  double x, y;
  double radiusSquared;  // the sum under the radius's square root
  double radius;
};
CircleCentre circumcentre(int x1, int y1, int x2, int y2, int x3, int y3);

// The empty-circle test: whether some site other than one lying on (x1, y1), (x2, y2) or
// (x3, y3) is strictly closer to the centre than the radius, with the distances rounded as
// the square roots round them. It stops at the first such site.
bool siteInsideCircle(const CircleCentre& c, int x1, int y1, int x2, int y2, int x3, int y3);

// The site numbers of the three points: for each, the highest site number lying there
// (0 when none does).
struct TripleSites {
  int a, b, c;
};
TripleSites findSiteNumbers(int x1, int y1, int x2, int y2, int x3, int y3);

// Records vertex v as an end of the Voronoi edge between sites p and q: the first vertex goes
// into [p][q], a different later one into [q][p].
void recordEdgeEnd(int p, int q, const Site& v);

// The white vertex dot, the grid mark 2, and the ring of 3600 dots around the centre.
void drawVertexDot(const Site& v);
void markVertex(const Site& v);
void drawEventCircle(const Site& centre, double radius);
