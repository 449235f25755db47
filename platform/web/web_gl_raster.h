// Where desktop OpenGL puts what the program draws, for the browser: window coordinates from
// the matrices and the viewport (platform/gl_window_transform.h), and the rules by which
// aliased points (platform/aliased_points.h) and wide lines cover pixels, expressed as
// positions WebGL then rasterises to the same pixels.
#pragma once

#include <cmath>

#include "platform/aliased_points.h"
#include "platform/gl_window_transform.h"
#include "platform/web/web_gl.h"

struct WebWindowPoint {
  double x, y;
  bool inside;  // within the clip volume: a point outside it is not drawn at all
};
// The vertex (x, y, z, 1) in window coordinates on desktop GL's sub-pixel grid (1/256 of a
// pixel), as a rasteriser sees it. The general case, with a perspective division.
WebWindowPoint webProjectivePoint(const GlTransform& transform, double x, double y, double z);

// The window point at window coordinates (wx, wy) and clip z cz, of an affine transform.
inline WebWindowPoint webWindowPointAt(const GlTransform& t, double wx, double wy, double cz) {
  const bool inside = wx >= t.viewport.x && wx <= t.right && wy >= t.viewport.y && wy <= t.top &&
                      cz >= -1.0 && cz <= 1.0;
  return WebWindowPoint{onSubpixelGrid(wx), onSubpixelGrid(wy), inside};
}

// The usual case, without a perspective row.
inline WebWindowPoint webAffinePoint(const GlTransform& t, double x, double y, double z) {
  return webWindowPointAt(t, t.windowX[0] * x + t.windowX[1] * y + t.windowX[2] * z + t.windowX[3],
                          t.windowY[0] * x + t.windowY[1] * y + t.windowY[2] * z + t.windowY[3],
                          t.clipZ[0] * x + t.clipZ[1] * y + t.clipZ[2] * z + t.clipZ[3]);
}

// A point under an axis-aligned transform, where nearly every vertex of a frame goes: inline.
// The same as webAffinePoint to the bit, but for the sign of a zero coordinate, which does
// not move a point's centre: for finite coordinates the rows' other terms are exact zeros;
// a coordinate that is not finite makes the full rows' clip z NaN, and here a window
// coordinate or clip z infinite or NaN, outside either way.
inline WebWindowPoint webAxisAlignedPoint(const GlTransform& t, double x, double y, double z) {
  return webWindowPointAt(t, t.windowX[0] * x + t.windowX[3], t.windowY[1] * y + t.windowY[3],
                          t.clipZ[2] * z + t.clipZ[3]);
}

// The size in whole pixels that an aliased point or line of this size covers.
inline int webAliasedSize(double size) { return size < 1.5 ? 1 : static_cast<int>(size + 0.5); }

// A line `width` pixels wide as two triangles: the segment widened along its minor axis
// (vertically when it runs more across than up), as desktop GL widens aliased lines.
void webWideLineQuad(const WebVertex& from, const WebVertex& to, int width, WebVertex out[6]);
