// Where desktop OpenGL draws an aliased point (no smoothing, no sprite) of a whole size: its
// window coordinates are snapped to the nearest 1/256 of a pixel, and its square of pixels
// is placed by one pixel of it. Mesa's software renderer does exactly this for the sizes the
// program uses (1, 2, 5 and 7; at a size of exactly n + 1/2 it covers n pixels, not the n + 1
// that rounding would give); the browser's GL subset reproduces it for WebGL.
#pragma once

#include <cmath>
#include <cstdint>

inline double onSubpixelGrid(double v) { return std::nearbyint(v * 256.0) / 256.0; }

// The centre of an aliased point of a size: odd sizes at the middle of the pixel that holds
// the vertex, floor(v) + 0.5, even sizes at the pixel corner nearest to it, floor(v + 0.5).
// Both as floor(v + before) + after, without a branch: adding a zero changes neither (v + 0
// differs from v only for v = -0, whose floor plus 0.5 is 0.5 all the same; floor(v + 0.5)
// is never -0, as v + 0.5 never is). floor(v + before), the centre less `after`, is the
// placing pixel: the one holding the centre (odd sizes) or above and right of it (even).
struct PointCentring {
  double before, after;
};
inline PointCentring pointCentring(int size) {
  return size % 2 == 1 ? PointCentring{0.0, 0.5} : PointCentring{0.5, 0.0};
}
inline double pointCentre(double windowCoordinate, const PointCentring& c) {
  return std::floor(windowCoordinate + c.before) + c.after;
}

// The placing pixel of a point whose window coordinate, as the renderer computes it, lies
// within `error` of `window`, before snapping: NaN unless every value in that interval,
// snapped to 1/256 (half a step at most), gives the same pixel. Kept to whole numbers:
// std::floor is a long sequence where the processor has no rounding instruction, and this
// runs for every point.
inline double certainPlacingPixel(double window, double error, const PointCentring& c) {
  const double v = window + c.before, margin = error + 1.0 / 512;
  if (!(v > -1e15 && v < 1e15)) return NAN;  // no window is so wide, nor NaN
  const double truncated = static_cast<double>(static_cast<int64_t>(v));
  const double pixel = truncated > v ? truncated - 1 : truncated;
  return v - margin >= pixel && v + margin < pixel + 1 ? pixel : NAN;
}
