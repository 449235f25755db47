// The OpenGL entry points of the browser build. Each call only updates the tracked state or
// appends to the frame's vertex array, inside the WebAssembly module: no call crosses into
// JavaScript until the swap draws the frame. The frame routine makes five calls for every
// point (size, begin, colour, vertex, end), tens of thousands a frame, so each call does as
// little as it can: what follows from the state alone (the window transform, the pixel size
// of points and lines, the colour bytes) is worked out when the state changes, and a vertex
// is written straight into the frame's array, which only grows. A point that repeats the
// one just before it (the same pixels, colour and size) is not written at all.
#include "platform/web/web_gl.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/known_pixels.h"
#include "platform/web/web_gl_raster.h"

namespace {

struct GlState {
  double givenColour[3] = {1.0, 1.0, 1.0};  // as glColor3d last took it
  uint8_t colour[4] = {255, 255, 255, 255};
  uint32_t colourKey = 0xffffff;  // the colour's three bytes, as the known pixels take it
  int pointPixels = 1;  // the point size and line width in whole pixels
  int linePixels = 1;
  float clearColour[4] = {0, 0, 0, 0};
  GLenum matrixMode = GL_MODELVIEW;
  GlMatrix projection = identityMatrix();
  GlMatrix modelview = identityMatrix();
  GlViewport viewport{0, 0, 0, 0};
};

GlState state;
// From object to window coordinates; made again whenever a matrix or the viewport changes.
GlTransform currentTransform() {
  return makeGlTransform(state.projection, state.modelview, state.viewport);
}
GlTransform transform = currentTransform();

// The primitive being given between glBegin and glEnd (None also for the kinds the program
// never draws), and whether there is a glBegin without its glEnd yet: calls that GL refuses
// there (platform/gl_calls.h) are refused here too.
enum class Primitive { None, Points, Lines };
Primitive primitive = Primitive::None;
bool betweenBeginAndEnd = false;
int primitiveSize = 1;  // point size or line width in whole pixels, fixed at glBegin
float pointSize = 1.0f;  // the same for points, as WebGL takes it
PointCentring centring = pointCentring(1);
bool haveLineStart = false;
WebVertex lineStart{};

// The last point drawn, so that the same point again, which would change no pixel, is left
// out (platform/known_pixels.h). Only the last: in WebAssembly a look at a record of every
// pixel for each point cost more than handing the points over saved (`make bench-web`),
// while the next sample of a circle or a curve often lands on the pixel of the last.
PixelMemory pointMemory = PixelMemory::LastSquare;
KnownPixels knownPixels;

// The frame so far: the vertices from the start of the array to `cursor`, and the draws.
// The array keeps its size from frame to frame. The open draw, the last one, takes the
// vertices of its kind that follow; its count is settled when the next opens or the frame
// is taken.
bool cleared = false;
float frameClearColour[4] = {0, 0, 0, 0};
std::vector<WebDraw> draws;
constexpr uint32_t NO_DRAW = ~0u;
uint32_t openKind = NO_DRAW;
std::vector<WebVertex> vertexArray;
WebVertex* cursor = nullptr;
WebVertex* limit = nullptr;

// The last frame handed to the page, to tell a frame that repeats it (an empty window, a
// finished picture: the program draws every frame whole): none at first. Its vertices are
// the array the frame before was collected in, the two arrays taking turns, so that nothing
// is copied.
struct LastFrame {
  bool known = false, cleared = false;
  float clearColour[4] = {0, 0, 0, 0};
  std::vector<WebDraw> draws;
  std::vector<WebVertex> vertices;
  size_t vertexCount = 0;
} last;

inline void observe(GlCall op, uint32_t e = 0, double a0 = 0, double a1 = 0, double a2 = 0,
                    double a3 = 0, double a4 = 0, double a5 = 0) {
  webGlObserveCall(op, e, a0, a1, a2, a3, a4, a5);
}

// Float colour to the 8 bits of the colour buffer, rounded to nearest as desktop GL stores
// it (the value is never negative, so adding a half and truncating rounds).
uint8_t colourByte(double c) {
  const double clamped = c < 0 ? 0 : (c > 1 ? 1 : c);
  return static_cast<uint8_t>(clamped * 255.0 + 0.5);
}

uint32_t vertexCount() { return static_cast<uint32_t>(cursor - vertexArray.data()); }

void settleOpenDraw() {
  if (openKind != NO_DRAW) draws.back().count = vertexCount() - draws.back().first;
}

void forgetFrame() {
  forgetAllPixels(knownPixels);
  draws.clear();
  openKind = NO_DRAW;
  cursor = vertexArray.data();
  limit = vertexArray.data() + vertexArray.size();
}

// Opens a draw of `kind` when the open one is of another, and makes room for `count` more
// vertices. Out of line: most vertices need neither.
[[gnu::noinline]] void prepare(WebDrawKind kind, size_t count) {
  if (openKind != static_cast<uint32_t>(kind)) {
    settleOpenDraw();
    draws.push_back(WebDraw{kind, vertexCount(), 0});
    openKind = static_cast<uint32_t>(kind);
  }
  if (static_cast<size_t>(limit - cursor) < count) {
    const size_t used = vertexCount();
    vertexArray.resize(2 * vertexArray.size() + count);
    cursor = vertexArray.data() + used;
    limit = vertexArray.data() + vertexArray.size();
  }
}

// Room for `count` more vertices of one kind at the end of the array: runs of same-kind
// primitives, however many begin/end pairs they came in, become one draw.
[[gnu::always_inline]] inline WebVertex* claim(WebDrawKind kind, size_t count) {
  if (openKind != static_cast<uint32_t>(kind) || static_cast<size_t>(limit - cursor) < count)
    prepare(kind, count);
  WebVertex* at = cursor;
  cursor += count;
  return at;
}

inline void place(WebVertex* v, double x, double y, float size) {
  v->x = static_cast<float>(x);
  v->y = static_cast<float>(y);
  std::memcpy(&v->r, state.colour, 4);
  v->size = size;
}

// The path of nearly every vertex: inline, so that the point stays in registers and the
// vertex is all that is written to memory. A point that repeats the one just before it is
// left out: this layer decides the pixels itself, so that is known exactly.
[[gnu::always_inline]] inline void addPoint(const WebWindowPoint& p) {
  if (!p.inside) return;  // desktop GL draws no part of a point whose centre is clipped
  const double x = pointCentre(p.x, centring), y = pointCentre(p.y, centring);
  if (squareHoldsColour(knownPixels, x - centring.after, y - centring.after, primitiveSize,
                        state.colourKey))
    return;
  place(claim(WebDrawKind::Points, 1), x, y, pointSize);
}

// A line's first end is kept until its second comes.
void addLineEnd(double x, double y) {
  if (!haveLineStart) {
    place(&lineStart, x, y, 0);
    haveLineStart = true;
    return;
  }
  haveLineStart = false;
  // WebGL's line, or the quad of a wide one, stays within its width's reach of the segment.
  const double reach = primitiveSize / 2.0 + 2.0;
  forgetAlongLine(knownPixels, lineStart.x, lineStart.y, x, y, reach);
  if (primitiveSize == 1) {
    WebVertex* pair = claim(WebDrawKind::Lines, 2);
    pair[0] = lineStart;
    place(&pair[1], x, y, 0);
    return;
  }
  // WebGL draws lines one pixel wide only.
  WebVertex end;
  place(&end, x, y, 0);
  webWideLineQuad(lineStart, end, primitiveSize, claim(WebDrawKind::Triangles, 6));
}

// Lines, a few dozen a frame, and points under other transforms than the program's: out of
// line, so that the point path stays small.
[[gnu::noinline]] void addOtherVertex(double x, double y, double z) {
  const WebWindowPoint p = transform.affine ? webAffinePoint(transform, x, y, z)
                                            : webProjectivePoint(transform, x, y, z);
  if (primitive == Primitive::Points) {
    addPoint(p);
  } else {
    addLineEnd(p.x, p.y);
  }
}

GlMatrix& currentMatrix() {
  return state.matrixMode == GL_PROJECTION ? state.projection : state.modelview;
}

void matrixChanged(const GlMatrix& m) {
  currentMatrix() = m;
  transform = currentTransform();
}

}  // namespace

WebFrame webGlFrame() {
  settleOpenDraw();
  return WebFrame{cleared,
                  {frameClearColour[0], frameClearColour[1], frameClearColour[2],
                   frameClearColour[3]},
                  draws.data(),
                  draws.size(),
                  vertexArray.data(),
                  vertexCount()};
}

bool webGlFrameRepeatsLast(const WebFrame& f) {
  const bool same =
      last.known && f.cleared == last.cleared &&
      std::memcmp(f.clearColour, last.clearColour, sizeof last.clearColour) == 0 &&
      f.drawCount == last.draws.size() && f.vertexCount == last.vertexCount &&
      std::memcmp(f.draws, last.draws.data(), f.drawCount * sizeof(WebDraw)) == 0 &&
      std::memcmp(f.vertices, last.vertices.data(), f.vertexCount * sizeof(WebVertex)) == 0;
  if (same) return true;
  last.known = true;
  last.cleared = f.cleared;
  std::memcpy(last.clearColour, f.clearColour, sizeof last.clearColour);
  last.draws.assign(f.draws, f.draws + f.drawCount);
  if (f.vertices == vertexArray.data()) {
    // The frame's vertices stay where they are (the page has yet to draw them, and the
    // frame is the page's until webGlStartFrame); the next is collected in the other array.
    std::swap(last.vertices, vertexArray);
    cursor = vertexArray.data();
    limit = vertexArray.data() + vertexArray.size();
  } else {
    last.vertices.assign(f.vertices, f.vertices + f.vertexCount);
  }
  last.vertexCount = f.vertexCount;
  return false;
}

void webGlStartFrame() {
  cleared = false;
  forgetFrame();
}

[[gnu::weak]] void webGlObserveCall(GlCall, uint32_t, double, double, double, double, double,
                                    double) {}
[[gnu::weak]] void webGlObserveSwap() {}

void webGlNotifySwap() { webGlObserveSwap(); }

void webGlSetPointCulling(bool on) {
  pointMemory = on ? PixelMemory::LastSquare : PixelMemory::None;
  coverViewport(knownPixels, state.viewport.x, state.viewport.y, state.viewport.width,
                state.viewport.height, pointMemory);
}

extern "C" {

void glBegin(GLenum mode) {
  observe(GlCall::Begin, mode);
  if (betweenBeginAndEnd) return;
  betweenBeginAndEnd = true;
  haveLineStart = false;
  if (mode == GL_POINTS) {
    primitive = Primitive::Points;
    primitiveSize = state.pointPixels;
    pointSize = static_cast<float>(primitiveSize);
    centring = pointCentring(primitiveSize);
  } else if (mode == GL_LINES) {
    primitive = Primitive::Lines;
    primitiveSize = state.linePixels;
  } else {
    primitive = Primitive::None;  // the program draws nothing else
  }
}

void glEnd() {
  observe(GlCall::End);
  betweenBeginAndEnd = false;
  primitive = Primitive::None;
  haveLineStart = false;  // a line's lone first end is dropped, as GL drops it
}

// In the browser build (clang, linked with link-time optimisation) the point path is
// inlined into the frame routine's loops: a tenth of a frame. GCC, which builds this file
// for the tests, would only warn that it cannot force an entry point it must also emit.
#if defined(__clang__)
[[gnu::always_inline]]
#endif
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
  observe(GlCall::Vertex3d, 0, x, y, z);
  if (primitive == Primitive::Points && transform.axisAligned) {
    addPoint(webAxisAlignedPoint(transform, x, y, z));
  } else if (primitive != Primitive::None) {
    addOtherVertex(x, y, z);
  }
}

void glColor3d(GLdouble r, GLdouble g, GLdouble b) {
  observe(GlCall::Color3d, 0, r, g, b);
  // The frame routine sets the same colour before almost every point.
  double* const given = state.givenColour;
  if (r == given[0] && g == given[1] && b == given[2]) return;
  given[0] = r;
  given[1] = g;
  given[2] = b;
  state.colour[0] = colourByte(r);
  state.colour[1] = colourByte(g);
  state.colour[2] = colourByte(b);
  state.colour[3] = 255;
  state.colourKey = state.colour[0] | state.colour[1] << 8 | state.colour[2] << 16;
}

void glPointSize(GLfloat size) {
  observe(GlCall::PointSize, 0, size);
  if (size > 0 && !betweenBeginAndEnd) state.pointPixels = webAliasedSize(size);
}

void glLineWidth(GLfloat width) {
  observe(GlCall::LineWidth, 0, width);
  if (width > 0 && !betweenBeginAndEnd) state.linePixels = webAliasedSize(width);
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  observe(GlCall::ClearColor, 0, r, g, b, a);
  if (betweenBeginAndEnd) return;
  const GLclampf given[4] = {r, g, b, a};
  for (int i = 0; i < 4; ++i) state.clearColour[i] = given[i] < 0 ? 0 : (given[i] > 1 ? 1 : given[i]);
}

// A true-colour framebuffer has no colour index: accepted and without effect.
void glClearIndex(GLfloat c) { observe(GlCall::ClearIndex, 0, c); }

void glClear(GLbitfield mask) {
  observe(GlCall::Clear, mask);
  if ((mask & GL_COLOR_BUFFER_BIT) == 0 || betweenBeginAndEnd) return;
  // The whole buffer is cleared (no scissor): whatever this frame drew before is gone.
  forgetFrame();
  cleared = true;
  for (int i = 0; i < 4; ++i) frameClearColour[i] = state.clearColour[i];
}

// The page shows one buffer pair; drawing always goes to the buffer the swap presents.
void glDrawBuffer(GLenum mode) { observe(GlCall::DrawBuffer, mode); }

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  observe(GlCall::Viewport, 0, x, y, width, height);
  if (width < 0 || height < 0 || betweenBeginAndEnd) return;
  state.viewport = GlViewport{static_cast<double>(x), static_cast<double>(y),
                              static_cast<double>(width), static_cast<double>(height)};
  transform = currentTransform();
  coverViewport(knownPixels, state.viewport.x, state.viewport.y, state.viewport.width,
                state.viewport.height, pointMemory);
}

void glMatrixMode(GLenum mode) {
  observe(GlCall::MatrixMode, mode);
  if (betweenBeginAndEnd) return;
  if (mode == GL_PROJECTION || mode == GL_MODELVIEW) state.matrixMode = mode;
}

void glLoadIdentity() {
  observe(GlCall::LoadIdentity);
  if (betweenBeginAndEnd) return;
  matrixChanged(identityMatrix());
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearZ,
             GLdouble farZ) {
  observe(GlCall::Ortho, 0, left, right, bottom, top, nearZ, farZ);
  if (left == right || bottom == top || nearZ == farZ || betweenBeginAndEnd) return;
  matrixChanged(timesOrtho(currentMatrix(), left, right, bottom, top, nearZ, farZ));
}

}  // extern "C"
