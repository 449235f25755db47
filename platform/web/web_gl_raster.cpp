#include "platform/web/web_gl_raster.h"

#include <cmath>

namespace {

inline void transform(const WebMatrix& m, const double in[4], double out[4]) {
  for (int row = 0; row < 4; ++row)
    out[row] = m.m[row] * in[0] + m.m[4 + row] * in[1] + m.m[8 + row] * in[2] +
               m.m[12 + row] * in[3];
}

}  // namespace

WebMatrix webIdentity() {
  return WebMatrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

WebMatrix webProduct(const WebMatrix& a, const WebMatrix& b) {
  WebMatrix product{};
  for (int column = 0; column < 4; ++column) transform(a, &b.m[4 * column], &product.m[4 * column]);
  return product;
}

WebMatrix webTimesOrtho(const WebMatrix& m, double left, double right, double bottom,
                        double top, double nearZ, double farZ) {
  WebMatrix ortho = webIdentity();
  ortho.m[0] = 2.0 / (right - left);
  ortho.m[5] = 2.0 / (top - bottom);
  ortho.m[10] = -2.0 / (farZ - nearZ);
  ortho.m[12] = -(right + left) / (right - left);
  ortho.m[13] = -(top + bottom) / (top - bottom);
  ortho.m[14] = -(farZ + nearZ) / (farZ - nearZ);
  return webProduct(m, ortho);
}

WebTransform webMakeTransform(const WebMatrix& projection, const WebMatrix& modelview,
                              const WebViewport& viewport) {
  WebTransform t{};
  t.clipOf = webProduct(projection, modelview);
  t.viewport = viewport;
  const double* m = t.clipOf.m;
  t.affine = m[3] == 0 && m[7] == 0 && m[11] == 0 && m[15] == 1;
  // window = viewport origin + (clip + 1) * size / 2, row by row.
  const double halfWidth = viewport.width / 2.0, halfHeight = viewport.height / 2.0;
  for (int column = 0; column < 4; ++column) {
    t.windowX[column] = m[4 * column] * halfWidth;
    t.windowY[column] = m[4 * column + 1] * halfHeight;
    t.clipZ[column] = m[4 * column + 2];
  }
  t.windowX[3] += viewport.x + halfWidth;
  t.windowY[3] += viewport.y + halfHeight;
  t.axisAligned = t.affine && t.windowX[1] == 0 && t.windowX[2] == 0 && t.windowY[0] == 0 &&
                  t.windowY[2] == 0 && t.clipZ[0] == 0 && t.clipZ[1] == 0;
  t.right = viewport.x + viewport.width;
  t.top = viewport.y + viewport.height;
  return t;
}

WebWindowPoint webProjectivePoint(const WebTransform& t, double x, double y, double z) {
  const double object[4] = {x, y, z, 1.0};
  double clip[4];
  transform(t.clipOf, object, clip);
  const double w = clip[3];
  WebWindowPoint p{};
  p.inside = w > 0 && std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w &&
             std::fabs(clip[2]) <= w;
  if (w == 0) return p;
  p.x = webOnSubpixelGrid(t.viewport.x + (clip[0] / w + 1.0) * t.viewport.width / 2.0);
  p.y = webOnSubpixelGrid(t.viewport.y + (clip[1] / w + 1.0) * t.viewport.height / 2.0);
  return p;
}

void webWideLineQuad(const WebVertex& from, const WebVertex& to, int width, WebVertex out[6]) {
  const bool acrossMore = std::fabs(to.x - from.x) >= std::fabs(to.y - from.y);
  const float half = static_cast<float>(width) / 2.0f;
  const float dx = acrossMore ? 0.0f : half;
  const float dy = acrossMore ? half : 0.0f;
  WebVertex a = from, b = from, c = to, d = to;
  a.x -= dx; a.y -= dy;
  b.x += dx; b.y += dy;
  c.x -= dx; c.y -= dy;
  d.x += dx; d.y += dy;
  // Two triangles, a-b-c and c-b-d, each in the colour its vertices carry.
  out[0] = a; out[1] = b; out[2] = c;
  out[3] = c; out[4] = b; out[5] = d;
}
