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
  bool whole;  // a whole size up to LARGEST_SIZE: its pixels can be known
  PointCentring centring;
  double reach;  // from the centre, the farthest any pixel of its square can lie
  uint32_t colour;
};
PointKind kind{false, {0, 0}, 0, 0};
bool kindKnown = false;  // false: the colour or size may have changed since
std::vector<std::array<GLfloat, 3>> colours;
// The point given last, of this kind, while nothing else has been since: the same point
// again (most of a small circle's samples repeat the one before) lands where it did,
// whatever that was, and changes nothing.
GLfloat lastPoint[3];
bool lastPointStands = false;
// Under an axis-aligned transform, object x or y at or beyond these puts a point of the
// current kind certainly outside (infinite where no such bound was found): four comparisons
// instead of the whole test, for the many points far outside (the lower half of a circle
// that reaches out of the window, the beach line left of it).
struct ObjectBox {
  GLfloat xLow, xHigh, yLow, yHigh;
};
ObjectBox outsideBox{-INFINITY, INFINITY, -INFINITY, INFINITY};
// And within these, at z = 0, a point of the current kind is certainly inside with all its
// square inside the viewport, its window coordinates within `interiorError` of those worked
// out here: the checks of most points on the screen come down to the placing pixels (empty
// where there is no such box).
ObjectBox interiorBox{INFINITY, -INFINITY, INFINITY, -INFINITY};
double interiorError = 0;

// A run of points of one kind (the points given between two changes of colour or size) that
// repeats, point for point from its start, the last finished run of that kind, while nothing
// has been drawn since that run ended, changes nothing: each of that run's points was drawn
// in the one colour or left out as changing nothing, nothing since has drawn over them, and
// GL puts the same point of the same kind on the same pixels. The coincident sites' circle
// events draw the same circles again and again, each a run: one comparison a point then
// settles them, instead of the pixels' record.
struct PointRun {
  uint32_t colour;
  GLfloat size;
  uint64_t drawnAtEnd;  // `drawn` when the run ended
  std::vector<std::array<GLfloat, 3>> points;
};
// What has been drawn: every point or line handed over, and every forgetting, counts one.
uint64_t drawn = 0;
std::vector<PointRun> lastRuns;  // of each kind, the last finished run
// The run being given: either the first `repeated` points of `repeating`, or `points`.
PointRun current{0, 0.0f, 0, {}};
const PointRun* repeating = nullptr;
size_t repeated = 0;

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
    coverViewport(known, viewport.x, viewport.y, viewport.width, viewport.height,
                  PixelMemory::EveryPixel);
  transformKnown = true;
}

// A vertex's window x and y and clip z, each with its bound.
struct Place {
  double x, y, z, errorX, errorY, errorZ;
};

inline double row(const double r[4], double x, double y, double z) {
  return r[0] * x + r[1] * y + r[2] * z + r[3];
}

[[gnu::always_inline]] inline Place placeOf(GLfloat objectX, GLfloat objectY, GLfloat objectZ) {
  const double x = objectX, y = objectY, z = objectZ;
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

// Along one axis of an axis-aligned transform (window = scale * object + offset, its bound
// boundScale * |object| + boundOffset), the object coordinates at and beyond which a point of
// the reach is certainly outside [from, to]: a pixel beyond, taken back to object coordinates
// and checked there with the bound itself. Beyond them the window coordinate only moves
// farther out, and faster than the bound grows (boundScale is |scale|, the slack far below
// one), so the verdict holds.
void outsideBounds(double scale, double offset, double boundScale, double boundOffset,
                   double from, double to, double reach, GLfloat* low, GLfloat* high) {
  *low = -INFINITY;
  *high = INFINITY;
  if (!(scale != 0 && std::isfinite(offset) && boundScale == std::fabs(scale))) return;
  const auto outside = [&](GLfloat v) {
    const double w = scale * v + offset, e = (boundScale * std::fabs(v) + boundOffset) * FLOAT_SLACK;
    return w + e + reach <= from || w - e - reach >= to;
  };
  const GLfloat before = static_cast<GLfloat>((from - reach - 1.0 - offset) / scale);
  const GLfloat after = static_cast<GLfloat>((to + reach + 1.0 - offset) / scale);
  if (outside(std::fmin(before, after))) *low = std::fmin(before, after);
  if (outside(std::fmax(before, after))) *high = std::fmax(before, after);
}

// Along one axis as above, the object coordinates whose window coordinates lie, whatever GL
// computes, at least `inset` inside [from, to], and the largest bound there.
void interiorBounds(double scale, double offset, double boundScale, double boundOffset,
                    double from, double to, double inset, GLfloat* low, GLfloat* high,
                    double* error) {
  *low = INFINITY;
  *high = -INFINITY;
  if (!(scale != 0 && std::isfinite(offset) && boundScale == std::fabs(scale))) return;
  const GLfloat a = static_cast<GLfloat>((from + inset + 1.0 - offset) / scale);
  const GLfloat b = static_cast<GLfloat>((to - inset - 1.0 - offset) / scale);
  *error = std::fmax(*error, (boundScale * std::fmax(std::fabs(a), std::fabs(b)) + boundOffset) *
                                 FLOAT_SLACK);
  const auto inside = [&](GLfloat v) {
    const double w = scale * v + offset;
    return w - *error - inset >= from && w + *error + inset <= to;
  };
  // Between two points inside, every point is: the window coordinate is monotonic.
  if (inside(a) && inside(b)) {
    *low = std::fmin(a, b);
    *high = std::fmax(a, b);
  }
}

void makeObjectBoxes() {
  const GlTransform& t = transform;
  outsideBox = ObjectBox{-INFINITY, INFINITY, -INFINITY, INFINITY};
  interiorBox = ObjectBox{INFINITY, -INFINITY, INFINITY, -INFINITY};
  interiorError = 0;
  if (!t.axisAligned) return;
  outsideBounds(t.windowX[0], t.windowX[3], boundX[0], boundX[3], t.viewport.x, t.right,
                kind.reach, &outsideBox.xLow, &outsideBox.xHigh);
  outsideBounds(t.windowY[1], t.windowY[3], boundY[1], boundY[3], t.viewport.y, t.top,
                kind.reach, &outsideBox.yLow, &outsideBox.yHigh);
  // z = 0 is certainly inside the clip volume, and only whole sizes have known pixels.
  if (!(kind.whole && std::fabs(t.clipZ[3]) + boundZ[3] * FLOAT_SLACK <= 1.0)) return;
  interiorBounds(t.windowX[0], t.windowX[3], boundX[0], boundX[3], t.viewport.x, t.right,
                 kind.reach, &interiorBox.xLow, &interiorBox.xHigh, &interiorError);
  interiorBounds(t.windowY[1], t.windowY[3], boundY[1], boundY[3], t.viewport.y, t.top,
                 kind.reach, &interiorBox.yLow, &interiorBox.yHigh, &interiorError);
}

// The pixels within `reach` of the place, whatever GL computes, are no longer known.
void forgetAround(const Place& p, double reach) {
  forgetPixels(known, p.x - p.errorX - reach, p.y - p.errorY - reach, p.x + p.errorX + reach,
               p.y + p.errorY + reach);
}

// The run being given ends with its kind: it is kept as the last of its kind, if anything
// was given.
void endRun() {
  if (repeating != nullptr) {
    // A repeat as far as it went: the run it repeats still holds, and covers it.
    repeating = nullptr;
    return;
  }
  if (current.points.empty()) return;
  current.drawnAtEnd = drawn;
  for (PointRun& last : lastRuns) {
    if (last.colour == current.colour && last.size == current.size) {
      std::swap(last, current);
      current.points.clear();
      return;
    }
  }
  lastRuns.push_back(std::move(current));
  current.points.clear();
}

// The run of a new kind starts: a repeat of the last of its kind while nothing was drawn since.
void startRun(uint32_t colour, GLfloat size) {
  current.colour = colour;
  current.size = size;
  current.points.clear();
  repeated = 0;
  for (const PointRun& last : lastRuns)
    if (last.colour == colour && last.size == size && last.drawnAtEnd == drawn) repeating = &last;
}

// Something drawn over the points given so far: no run kept can be repeated, and the run being
// given starts again from here.
void breakRuns() {
  ++drawn;
  lastRuns.clear();
  repeating = nullptr;
  current.points.clear();
}

// The next point of the run being given: true when it repeats the run it repeats so far.
bool repeatsRun(GLfloat x, GLfloat y, GLfloat z) {
  if (repeating != nullptr) {
    if (repeated < repeating->points.size()) {
      const std::array<GLfloat, 3>& p = repeating->points[repeated];
      if (p[0] == x && p[1] == y && p[2] == z) {
        ++repeated;
        return true;
      }
    }
    // Not a repeat from here: the run is its points so far, and goes on by the pixels.
    current.points.assign(repeating->points.begin(),
                          repeating->points.begin() + static_cast<std::ptrdiff_t>(repeated));
    repeating = nullptr;
  }
  current.points.push_back({x, y, z});
  return false;
}

// Colours are told apart by their floats, numbered in the order met as the pixel record
// takes them; past its KNOWN_COLOURS the numbers start again and every pixel is forgotten.
uint32_t colourNumber(const GLfloat* rgb) {
  for (size_t i = 0; i < colours.size(); ++i)
    if (std::memcmp(colours[i].data(), rgb, sizeof colours[i]) == 0) return static_cast<uint32_t>(i);
  if (colours.size() == KNOWN_COLOURS) {
    colours.clear();
    forgetAllPixels(known);
    breakRuns();  // the numbers of the runs kept mean other colours now
  }
  colours.push_back({rgb[0], rgb[1], rgb[2]});
  return static_cast<uint32_t>(colours.size() - 1);
}

void learnKind(const GLfloat* rgb, GLfloat size) {
  endRun();
  kind.whole = size >= 1.0f && size <= LARGEST_SIZE && size == std::floor(size);
  kind.centring = pointCentring(kind.whole ? static_cast<int>(size) : 1);
  kind.reach = size / 2.0 + 1.0;
  kind.colour = colourNumber(rgb);
  kindKnown = true;
  lastPointStands = false;
  if (transformKnown) makeObjectBoxes();
  startRun(kind.colour, size);
}

// The point is handed over to GL.
bool drawsPoint() {
  ++drawn;
  return false;
}

}  // namespace

void x11GlTransformChanged() {
  transformKnown = false;
  lastPointStands = false;
  breakRuns();
}

void x11GlPointKindChanged() { kindKnown = false; }

void x11GlForgetPixels() {
  forgetAllPixels(known);
  lastPointStands = false;
  breakRuns();
}

bool x11GlPointChangesNothing(GLfloat x, GLfloat y, GLfloat z, const GLfloat* rgb, GLfloat size) {
  if (!culling) return false;
  if (!kindKnown) learnKind(rgb, size);
  if (repeatsRun(x, y, z)) {
    ++leftOut;
    return true;
  }
  if (lastPointStands && x == lastPoint[0] && y == lastPoint[1] && z == lastPoint[2]) {
    ++leftOut;
    return true;
  }
  lastPoint[0] = x;
  lastPoint[1] = y;
  lastPoint[2] = z;
  lastPointStands = true;
  if (!transformKnown) {
    readTransform();
    makeObjectBoxes();
  }
  if (x >= interiorBox.xLow && x <= interiorBox.xHigh && y >= interiorBox.yLow &&
      y <= interiorBox.yHigh && z == 0.0f) {
    const GlTransform& t = transform;
    const double px = certainPlacingPixel(t.windowX[0] * x + t.windowX[3], interiorError, kind.centring);
    const double py = certainPlacingPixel(t.windowY[1] * y + t.windowY[3], interiorError, kind.centring);
    if (!std::isnan(px) && !std::isnan(py)) {
      if (!squareHoldsColour(known, px, py, static_cast<int>(size), kind.colour)) return drawsPoint();
      ++leftOut;
      return true;
    }
  }
  if (x <= outsideBox.xLow || x >= outsideBox.xHigh || y <= outsideBox.yLow ||
      y >= outsideBox.yHigh) {
    ++leftOut;
    return true;
  }
  if (!transform.affine) return drawsPoint();  // nothing is known, so nothing to forget
  const Place p = placeOf(x, y, z);
  if (certainlyOutside(p, kind.reach)) {
    ++leftOut;
    return true;
  }
  const bool certain = kind.whole && certainlyInside(p);
  const double px = certain ? certainPlacingPixel(p.x, p.errorX, kind.centring) : NAN;
  const double py = certain ? certainPlacingPixel(p.y, p.errorY, kind.centring) : NAN;
  if (std::isnan(px) || std::isnan(py)) {  // drawn, or not, on pixels not worked out
    forgetAround(p, kind.reach);
    return drawsPoint();
  }
  if (!squareHoldsColour(known, px, py, static_cast<int>(size), kind.colour)) return drawsPoint();
  ++leftOut;
  return true;
}

void x11GlLineCollected(const BatchVertex& from, const BatchVertex& to, GLfloat width) {
  lastPointStands = false;
  breakRuns();
  if (!culling || !transformKnown || !transform.affine) return;  // nothing known
  // GL's pixels of a line stay within half its width and a pixel of the segment; a line
  // wider than GL's widest is drawn narrower.
  const double reach = width / 2.0 + 2.0;
  const Place a = placeOf(from.x, from.y, from.z), b = placeOf(to.x, to.y, to.z);
  const double error = std::fmax(std::fmax(a.errorX, a.errorY), std::fmax(b.errorX, b.errorY));
  forgetAlongLine(known, a.x, a.y, b.x, b.y, reach + error);
}

bool x11SetGlPointCulling(bool on) {
  culling = on;
  x11GlForgetPixels();
  return culling;
}

uint64_t x11GlPointsLeftOut() { return leftOut; }
