// The collection: the program's OpenGL 1.1 entry points. While batching, points and lines
// given between glBegin and glEnd are appended, in order, to one vertex array, with the
// colour and point size current for each; nothing reaches GL until a call that reads or
// changes other state, the buffer swap or a change of context flushes them. Calls GL refuses
// (between glBegin and glEnd, a size of 0 or less, a glEnd without glBegin) are refused here
// the same way. Any other primitive kind is passed straight through, as is every call while
// batching is off or the context cannot draw batches: the pixels never differ.
#include <GL/gl.h>

#include "platform/x11/x11_gl_batch.h"

namespace {

enum class Group { Outside, Collected, PassedThrough };

bool enabled = true;
bool batching = false;  // enabled, a context current, and it can draw batches
GLXContext current = nullptr;

// GL's current state as the program set it (GL holds colours and sizes in floats).
GLfloat colour[3] = {1.0f, 1.0f, 1.0f};
GLfloat pointSize = 1.0f;
GLfloat lineWidth = 1.0f;

Group group = Group::Outside;
GLenum groupMode = GL_POINTS;
size_t groupStart = 0;

// Reused from frame to frame: after the busiest frame no flush allocates.
std::vector<BatchVertex> vertices;
std::vector<BatchRun> runs;

bool passingOn() { return !batching || group == Group::PassedThrough; }

// The state GL holds when batching starts on a context.
void readRealState() {
  GLfloat current4[4];
  realGl().GetFloatv(GL_CURRENT_COLOR, current4);
  for (int i = 0; i < 3; ++i) colour[i] = current4[i];
  realGl().GetFloatv(GL_POINT_SIZE, &pointSize);
  realGl().GetFloatv(GL_LINE_WIDTH, &lineWidth);
  x11GlPointKindChanged();
}

// Sizes set while batching only reached the collection, and batches leave the colour and
// line width to their last draw: before GL draws anything itself it gets them back.
void syncRealState() {
  realGl().Color3d(colour[0], colour[1], colour[2]);
  realGl().PointSize(pointSize);
  realGl().LineWidth(lineWidth);
}

void leaveBatching() {
  if (!batching) return;
  x11GlFlush();
  syncRealState();
  // A group left open (a context changed between glBegin and glEnd) is dropped, as GL
  // drops it.
  vertices.clear();
  runs.clear();
  group = Group::Outside;
  batching = false;
}

void enterBatchingIfPossible() {
  batching = enabled && current != nullptr && x11GlSubmitReady(current);
  if (batching) readRealState();
  x11GlTransformChanged();
}

// Before a call that reads or changes state other than the collected one: true when it is to
// be passed on (after a flush); false when GL would refuse it (between glBegin and glEnd).
bool flushBeforeStateCall() {
  if (passingOn()) return true;
  if (group == Group::Collected) return false;
  x11GlFlush();
  return true;
}

}  // namespace

void x11GlFlush() {
  x11GlForgetPixels();
  if (runs.empty()) return;
  if (group != Group::Collected) {
    x11GlSubmit(vertices, runs);
    vertices.clear();
    runs.clear();
    return;
  }
  // Inside glBegin/glEnd: the groups already ended are drawn, the open one stays.
  const BatchRun open = runs.back();
  x11GlSubmit(vertices, runs);
  vertices.erase(vertices.begin(), vertices.begin() + static_cast<ptrdiff_t>(groupStart));
  runs.assign(1, BatchRun{open.mode, open.lineWidth, 0, 0});
  groupStart = 0;
}

void x11GlBeforeContextChange() { leaveBatching(); }

void x11GlContextMadeCurrent(GLXContext context) {
  leaveBatching();
  current = context;
  enterBatchingIfPossible();
}

void x11GlContextDeleted(GLXContext context) {
  if (context == current) x11GlContextMadeCurrent(nullptr);
  x11GlSubmitForget(context);
}

bool x11SetGlBatching(bool on) {
  leaveBatching();
  enabled = on;
  enterBatchingIfPossible();
  return batching;
}

extern "C" {

void glBegin(GLenum mode) {
  if (!batching) return realGl().Begin(mode);
  if (group != Group::Outside) {  // GL refuses a nested glBegin
    if (group == Group::PassedThrough) realGl().Begin(mode);
    return;
  }
  if (mode != GL_POINTS && mode != GL_LINES) {
    x11GlFlush();
    syncRealState();
    group = Group::PassedThrough;
    return realGl().Begin(mode);
  }
  group = Group::Collected;
  groupMode = mode;
  groupStart = vertices.size();
  // Points of any size share a draw; lines share one only at the same width.
  const bool continues = !runs.empty() && runs.back().mode == mode &&
                         (mode == GL_POINTS || runs.back().lineWidth == lineWidth);
  if (!continues) runs.push_back(BatchRun{mode, lineWidth, static_cast<uint32_t>(groupStart), 0});
}

void glEnd() {
  if (passingOn()) {
    group = Group::Outside;
    return realGl().End();
  }
  if (group == Group::Outside) return;  // GL refuses an end without a begin
  // GL draws no line of a lone last vertex: it must not pair with the next group's first.
  if (groupMode == GL_LINES && (vertices.size() - groupStart) % 2 == 1) vertices.pop_back();
  runs.back().count = static_cast<uint32_t>(vertices.size() - runs.back().first);
  group = Group::Outside;
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
  if (passingOn()) return realGl().Vertex3d(x, y, z);
  if (group == Group::Outside) return;  // outside glBegin/glEnd a vertex draws nothing
  const GLfloat fx = static_cast<GLfloat>(x), fy = static_cast<GLfloat>(y),
                fz = static_cast<GLfloat>(z);
  const bool points = groupMode == GL_POINTS;
  if (points && x11GlPointChangesNothing(fx, fy, fz, colour, pointSize)) return;
  vertices.push_back(BatchVertex{fx, fy, fz, colour[0], colour[1], colour[2],
                                 points ? pointSize : 0.0f});
  if (!points && (vertices.size() - groupStart) % 2 == 0)
    x11GlLineCollected(vertices.end()[-2], vertices.back(), lineWidth);
}

void glColor3d(GLdouble r, GLdouble g, GLdouble b) {
  const GLfloat red = static_cast<GLfloat>(r), green = static_cast<GLfloat>(g),
                blue = static_cast<GLfloat>(b);
  // The frame routine sets the same colour before most points.
  if (!(red == colour[0] && green == colour[1] && blue == colour[2])) x11GlPointKindChanged();
  colour[0] = red;
  colour[1] = green;
  colour[2] = blue;
  if (passingOn()) realGl().Color3d(r, g, b);
}

void glPointSize(GLfloat size) {
  if (passingOn()) return realGl().PointSize(size);
  if (group == Group::Collected || !(size > 0.0f)) return;  // refused by GL
  if (size != pointSize) x11GlPointKindChanged();
  pointSize = size;
}

void glLineWidth(GLfloat width) {
  if (passingOn()) return realGl().LineWidth(width);
  if (group == Group::Collected || !(width > 0.0f)) return;  // refused by GL
  lineWidth = width;
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  if (flushBeforeStateCall()) realGl().ClearColor(r, g, b, a);
}

void glClearIndex(GLfloat index) {
  if (flushBeforeStateCall()) realGl().ClearIndex(index);
}

void glClear(GLbitfield mask) {
  if (flushBeforeStateCall()) realGl().Clear(mask);
}

void glDrawBuffer(GLenum buffer) {
  if (flushBeforeStateCall()) realGl().DrawBuffer(buffer);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (!flushBeforeStateCall()) return;
  realGl().Viewport(x, y, width, height);
  x11GlTransformChanged();
}

void glMatrixMode(GLenum mode) {
  if (flushBeforeStateCall()) realGl().MatrixMode(mode);
}

void glLoadIdentity() {
  if (!flushBeforeStateCall()) return;
  realGl().LoadIdentity();
  x11GlTransformChanged();
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar) {
  if (!flushBeforeStateCall()) return;
  realGl().Ortho(left, right, bottom, top, zNear, zFar);
  x11GlTransformChanged();
}

void glFinish() {
  if (flushBeforeStateCall()) realGl().Finish();
}

}  // extern "C"
