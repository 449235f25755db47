// The OpenGL calls of the program, batched: the entry points of platform/gl_calls.h (and
// glFinish) are defined by the X11 driver; points and lines are collected in the order given
// and drawn with as few vertex-array draws as that order allows, less the points that would
// change no pixel, the pixels exactly those of immediate mode. The real libGL is reached
// through the table of x11_gl_submit.cpp only.
#pragma once

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstdint>
#include <vector>

// ---- For the driver -----------------------------------------------------------------------
// Draws whatever is collected, before anything that reads the frame (the buffer swap).
void x11GlFlush();
// Before a make-current or release: draws what is collected and gives the context back the
// state the program set, as if every call had gone straight to it.
void x11GlBeforeContextChange();
// After a make-current attempt: `context` (null for none) is the current one now.
void x11GlContextMadeCurrent(GLXContext context);
// Before the context is destroyed: forgets what was made in it.
void x11GlContextDeleted(GLXContext context);
// Tests only: false passes every call straight to GL, as without the layer (true at start).
// Returns whether calls are batched now (never without a current context that can).
bool x11SetGlBatching(bool on);
// Tests and benchmarks: false draws every collected point, also those that change no pixel
// (true at start); returns the setting. The points left out so far, over all contexts.
bool x11SetGlPointCulling(bool on);
uint64_t x11GlPointsLeftOut();

// ---- Between the collection and the submission ---------------------------------------------
// One collected vertex: object coordinates (GL transforms them itself), the current colour
// and, for points, the current point size, each as GL stores it (in floats).
struct BatchVertex {
  GLfloat x, y, z;
  GLfloat r, g, b;
  GLfloat size;
};

// A stretch of vertices drawn with one call: points of any sizes, or lines of one width.
struct BatchRun {
  GLenum mode;
  GLfloat lineWidth;
  uint32_t first;
  uint32_t count;
};

// The real entry points, taken from libGL by name strings (glXGetProcAddress): this layer
// defines the ordinary names itself.
struct RealGl {
  void (*Begin)(GLenum);
  void (*End)();
  void (*Vertex3d)(GLdouble, GLdouble, GLdouble);
  void (*Color3d)(GLdouble, GLdouble, GLdouble);
  void (*PointSize)(GLfloat);
  void (*LineWidth)(GLfloat);
  void (*ClearColor)(GLclampf, GLclampf, GLclampf, GLclampf);
  void (*ClearIndex)(GLfloat);
  void (*Clear)(GLbitfield);
  void (*DrawBuffer)(GLenum);
  void (*Viewport)(GLint, GLint, GLsizei, GLsizei);
  void (*MatrixMode)(GLenum);
  void (*LoadIdentity)();
  void (*Ortho)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble);
  void (*Finish)();
  void (*GetFloatv)(GLenum, GLfloat*);
};
// Loaded at the first call (every entry is then set; a missing one ends the process, as a
// call into a libGL without it would).
const RealGl& realGl();

// Points that change no pixel (x11_gl_cull.cpp): before a point is collected, true when it
// lies outside the viewport or all its pixels already hold its colour from the points
// collected before it since the last flush, so that it is left out. Its object coordinates,
// colour and size as collected (in floats, as GL takes them).
bool x11GlPointChangesNothing(GLfloat x, GLfloat y, GLfloat z, const GLfloat* rgb, GLfloat size);
// The colour or point size the next point is collected with may differ from the last's.
void x11GlPointKindChanged();
// After a line's two ends are collected: the pixels it may cover are no longer known.
void x11GlLineCollected(const BatchVertex& from, const BatchVertex& to, GLfloat width);
// At every flush: what GL draws next (a clear, a buffer after the swap, a primitive passed
// through) is not known, so neither is any pixel.
void x11GlForgetPixels();
// A matrix or the viewport may have changed, or another context is current: GL's transform
// is read again before the next point.
void x11GlTransformChanged();

// Whether the current context can draw batches (GLSL 1.20 and the point-size shader made);
// set up once per context.
bool x11GlSubmitReady(GLXContext context);
void x11GlSubmitForget(GLXContext context);
// Draws the runs in order (those of no vertices are skipped). It leaves GL's current colour
// and line width as the draws left them: the collection sets them again before it passes any
// drawing call on.
void x11GlSubmit(const std::vector<BatchVertex>& vertices, const std::vector<BatchRun>& runs);
