// Points that change no pixel, left out as they are collected: a point whose square lies
// wholly outside the viewport (its centre then outside the clip volume too, so GL draws none
// of it), and a point all of whose pixels already hold its colour, as the points collected
// before it in the batch left them (platform/known_pixels.h). GL transforms the vertices
// itself, in 32-bit floats: the window coordinates worked out here come with a bound on how
// far GL's own can lie from them, and a point is left out only when no value within that
// bound changes the verdict; a point or line whose pixels are not certain makes those it may
// touch unknown again.
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/aliased_points.h"
#include "platform/gl_window_transform.h"
#include "platform/known_pixels.h"
#include "platform/x11/x11_gl_batch.h"

namespace {

// Relative to the size of the terms summed, more than GL's float arithmetic can move a
// window coordinate: the product of the matrices, the vertex's transformation and the
// viewport's scale and offset each round a few times by at most 2^-24.
constexpr double FLOAT_SLACK = 1.0 / (1 << 18);
// The largest whole size whose pixels are worked out; larger sizes, and sizes that are not
// whole, are drawn (GL clamps sizes to its own largest, and a size between two whole ones
// covers one of them by a rule of the renderer's own).
constexpr GLfloat LARGEST_SIZE = 64.0f;
// Colours are told apart by their floats, numbered in the order met; past this many the
// numbers start again and every pixel is forgotten.
constexpr size_t MOST_COLOURS = 256;

bool culling = true;
bool transformKnown = false;  // false: GL's matrices and viewport are read before the next use
GlTransform transform;
// The window rows made of |projection| |modelview|: with the coordinates' absolute values
// they bound every term GL sums on the way to a window coordinate.
double boundX[4], boundY[4], boundZ[4];
KnownPixels known;
uint64_t leftOut = 0;

// What follows from a point's colour and size alone, worked out when they change.
struct PointKind {
  GLfloat colourAndSize[4];  // r, g, b and size as collected
  bool whole;                // a whole size up to LARGEST_SIZE: its pixels can be known
  PointCentring centring;
  double reach;  // from the centre, the farthest any pixel of its square can lie
  uint32_t colour;
};
PointKind kind{{-1, -1, -1, -1}, false, {0, 0}, 0, 0};
std::vector<std::array<GLfloat, 3>> colours;

GlMatrix readMatrix(GLenum which, bool absolute) {
  GLfloat m[16];
  realGl().GetFloatv(which, m);
  GlMatrix read;
  for (int i = 0; i < 16; ++i) read.m[i] = absolute ? std::fabs(m[i]) : m[i];
  return read;
}

// GL's own state, not the calls seen: whatever GL refused or the matrix mode was, this is what
// it transforms with.
void readTransform() {
  GLfloat v[4];
  realGl().GetFloatv(GL_VIEWPORT, v);
  const GlViewport viewport{v[0], v[1], v[2], v[3]};
  transform = makeGlTransform(readMatrix(GL_PROJECTION_MATRIX, false),
                              readMatrix(GL_MODELVIEW_MATRIX, false), viewport);
  const GlMatrix bound = matrixProduct(readMatrix(GL_PROJECTION_MATRIX, true),
                                       readMatrix(GL_MODELVIEW_MATRIX, true));
  for (int column = 0; column < 4; ++column) {
    boundX[column] = bound.m[4 * column] * (viewport.width / 2.0);
    boundY[column] = bound.m[4 * column + 1] * (viewport.height / 2.0);
    boundZ[column] = bound.m[4 * column + 2];
  }
  boundX[3] += std::fabs(viewport.x + viewport.width / 2.0);
  boundY[3] += std::fabs(viewport.y + viewport.height / 2.0);
  if (known.left != viewport.x || known.bottom != viewport.y || known.width != viewport.width ||
      known.height != viewport.height)
    coverViewport(known, viewport.x, viewport.y, viewport.width, viewport.height, true);
  transformKnown = true;
}

// A vertex's window x and y and clip z, each with its bound.
struct Place {
  double x, y, z, errorX, errorY, errorZ;
};

inline double row(const double r[4], double x, double y, double z) {
  return r[0] * x + r[1] * y + r[2] * z + r[3];
}

inline Place placeOf(const BatchVertex& v) {
  const double x = v.x, y = v.y, z = v.z;
  const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
  const GlTransform& t = transform;
  if (t.axisAligned)  // glOrtho without rotation: the program's, nearly every vertex's
    return Place{t.windowX[0] * x + t.windowX[3], t.windowY[1] * y + t.windowY[3],
                 t.clipZ[2] * z + t.clipZ[3], (boundX[0] * ax + boundX[3]) * FLOAT_SLACK,
                 (boundY[1] * ay + boundY[3]) * FLOAT_SLACK,
                 (boundZ[2] * az + boundZ[3]) * FLOAT_SLACK};
  return Place{row(t.windowX, x, y, z),           row(t.windowY, x, y, z),
               row(t.clipZ, x, y, z),             row(boundX, ax, ay, az) * FLOAT_SLACK,
               row(boundY, ax, ay, az) * FLOAT_SLACK, row(boundZ, ax, ay, az) * FLOAT_SLACK};
}

// Whatever GL computes, the centre is outside the clip volume and everything within `reach`
// of it outside the viewport.
inline bool certainlyOutside(const Place& p, double reach) {
  const GlTransform& t = transform;
  return p.x + p.errorX + reach <= t.viewport.x || p.x - p.errorX - reach >= t.right ||
         p.y + p.errorY + reach <= t.viewport.y || p.y - p.errorY - reach >= t.top ||
         p.z - p.errorZ > 1.0 || p.z + p.errorZ < -1.0;
}

// Whatever GL computes, the centre is inside the clip volume: GL draws the point's square.
inline bool certainlyInside(const Place& p) {
  const GlTransform& t = transform;
  return p.x - p.errorX >= t.viewport.x && p.x + p.errorX <= t.right &&
         p.y - p.errorY >= t.viewport.y && p.y + p.errorY <= t.top && p.z - p.errorZ >= -1.0 &&
         p.z + p.errorZ <= 1.0;
}

// The pixels within `reach` of the place, whatever GL computes, are no longer known.
void forgetAround(const Place& p, double reach) {
  forgetPixels(known, p.x - p.errorX - reach, p.y - p.errorY - reach, p.x + p.errorX + reach,
               p.y + p.errorY + reach);
}

uint32_t colourNumber(const GLfloat* rgb) {
  for (size_t i = 0; i < colours.size(); ++i)
    if (std::memcmp(colours[i].data(), rgb, sizeof colours[i]) == 0) return static_cast<uint32_t>(i);
  if (colours.size() == MOST_COLOURS) {
    colours.clear();
    forgetAllPixels(known);
  }
  colours.push_back({rgb[0], rgb[1], rgb[2]});
  return static_cast<uint32_t>(colours.size() - 1);
}

void learnKind(const BatchVertex& v) {
  std::memcpy(kind.colourAndSize, &v.r, sizeof kind.colourAndSize);
  kind.whole = v.size >= 1.0f && v.size <= LARGEST_SIZE && v.size == std::floor(v.size);
  kind.centring = pointCentring(kind.whole ? static_cast<int>(v.size) : 1);
  kind.reach = v.size / 2.0 + 1.0;
  kind.colour = colourNumber(&v.r);
}

}  // namespace

void x11GlTransformChanged() { transformKnown = false; }

void x11GlForgetPixels() { forgetAllPixels(known); }

bool x11GlPointChangesNothing(const BatchVertex& v) {
  if (!culling) return false;
  if (!transformKnown) readTransform();
  if (!transform.affine) return false;  // nothing is known, so nothing to forget
  if (std::memcmp(&v.r, kind.colourAndSize, sizeof kind.colourAndSize) != 0) learnKind(v);
  const Place p = placeOf(v);
  if (certainlyOutside(p, kind.reach)) {
    ++leftOut;
    return true;
  }
  const bool certain = kind.whole && certainlyInside(p);
  const double x = certain ? certainPlacingPixel(p.x, p.errorX, kind.centring) : NAN;
  const double y = certain ? certainPlacingPixel(p.y, p.errorY, kind.centring) : NAN;
  if (std::isnan(x) || std::isnan(y)) {  // drawn, or not, on pixels not worked out
    forgetAround(p, kind.reach);
    return false;
  }
  if (!squareHoldsColour(known, x, y, static_cast<int>(v.size), kind.colour)) return false;
  ++leftOut;
  return true;
}

void x11GlLineCollected(const BatchVertex& from, const BatchVertex& to, GLfloat width) {
  if (!culling || !transformKnown || !transform.affine) return;  // nothing known
  // GL's pixels of a line stay within half its width and a pixel of the segment; a line
  // wider than GL's widest is drawn narrower.
  const double reach = width / 2.0 + 2.0;
  const Place a = placeOf(from), b = placeOf(to);
  forgetPixels(known, std::fmin(a.x - a.errorX, b.x - b.errorX) - reach,
               std::fmin(a.y - a.errorY, b.y - b.errorY) - reach,
               std::fmax(a.x + a.errorX, b.x + b.errorX) + reach,
               std::fmax(a.y + a.errorY, b.y + b.errorY) + reach);
}

bool x11SetGlPointCulling(bool on) {
  culling = on;
  forgetAllPixels(known);
  return culling;
}

uint64_t x11GlPointsLeftOut() { return leftOut; }
