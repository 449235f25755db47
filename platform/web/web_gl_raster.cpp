#include "platform/web/web_gl_raster.h"

#include <cmath>

WebWindowPoint webProjectivePoint(const GlTransform& t, double x, double y, double z) {
  const double* m = t.clipOf.m;
  double clip[4];
  for (int row = 0; row < 4; ++row)
    clip[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
  const double w = clip[3];
  WebWindowPoint p{};
  p.inside = w > 0 && std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w &&
             std::fabs(clip[2]) <= w;
  if (w == 0) return p;
  p.x = onSubpixelGrid(t.viewport.x + (clip[0] / w + 1.0) * t.viewport.width / 2.0);
  p.y = onSubpixelGrid(t.viewport.y + (clip[1] / w + 1.0) * t.viewport.height / 2.0);
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
