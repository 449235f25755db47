// Where desktop OpenGL puts a vertex in the window: the projection and modelview matrices as
// glLoadIdentity and glOrtho make them, and the viewport, taken together into rows that give
// window coordinates from object coordinates. The browser's GL subset places its vertices
// with them; the X11 driver's batching uses them to tell which points change no pixel.
#pragma once

struct GlViewport {
  double x, y, width, height;
};

// Column-major 4 x 4, as OpenGL keeps them.
struct GlMatrix {
  double m[16];
};
GlMatrix identityMatrix();
// a * b.
GlMatrix matrixProduct(const GlMatrix& a, const GlMatrix& b);
// m * ortho(left, right, bottom, top, near, far), as glOrtho multiplies the current matrix.
GlMatrix timesOrtho(const GlMatrix& m, double left, double right, double bottom, double top,
                    double nearZ, double farZ);

// From object to window coordinates: projection * modelview, then the viewport. Made once
// whenever a matrix or the viewport changes, not for every vertex.
struct GlTransform {
  GlMatrix clipOf;
  GlViewport viewport;
  // Without a perspective row (w = 1, as with glOrtho), window x and y are affine in the
  // vertex: these rows, with clip z for the clip test.
  bool affine;
  double windowX[4], windowY[4], clipZ[4];
  // Affine, and each row takes one coordinate only (window x from x, y from y, clip z from
  // z: glOrtho without rotation), so that a point needs one product and one sum per row.
  bool axisAligned;
  double right, top;  // the viewport's far edges
};
GlTransform makeGlTransform(const GlMatrix& projection, const GlMatrix& modelview,
                            const GlViewport& viewport);
