// Site numbers of the three points of an event: where several sites share a position, the
// highest number is the one kept.
#include "sweep/circle_event_parts.h"

TripleSites findSiteNumbers(int x1, int y1, int x2, int y2, int x3, int y3) {
  TripleSites t{0, 0, 0};
  for (int m = 1; m <= siteCount; ++m) {
    if (sites[m].x - x1 == 0 && sites[m].y - y1 == 0) t.a = m;
    if (sites[m].x - x2 == 0 && sites[m].y - y2 == 0) t.b = m;
    if (sites[m].x - x3 == 0 && sites[m].y - y3 == 0) t.c = m;
  }
  return t;
}
