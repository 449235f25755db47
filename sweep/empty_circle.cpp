// The empty-circle test over all sites, active or not. Sites lying on one of the three
// points of the triple are left out, so duplicates of those never spoil their own circle.
#include <cmath>

#include "sweep/circle_event_parts.h"

namespace {
bool isAt(const Site& s, int x, int y) { return s.x == x && s.y == y; }
}  // namespace

void testCircleForSites(const Site& centre, double radius, int x1, int y1, int x2, int y2,
                        int x3, int y3) {
  insideFlag = 0;
  for (int m = 1; m <= siteCount; ++m) {
    double dx = centre.x - sites[m].x;
    double dy = centre.y - sites[m].y;
    double dm = std::sqrt(dx * dx + dy * dy);
    if (dm < radius && !isAt(sites[m], x1, y1) && !isAt(sites[m], x2, y2) &&
        !isAt(sites[m], x3, y3))
      insideFlag = 1;
  }
}
