#include "tests/support/gl_recorder.h"

#include <cstring>
#include <sstream>

#include "tests/support/gl_digest.h"

namespace glrec {
namespace {

constexpr State initialState{{1.0, 1.0, 1.0}, 1.0, 1.0};

std::vector<Call> stream;
bool storing = true;
bool digesting = false;
uint64_t runningDigest = gldigest::kStart;
size_t digested = 0;

__attribute__((noinline)) void store(Op op, uint32_t e, double a0, double a1, double a2,
                                     double a3, double a4, double a5) {
  if (!storing) return;
  stream.push_back(Call{op, e, {a0, a1, a2, a3, a4, a5}});
}

// Small enough to be inlined into every entry point, which keeps digesting cheap.
inline void record(Op op, uint32_t e = 0, double a0 = 0, double a1 = 0, double a2 = 0,
                   double a3 = 0, double a4 = 0, double a5 = 0) {
  if (digesting) {
    runningDigest = gldigest::fold(runningDigest,
                                   (static_cast<uint64_t>(e) << 8) | static_cast<uint64_t>(op),
                                   a0, a1, a2, a3, a4, a5);
    ++digested;
    return;
  }
  store(op, e, a0, a1, a2, a3, a4, a5);
}

void apply(const Call& c, State* s) {
  switch (c.op) {
    case Op::Color3d:
      s->colour[0] = c.a[0];
      s->colour[1] = c.a[1];
      s->colour[2] = c.a[2];
      break;
    case Op::PointSize:
      s->pointSize = c.a[0];
      break;
    case Op::LineWidth:
      s->lineWidth = c.a[0];
      break;
    default:
      break;
  }
}

const char* opName(Op op) {
  switch (op) {
    case Op::Begin: return "glBegin";
    case Op::End: return "glEnd";
    case Op::Vertex3d: return "glVertex3d";
    case Op::Color3d: return "glColor3d";
    case Op::PointSize: return "glPointSize";
    case Op::LineWidth: return "glLineWidth";
    case Op::ClearColor: return "glClearColor";
    case Op::ClearIndex: return "glClearIndex";
    case Op::Clear: return "glClear";
    case Op::DrawBuffer: return "glDrawBuffer";
    case Op::Viewport: return "glViewport";
    case Op::MatrixMode: return "glMatrixMode";
    case Op::LoadIdentity: return "glLoadIdentity";
    case Op::Ortho: return "glOrtho";
  }
  return "?";
}

int argCount(Op op) {
  switch (op) {
    case Op::Vertex3d:
    case Op::Color3d: return 3;
    case Op::PointSize:
    case Op::LineWidth:
    case Op::ClearIndex: return 1;
    case Op::ClearColor:
    case Op::Viewport: return 4;
    case Op::Ortho: return 6;
    default: return 0;
  }
}

bool hasEnum(Op op) {
  return op == Op::Begin || op == Op::Clear || op == Op::DrawBuffer || op == Op::MatrixMode;
}

}  // namespace

bool sameCall(const Call& x, const Call& y) {
  return x.op == y.op && x.e == y.e && std::memcmp(x.a, y.a, sizeof x.a) == 0;
}

std::string describe(const Call& call) {
  std::ostringstream out;
  out.precision(17);
  out << opName(call.op) << "(";
  const char* sep = "";
  if (hasEnum(call.op)) {
    out << "0x" << std::hex << call.e << std::dec;
    sep = ", ";
  }
  for (int i = 0; i < argCount(call.op); ++i) {
    out << sep << call.a[i];
    sep = ", ";
  }
  out << ")";
  return out.str();
}

const std::vector<Call>& calls() { return stream; }

void reset() {
  stream.clear();
  storing = true;
  digesting = false;
  restartDigest();
}

void setStoring(bool on) { storing = on; }

void setDigesting(bool on) { digesting = on; }

void restartDigest() {
  runningDigest = gldigest::kStart;
  digested = 0;
}

uint64_t digest() { return runningDigest; }

size_t digestedCount() { return digested; }

State stateBefore(size_t index) {
  State s = initialState;
  for (size_t i = 0; i < index && i < stream.size(); ++i) apply(stream[i], &s);
  return s;
}

std::vector<Primitive> primitives() {
  std::vector<Primitive> result;
  State s = initialState;
  bool inside = false;
  for (size_t i = 0; i < stream.size(); ++i) {
    const Call& c = stream[i];
    apply(c, &s);
    if (c.op == Op::Begin) {
      result.push_back(Primitive{c.e, i, {}});
      inside = true;
    } else if (c.op == Op::End) {
      inside = false;
    } else if (c.op == Op::Vertex3d && inside) {
      result.back().vertices.push_back(Vertex{c.a[0], c.a[1], c.a[2], s});
    }
  }
  return result;
}

size_t countPrimitives(GLenum mode) {
  size_t n = 0;
  for (const Call& c : stream)
    if (c.op == Op::Begin && c.e == mode) ++n;
  return n;
}

size_t countCalls(Op op) {
  size_t n = 0;
  for (const Call& c : stream)
    if (c.op == op) ++n;
  return n;
}

namespace {
bool colourIs(const State& s, double r, double g, double b) {
  return s.colour[0] == r && s.colour[1] == g && s.colour[2] == b;
}
}  // namespace

std::vector<Point> points(double r, double g, double b, double size) {
  std::vector<Point> result;
  for (const Primitive& p : primitives()) {
    if (p.mode != GL_POINTS) continue;
    for (const Vertex& v : p.vertices)
      if (colourIs(v.state, r, g, b) && v.state.pointSize == size) result.push_back({v.x, v.y});
  }
  return result;
}

std::vector<Line> lines(double r, double g, double b) {
  std::vector<Line> result;
  for (const Primitive& p : primitives()) {
    if (p.mode != GL_LINES) continue;
    for (size_t i = 0; i + 1 < p.vertices.size(); i += 2) {
      const Vertex& v = p.vertices[i];
      const Vertex& w = p.vertices[i + 1];
      if (colourIs(w.state, r, g, b))
        result.push_back({v.x, v.y, w.x, w.y, w.state.lineWidth});
    }
  }
  return result;
}

}  // namespace glrec

// ---- The OpenGL entry points ---------------------------------------------------------------
using glrec::Op;

extern "C" {

void glBegin(GLenum mode) { glrec::record(Op::Begin, mode); }
void glEnd() { glrec::record(Op::End); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) { glrec::record(Op::Vertex3d, 0, x, y, z); }
void glColor3d(GLdouble r, GLdouble g, GLdouble b) { glrec::record(Op::Color3d, 0, r, g, b); }
void glPointSize(GLfloat size) { glrec::record(Op::PointSize, 0, size); }
void glLineWidth(GLfloat width) { glrec::record(Op::LineWidth, 0, width); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  glrec::record(Op::ClearColor, 0, r, g, b, a);
}
void glClearIndex(GLfloat c) { glrec::record(Op::ClearIndex, 0, c); }
void glClear(GLbitfield mask) { glrec::record(Op::Clear, mask); }
void glDrawBuffer(GLenum mode) { glrec::record(Op::DrawBuffer, mode); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
  glrec::record(Op::Viewport, 0, x, y, w, h);
}
void glMatrixMode(GLenum mode) { glrec::record(Op::MatrixMode, mode); }
void glLoadIdentity() { glrec::record(Op::LoadIdentity); }
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
  glrec::record(Op::Ortho, 0, l, r, b, t, n, f);
}

}  // extern "C"
