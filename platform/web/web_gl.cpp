// The OpenGL entry points of the browser build. Each call only updates the tracked state or
// appends to the frame's vertex array, inside the WebAssembly module: no call crosses into
// JavaScript until the swap draws the frame.
#include "platform/web/web_gl.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "platform/web/web_gl_raster.h"

namespace {

struct GlState {
  uint8_t colour[4] = {255, 255, 255, 255};
  double pointSize = 1.0;
  double lineWidth = 1.0;
  float clearColour[4] = {0, 0, 0, 0};
  GLenum matrixMode = GL_MODELVIEW;
  WebMatrix projection = webIdentity();
  WebMatrix modelview = webIdentity();
  WebViewport viewport{0, 0, 0, 0};
};

GlState state;
WebTransform transform{};
bool transformStale = true;  // a matrix or the viewport changed since it was made

const WebTransform& currentTransform() {
  if (transformStale) {
    transform = webMakeTransform(state.projection, state.modelview, state.viewport);
    transformStale = false;
  }
  return transform;
}

// The primitive being given between glBegin and glEnd.
GLenum beginMode = 0;
bool inside = false;
int primitiveSize = 1;  // point size or line width in whole pixels, fixed at glBegin
bool haveLineStart = false;
WebVertex lineStart{};

bool cleared = false;
float frameClearColour[4] = {0, 0, 0, 0};
std::vector<WebDraw> draws;
std::vector<WebVertex> vertices;

const WebGlObserver* observer = nullptr;

inline void observe(GlCall op, uint32_t e = 0, double a0 = 0, double a1 = 0, double a2 = 0,
                    double a3 = 0, double a4 = 0, double a5 = 0) {
  if (observer != nullptr) observer->call(op, e, a0, a1, a2, a3, a4, a5);
}

// Float colour to the 8 bits of the colour buffer, rounded to nearest as desktop GL stores
// it (the value is never negative, so adding a half and truncating rounds).
uint8_t colourByte(double c) {
  const double clamped = c < 0 ? 0 : (c > 1 ? 1 : c);
  return static_cast<uint8_t>(clamped * 255.0 + 0.5);
}

// Appends vertices to the last draw when it is of the same kind, or opens a new one: runs
// of same-kind primitives, however many begin/end pairs they came in, become one draw.
inline void append(WebDrawKind kind, const WebVertex* given, size_t count) {
  if (draws.empty() || draws.back().kind != kind)
    draws.push_back(WebDraw{kind, static_cast<uint32_t>(vertices.size()), 0});
  for (size_t i = 0; i < count; ++i) vertices.push_back(given[i]);
  draws.back().count += static_cast<uint32_t>(count);
}

WebVertex vertexAt(double x, double y, float size) {
  return WebVertex{static_cast<float>(x), static_cast<float>(y), state.colour[0],
                   state.colour[1], state.colour[2], state.colour[3], size};
}

void addPoint(const WebWindowPoint& p) {
  if (!p.inside) return;  // desktop GL draws no part of a point whose centre is clipped
  const WebVertex v = vertexAt(webPointCentre(p.x, primitiveSize),
                               webPointCentre(p.y, primitiveSize),
                               static_cast<float>(primitiveSize));
  append(WebDrawKind::Points, &v, 1);
}

void addLineEnd(const WebWindowPoint& p) {
  const WebVertex v = vertexAt(p.x, p.y, 0);
  if (!haveLineStart) {
    lineStart = v;
    haveLineStart = true;
    return;
  }
  haveLineStart = false;
  if (primitiveSize == 1) {
    const WebVertex pair[2] = {lineStart, v};
    append(WebDrawKind::Lines, pair, 2);
    return;
  }
  // WebGL draws lines one pixel wide only.
  WebVertex quad[6];
  webWideLineQuad(lineStart, v, primitiveSize, quad);
  append(WebDrawKind::Triangles, quad, 6);
}

WebMatrix& currentMatrix() {
  transformStale = true;
  return state.matrixMode == GL_PROJECTION ? state.projection : state.modelview;
}

}  // namespace

WebFrame webGlFrame() {
  return WebFrame{cleared,
                  {frameClearColour[0], frameClearColour[1], frameClearColour[2],
                   frameClearColour[3]},
                  draws.data(),
                  draws.size(),
                  vertices.data(),
                  vertices.size()};
}

void webGlStartFrame() {
  cleared = false;
  draws.clear();
  vertices.clear();
}

void webSetGlObserver(const WebGlObserver* given) { observer = given; }

void webGlNotifySwap() {
  if (observer != nullptr) observer->swap();
}

extern "C" {

void glBegin(GLenum mode) {
  observe(GlCall::Begin, mode);
  beginMode = mode;
  inside = true;
  haveLineStart = false;
  primitiveSize = webAliasedSize(mode == GL_POINTS ? state.pointSize : state.lineWidth);
}

void glEnd() {
  observe(GlCall::End);
  inside = false;  // a line's lone first end is dropped, as GL drops it
  haveLineStart = false;
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
  observe(GlCall::Vertex3d, 0, x, y, z);
  if (!inside) return;
  const WebWindowPoint p = webWindowPoint(currentTransform(), x, y, z);
  if (beginMode == GL_POINTS) {
    addPoint(p);
  } else if (beginMode == GL_LINES) {
    addLineEnd(p);
  }
}

void glColor3d(GLdouble r, GLdouble g, GLdouble b) {
  observe(GlCall::Color3d, 0, r, g, b);
  // The frame routine sets the same colour before almost every point.
  static double last[3] = {1.0, 1.0, 1.0};
  if (r == last[0] && g == last[1] && b == last[2]) return;
  last[0] = r;
  last[1] = g;
  last[2] = b;
  state.colour[0] = colourByte(r);
  state.colour[1] = colourByte(g);
  state.colour[2] = colourByte(b);
  state.colour[3] = 255;
}

void glPointSize(GLfloat size) {
  observe(GlCall::PointSize, 0, size);
  if (size > 0) state.pointSize = size;
}

void glLineWidth(GLfloat width) {
  observe(GlCall::LineWidth, 0, width);
  if (width > 0) state.lineWidth = width;
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  observe(GlCall::ClearColor, 0, r, g, b, a);
  const GLclampf given[4] = {r, g, b, a};
  for (int i = 0; i < 4; ++i) state.clearColour[i] = given[i] < 0 ? 0 : (given[i] > 1 ? 1 : given[i]);
}

// A true-colour framebuffer has no colour index: accepted and without effect.
void glClearIndex(GLfloat c) { observe(GlCall::ClearIndex, 0, c); }

void glClear(GLbitfield mask) {
  observe(GlCall::Clear, mask);
  if ((mask & GL_COLOR_BUFFER_BIT) == 0) return;
  // The whole buffer is cleared (no scissor): whatever this frame drew before is gone.
  draws.clear();
  vertices.clear();
  cleared = true;
  for (int i = 0; i < 4; ++i) frameClearColour[i] = state.clearColour[i];
}

// The page shows one buffer pair; drawing always goes to the buffer the swap presents.
void glDrawBuffer(GLenum mode) { observe(GlCall::DrawBuffer, mode); }

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  observe(GlCall::Viewport, 0, x, y, width, height);
  if (width < 0 || height < 0) return;
  state.viewport = WebViewport{static_cast<double>(x), static_cast<double>(y),
                               static_cast<double>(width), static_cast<double>(height)};
  transformStale = true;
}

void glMatrixMode(GLenum mode) {
  observe(GlCall::MatrixMode, mode);
  if (mode == GL_PROJECTION || mode == GL_MODELVIEW) state.matrixMode = mode;
}

void glLoadIdentity() {
  observe(GlCall::LoadIdentity);
  currentMatrix() = webIdentity();
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearZ,
             GLdouble farZ) {
  observe(GlCall::Ortho, 0, left, right, bottom, top, nearZ, farZ);
  if (left == right || bottom == top || nearZ == farZ) return;
  currentMatrix() = webTimesOrtho(currentMatrix(), left, right, bottom, top, nearZ, farZ);
}

}  // extern "C"
