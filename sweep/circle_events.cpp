// Circle events by brute force over all triples of beach sites: circles through three beach
// sites that hold no site and whose lowest point the sweep line has not left more than
// 7 pixels behind. Each centre is a Voronoi vertex: recorded per site pair, marked on the
// grid and drawn with its circle. Nothing is remembered between frames except the
// recorded ends and the marks, so a lasting event is found and drawn again every frame.
#include "sweep/circle_event_parts.h"
#include "sweep/frame_values.h"
#include "sweep/steps.h"

namespace {

void handleTriple(const Site& s1, const Site& s2, const Site& s3) {
  // Site coordinates are whole numbers, so these conversions are exact.
  int x1 = static_cast<int>(s1.x), y1 = static_cast<int>(s1.y);
  int x2 = static_cast<int>(s2.x), y2 = static_cast<int>(s2.y);
  int x3 = static_cast<int>(s3.x), y3 = static_cast<int>(s3.y);

  CircleCentre c = circumcentre(x1, y1, x2, y2, x3, y3);
  // Three collinear or coincident sites have no circumcircle. The nudged division still gives
  // them a centre, but it lies on none of their bisectors (far away, or the origin), so it is
  // no Voronoi vertex: such a triple is no event, and nothing is tested, recorded or drawn.
  if (c.d1 == 0) return;
  Site v{c.x, c.y};
  double radius = c.radius;

  testCircleForSites(v, radius, x1, y1, x2, y2, x3, y3);
  if (insideFlag == 1) return;
  if (!(v.y - radius <= sweepY + 7.0)) return;

  TripleSites t = findSiteNumbers(x1, y1, x2, y2, x3, y3);
  recordEdgeEnd(t.a, t.b, v);
  recordEdgeEnd(t.a, t.c, v);
  recordEdgeEnd(t.b, t.c, v);

  drawVertexDot(v);
  markVertex(v);
  drawEventCircle(v, radius);
}

}  // namespace

void findCircleEvents() {
  if (!(sweepY > 0.0)) return;
  for (int i = 3; i <= beachCount; ++i)
    for (int j = 2; j <= i - 1; ++j)
      for (int k = 1; k <= j - 1; ++k) handleTriple(beachSites[i], beachSites[j], beachSites[k]);
}
