// The X11 driver's batching refuses what GL refuses: the refusal table played into its
// collection, over a stand-in for libGL that keeps the state the layer hands on and, at each
// flush, places the submitted vertices as GL would.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "platform/gl_window_transform.h"
#include "platform/x11/x11_gl_batch.h"
#include "tests/platform/gl_refusal_cases.h"

namespace {

struct StandInGl {
  GLfloat colour[4] = {1, 1, 1, 1}, pointSize = 1, lineWidth = 1, clearColour[3] = {0, 0, 0};
  GLenum matrixMode = GL_MODELVIEW;
  GlMatrix projection = identityMatrix(), modelview = identityMatrix();
  GlViewport viewport{0, 0, 0, 0};
  std::vector<std::string> drawn;
  GlMatrix& matrix() { return matrixMode == GL_PROJECTION ? projection : modelview; }
} gl;

int byte(GLfloat c) { return static_cast<int>(c * 255.0f + 0.5f); }

std::string coloured(const char* what, GLfloat r, GLfloat g, GLfloat b) {
  return std::string(what) + std::to_string(byte(r)) + " " + std::to_string(byte(g)) + " " +
         std::to_string(byte(b));
}

const RealGl standIn{
    [](GLenum) { gl.drawn.push_back("a primitive passed on"); },
    [] {},
    [](GLdouble, GLdouble, GLdouble) {},
    [](GLdouble r, GLdouble g, GLdouble b) { std::copy_n(std::array<GLfloat, 3>{GLfloat(r), GLfloat(g), GLfloat(b)}.data(), 3, gl.colour); },
    [](GLfloat size) { gl.pointSize = size; },
    [](GLfloat width) { gl.lineWidth = width; },
    [](GLclampf r, GLclampf g, GLclampf b, GLclampf) { std::copy_n(std::array<GLfloat, 3>{r, g, b}.data(), 3, gl.clearColour); },
    [](GLfloat) {},
    [](GLbitfield) {
      gl.drawn.assign(1, coloured("clear ", gl.clearColour[0], gl.clearColour[1], gl.clearColour[2]));
    },
    [](GLenum) {},
    [](GLint x, GLint y, GLsizei w, GLsizei h) { gl.viewport = GlViewport{1.0 * x, 1.0 * y, 1.0 * w, 1.0 * h}; },
    [](GLenum mode) { gl.matrixMode = mode; },
    [] { gl.matrix() = identityMatrix(); },
    [](GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
      gl.matrix() = timesOrtho(gl.matrix(), l, r, b, t, n, f);
    },
    [] {},
    [](GLenum what, GLfloat* into) {
      if (what == GL_CURRENT_COLOR) std::copy(gl.colour, gl.colour + 4, into);
      if (what == GL_POINT_SIZE || what == GL_LINE_WIDTH) *into = what == GL_POINT_SIZE ? gl.pointSize : gl.lineWidth;
    },
};

const GLXContext THE_CONTEXT = reinterpret_cast<GLXContext>(1);

TEST(GlRefusals, TheBatchingLayerDrawsWhatGlDraws) {
  x11SetGlPointCulling(false);  // all the rows' points change pixels; culling is proven apart
  x11GlContextMadeCurrent(THE_CONTEXT);
  for (const RefusalCase& row : refusal::cases()) {
    refusal::startRow();
    x11GlFlush();
    gl.drawn.clear();
    row.play();
    x11GlFlush();
    EXPECT_EQ(gl.drawn, row.drawn) << row.name;
  }
  x11GlContextMadeCurrent(nullptr);
}

}  // namespace

const RealGl& realGl() { return standIn; }
bool x11GlSubmitReady(GLXContext context) { return context == THE_CONTEXT; }
void x11GlSubmitForget(GLXContext) {}

void x11GlSubmit(const std::vector<BatchVertex>& vertices, const std::vector<BatchRun>& runs) {
  const GlTransform t = makeGlTransform(gl.projection, gl.modelview, gl.viewport);
  const auto window = [](const double row[4], const BatchVertex& v) {
    return static_cast<int>(std::floor(row[0] * v.x + row[1] * v.y + row[2] * v.z + row[3]));
  };
  for (const BatchRun& run : runs) {
    for (uint32_t i = run.first; run.mode == GL_POINTS && i < run.first + run.count; ++i) {
      const BatchVertex& v = vertices[i];
      gl.drawn.push_back(coloured(("point " + std::to_string(window(t.windowX, v)) + " " +
                                   std::to_string(window(t.windowY, v)) + " size " +
                                   std::to_string(static_cast<int>(v.size)) + " colour ")
                                      .c_str(),
                                  v.r, v.g, v.b));
    }
    for (uint32_t i = 0; run.mode == GL_LINES && i + 1 < run.count; i += 2)
      gl.drawn.push_back("line width " + std::to_string(static_cast<int>(run.lineWidth)));
  }
}
