// The empty-circle test over all sites, active or not. Sites lying on one of the three
// points of the triple are left out, so duplicates of those never spoil their own circle.
//
// A site is inside when the square root of its squared distance is less than the radius, the
// square root of the radius's squared distance. Square roots are correctly rounded and never
// decrease, so a squared distance at least the radius's cannot give a smaller root: only the
// sites that are closer in squares need their root taken, and the first site found inside
// decides the test.
#include <cmath>

#include "sweep/circle_event_parts.h"

namespace {
bool isAt(const Site& s, int x, int y) { return s.x == x && s.y == y; }
}  // namespace

bool siteInsideCircle(const CircleCentre& c, int x1, int y1, int x2, int y2, int x3, int y3) {
  for (int m = 1; m <= siteCount; ++m) {
    const double dx = c.x - sites[m].x;
    const double dy = c.y - sites[m].y;
    const double squared = dx * dx + dy * dy;
    if (!(squared < c.radiusSquared)) continue;
    if (!(std::sqrt(squared) < c.radius)) continue;
    if (isAt(sites[m], x1, y1) || isAt(sites[m], x2, y2) || isAt(sites[m], x3, y3)) continue;
    return true;
  }
  return false;
}
