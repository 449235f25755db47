#include "platform/gl_window_transform.h"

namespace {

inline void transform(const GlMatrix& m, const double in[4], double out[4]) {
  for (int row = 0; row < 4; ++row)
    out[row] = m.m[row] * in[0] + m.m[4 + row] * in[1] + m.m[8 + row] * in[2] +
               m.m[12 + row] * in[3];
}

}  // namespace

GlMatrix identityMatrix() { return GlMatrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

GlMatrix matrixProduct(const GlMatrix& a, const GlMatrix& b) {
  GlMatrix product{};
  for (int column = 0; column < 4; ++column) transform(a, &b.m[4 * column], &product.m[4 * column]);
  return product;
}

GlMatrix timesOrtho(const GlMatrix& m, double left, double right, double bottom, double top,
                    double nearZ, double farZ) {
  GlMatrix ortho = identityMatrix();
  ortho.m[0] = 2.0 / (right - left);
  ortho.m[5] = 2.0 / (top - bottom);
  ortho.m[10] = -2.0 / (farZ - nearZ);
  ortho.m[12] = -(right + left) / (right - left);
  ortho.m[13] = -(top + bottom) / (top - bottom);
  ortho.m[14] = -(farZ + nearZ) / (farZ - nearZ);
  return matrixProduct(m, ortho);
}

GlTransform makeGlTransform(const GlMatrix& projection, const GlMatrix& modelview,
                            const GlViewport& viewport) {
  GlTransform t{};
  t.clipOf = matrixProduct(projection, modelview);
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
