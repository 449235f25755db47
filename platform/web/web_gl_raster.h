// Where desktop OpenGL puts what the program draws: window coordinates from the matrices
// and the viewport, and the rules by which aliased points and wide lines cover pixels,
// expressed as positions WebGL then rasterises to the same pixels.
#pragma once

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

struct WebWindowPoint {
  double x, y;
  bool inside;  // within the clip volume: a point outside it is not drawn at all
};
// The vertex (x, y, z, 1) through modelview, projection and viewport, on desktop GL's
// sub-pixel grid (1/256 of a pixel), as a rasteriser sees it.
WebWindowPoint webWindowPoint(const WebMatrix& projection, const WebMatrix& modelview,
                              const WebViewport& viewport, double x, double y, double z);

// The size in whole pixels that an aliased point or line of this size covers.
int webAliasedSize(double size);
// The centre of an aliased point of that size: odd sizes at the middle of the pixel that
// holds the vertex, even sizes at the pixel corner nearest to it.
double webPointCentre(double windowCoordinate, int size);
// A line `width` pixels wide as two triangles: the segment widened along its minor axis
// (vertically when it runs more across than up), as desktop GL widens aliased lines.
void webWideLineQuad(const WebVertex& from, const WebVertex& to, int width, WebVertex out[6]);
