// The height of a site's parabola: the point above x equally far from site a and from the
// sweep line. Kept in exactly this form: the frame's drawing is defined to the last bit.
// Inline, since the beach-line trace evaluates it 13,120 times per active site per frame.
#pragma once

#include "app/scene.h"

inline double parabolaHeight(const Site& a, double x) {
  return ((x - a.x) * (x - a.x) + a.y * a.y - sweepY * sweepY) / ((a.y - sweepY) * 2);
}
