// Where desktop OpenGL puts what the program draws: window coordinates from the matrices
// and the viewport, and the rules by which aliased points and wide lines cover pixels,
// expressed as positions WebGL then rasterises to the same pixels.
#pragma once

#include <cmath>

#include "platform/web/web_gl.h"

struct WebViewport {
  double x, y, width, height;
};

// Column-major 4 x 4, as OpenGL keeps them.
struct WebMatrix {
  double m[16];
};
WebMatrix webIdentity();
// m * ortho(left, right, bottom, top, near, far), as glOrtho multiplies the current matrix.
WebMatrix webTimesOrtho(const WebMatrix& m, double left, double right, double bottom,
                        double top, double nearZ, double farZ);

// a * b.
WebMatrix webProduct(const WebMatrix& a, const WebMatrix& b);

// From object to window coordinates: projection * modelview, then the viewport. Made once
// whenever a matrix or the viewport changes, not for every vertex.
struct WebTransform {
  WebMatrix clipOf;
  WebViewport viewport;
  // Without a perspective row (w = 1, as with glOrtho), window x and y are affine in the
  // vertex: these rows, with clip z for the clip test.
  bool affine;
  double windowX[4], windowY[4], clipZ[4];
  // Affine, and each row takes one coordinate only (window x from x, y from y, clip z from
  // z: glOrtho without rotation), so that a point needs one product and one sum per row.
  bool axisAligned;
  double right, top;  // the viewport's far edges
};
WebTransform webMakeTransform(const WebMatrix& projection, const WebMatrix& modelview,
                              const WebViewport& viewport);

struct WebWindowPoint {
  double x, y;
  bool inside;  // within the clip volume: a point outside it is not drawn at all
};
// The vertex (x, y, z, 1) in window coordinates on desktop GL's sub-pixel grid (1/256 of a
// pixel), as a rasteriser sees it. The general case, with a perspective division.
WebWindowPoint webProjectivePoint(const WebTransform& transform, double x, double y, double z);

inline double webOnSubpixelGrid(double v) { return std::nearbyint(v * 256.0) / 256.0; }

// The window point at window coordinates (wx, wy) and clip z cz, of an affine transform.
inline WebWindowPoint webWindowPointAt(const WebTransform& t, double wx, double wy, double cz) {
  const bool inside = wx >= t.viewport.x && wx <= t.right && wy >= t.viewport.y && wy <= t.top &&
                      cz >= -1.0 && cz <= 1.0;
  return WebWindowPoint{webOnSubpixelGrid(wx), webOnSubpixelGrid(wy), inside};
}

// The usual case, without a perspective row.
inline WebWindowPoint webAffinePoint(const WebTransform& t, double x, double y, double z) {
  return webWindowPointAt(t, t.windowX[0] * x + t.windowX[1] * y + t.windowX[2] * z + t.windowX[3],
                          t.windowY[0] * x + t.windowY[1] * y + t.windowY[2] * z + t.windowY[3],
                          t.clipZ[0] * x + t.clipZ[1] * y + t.clipZ[2] * z + t.clipZ[3]);
}

// A point under an axis-aligned transform, where nearly every vertex of a frame goes: inline.
// The same as webAffinePoint to the bit, but for the sign of a zero coordinate, which does
// not move a point's centre: for finite coordinates the rows' other terms are exact zeros;
// a coordinate that is not finite makes the full rows' clip z NaN, and here a window
// coordinate or clip z infinite or NaN, outside either way.
inline WebWindowPoint webAxisAlignedPoint(const WebTransform& t, double x, double y, double z) {
  return webWindowPointAt(t, t.windowX[0] * x + t.windowX[3], t.windowY[1] * y + t.windowY[3],
                          t.clipZ[2] * z + t.clipZ[3]);
}

// The size in whole pixels that an aliased point or line of this size covers.
inline int webAliasedSize(double size) { return size < 1.5 ? 1 : static_cast<int>(size + 0.5); }

// The centre of an aliased point of a size: odd sizes at the middle of the pixel that holds
// the vertex, floor(v) + 0.5, even sizes at the pixel corner nearest to it, floor(v + 0.5).
// Both as floor(v + before) + after, without a branch: adding a zero changes neither (v + 0
// differs from v only for v = -0, whose floor plus 0.5 is 0.5 all the same; floor(v + 0.5)
// is never -0, as v + 0.5 never is).
struct WebPointCentring {
  double before, after;
};
inline WebPointCentring webPointCentring(int size) {
  return size % 2 == 1 ? WebPointCentring{0.0, 0.5} : WebPointCentring{0.5, 0.0};
}
inline double webPointCentre(double windowCoordinate, const WebPointCentring& c) {
  return std::floor(windowCoordinate + c.before) + c.after;
}
// A line `width` pixels wide as two triangles: the segment widened along its minor axis
// (vertically when it runs more across than up), as desktop GL widens aliased lines.
void webWideLineQuad(const WebVertex& from, const WebVertex& to, int width, WebVertex out[6]);
