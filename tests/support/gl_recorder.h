// The GL call recorder: defines the OpenGL 1.1 entry points the program uses and records
// every call with its arguments. Test binaries link it in place of libGL, then ask the
// queries below about the stream.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gl_calls.h"

namespace glrec {

// The operations, numbered as the browser's GL subset numbers them.
using Op = GlCall;

// One call: the operation, its enum or bitfield argument (if any), its numeric arguments
// in order (floats widened to double, ints converted).
struct Call {
  Op op;
  uint32_t e;
  double a[6];
};

// Exact equality: same operation, same enum, numeric arguments equal bit for bit.
bool sameCall(const Call& x, const Call& y);
std::string describe(const Call& call);

// The recorded stream since the last reset.
const std::vector<Call>& calls();
// Forgets the stream and returns the tracked pipeline state to OpenGL's initial state.
void reset();
// While off, calls update the tracked state but are not stored (for long runs).
void setStoring(bool on);

// ---- Digest mode -----------------------------------------------------------------------------
// While on, every call is folded into a running 64-bit digest instead of being stored, so two
// long streams can be compared without keeping them. Two equal streams always give equal
// digests; any difference in an operation, an enum or a bit of an argument changes the digest
// but for an accidental collision. reset() switches it off.
void setDigesting(bool on);
// Starts a new digest: no calls folded in yet.
void restartDigest();
uint64_t digest();
// How many calls went into the current digest.
size_t digestedCount();

// ---- Queries ---------------------------------------------------------------------------
// The state in force: current colour, point size, line width.
struct State {
  double colour[3];
  double pointSize;
  double lineWidth;
};
// The state just before call number `index` of calls() runs.
State stateBefore(size_t index);

struct Vertex {
  double x, y, z;
  State state;  // in force when the vertex was given
};

struct Primitive {
  GLenum mode;
  size_t beginIndex;  // position of its glBegin in calls()
  std::vector<Vertex> vertices;
};

// Every glBegin..glEnd group, in order.
std::vector<Primitive> primitives();
// How many glBegin calls had this mode.
size_t countPrimitives(GLenum mode);
// How many calls of this operation.
size_t countCalls(Op op);

struct Point {
  double x, y;
};
// The points drawn (GL_POINTS vertices) with exactly this colour and point size, in order.
std::vector<Point> points(double r, double g, double b, double size);

struct Line {
  double x1, y1, x2, y2;
  double lineWidth;
};
// The lines drawn (GL_LINES vertex pairs) in exactly this colour, in order.
std::vector<Line> lines(double r, double g, double b);

}  // namespace glrec
