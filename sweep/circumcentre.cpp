// The centre of the circle through three integer points, from integer numerators and
// denominators. Collinear or coincident points give a zero denominator; it is nudged to
// 0.01 instead, which puts the centre far away (or at the origin when the numerator is 0).
#include <cmath>

#include "sweep/circle_event_parts.h"

CircleCentre circumcentre(int x1, int y1, int x2, int y2, int x3, int y3) {
  const int64_t X1 = x1, Y1 = y1, X2 = x2, Y2 = y2, X3 = x3, Y3 = y3;
  CircleCentre c;
  c.d1 = (X3 - X1) * (Y1 - Y2) - (X2 - X1) * (Y1 - Y3);
  c.n1 = (X3 - X1) * (X2 - X1) * (X3 - X2) + (X3 - X1) * (Y1 - Y2) * (Y1 + Y2) -
         (X2 - X1) * (Y1 + Y3) * (Y1 - Y3);
  double e1 = c.d1 == 0 ? 0.01 : 0.0;
  c.y = static_cast<double>(c.n1) / (static_cast<double>(2 * c.d1) + e1);
  c.d2 = (Y3 - Y1) * (X1 - X2) - (Y2 - Y1) * (X1 - X3);
  c.n2 = (Y3 - Y1) * (Y2 - Y1) * (Y3 - Y2) + (Y3 - Y1) * (X1 - X2) * (X1 + X2) -
         (Y2 - Y1) * (X1 + X3) * (X1 - X3);
  double e2 = c.d2 == 0 ? 0.01 : 0.0;
  c.x = static_cast<double>(c.n2) / (static_cast<double>(2 * c.d2) + e2);
  c.radiusSquared = (c.x - x1) * (c.x - x1) + (c.y - y1) * (c.y - y1);
  c.radius = std::sqrt(c.radiusSquared);
  return c;
}
