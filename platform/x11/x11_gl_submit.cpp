// The submission: the real libGL, and the collected vertices drawn with it. Points take their
// size from a per-vertex attribute through a GLSL 1.20 vertex shader (ftransform(), as the
// fixed-function transform), so a change of point size does not end a draw; lines are drawn
// by GL at the width of their run. A context without GLSL 1.20, or whose shader does not
// compile or link, is not batched.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/x11/x11_gl_batch.h"

namespace {

// Generic attribute 0 would alias the position; 1 is free in every context.
constexpr GLuint POINT_SIZE_ATTRIBUTE = 1;

const char* const VERTEX_SHADER =
    "#version 120\n"
    "attribute float pointSize;\n"
    "void main() {\n"
    "  gl_Position = ftransform();\n"
    "  gl_FrontColor = gl_Color;\n"
    "  gl_PointSize = pointSize;\n"
    "}\n";

// The entry points beyond the program's own, for drawing batches.
struct ArrayGl {
  const GLubyte* (*GetString)(GLenum);
  void (*Enable)(GLenum);
  void (*Disable)(GLenum);
  void (*EnableClientState)(GLenum);
  void (*DisableClientState)(GLenum);
  void (*VertexPointer)(GLint, GLenum, GLsizei, const void*);
  void (*ColorPointer)(GLint, GLenum, GLsizei, const void*);
  void (*DrawArrays)(GLenum, GLint, GLsizei);
  PFNGLCREATESHADERPROC CreateShader;
  PFNGLSHADERSOURCEPROC ShaderSource;
  PFNGLCOMPILESHADERPROC CompileShader;
  PFNGLGETSHADERIVPROC GetShaderiv;
  PFNGLDELETESHADERPROC DeleteShader;
  PFNGLCREATEPROGRAMPROC CreateProgram;
  PFNGLATTACHSHADERPROC AttachShader;
  PFNGLBINDATTRIBLOCATIONPROC BindAttribLocation;
  PFNGLLINKPROGRAMPROC LinkProgram;
  PFNGLGETPROGRAMIVPROC GetProgramiv;
  PFNGLDELETEPROGRAMPROC DeleteProgram;
  PFNGLUSEPROGRAMPROC UseProgram;
  PFNGLVERTEXATTRIBPOINTERPROC VertexAttribPointer;
  PFNGLENABLEVERTEXATTRIBARRAYPROC EnableVertexAttribArray;
  PFNGLDISABLEVERTEXATTRIBARRAYPROC DisableVertexAttribArray;
};

// An entry point of the real libGL by its name. This executable defines the program's entry
// points itself (`ours`): should the lookup find one of them, the next library's is taken.
template <typename Function>
void lookUp(Function* into, const char* name, Function ours, bool required) {
  void* found =
      reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
  if (found == nullptr || found == reinterpret_cast<void*>(ours)) found = dlsym(RTLD_NEXT, name);
  if (found == nullptr && required) {
    std::fprintf(stderr, "voronoi-sweep: the OpenGL library has no %s\n", name);
    std::abort();
  }
  *into = reinterpret_cast<Function>(found);
}

// One of the program's own entry points.
#define REAL_GL(member, name) lookUp(&gl.member, #name, &name, true)
// Any other entry point: required, or left null when absent.
#define OTHER_GL(member, name, required) \
  lookUp(&gl.member, #name, static_cast<decltype(gl.member)>(nullptr), required)

RealGl loadRealGl() {
  RealGl gl{};
  REAL_GL(Begin, glBegin);
  REAL_GL(End, glEnd);
  REAL_GL(Vertex3d, glVertex3d);
  REAL_GL(Color3d, glColor3d);
  REAL_GL(PointSize, glPointSize);
  REAL_GL(LineWidth, glLineWidth);
  REAL_GL(ClearColor, glClearColor);
  REAL_GL(ClearIndex, glClearIndex);
  REAL_GL(Clear, glClear);
  REAL_GL(DrawBuffer, glDrawBuffer);
  REAL_GL(Viewport, glViewport);
  REAL_GL(MatrixMode, glMatrixMode);
  REAL_GL(LoadIdentity, glLoadIdentity);
  REAL_GL(Ortho, glOrtho);
  REAL_GL(Finish, glFinish);
  OTHER_GL(GetFloatv, glGetFloatv, true);
  return gl;
}

// Looked up once a context is current: only the 1.1 ones must exist, the shader entry points
// are checked through the version the context reports.
ArrayGl loadArrayGl() {
  ArrayGl gl{};
  OTHER_GL(GetString, glGetString, true);
  OTHER_GL(Enable, glEnable, true);
  OTHER_GL(Disable, glDisable, true);
  OTHER_GL(EnableClientState, glEnableClientState, true);
  OTHER_GL(DisableClientState, glDisableClientState, true);
  OTHER_GL(VertexPointer, glVertexPointer, true);
  OTHER_GL(ColorPointer, glColorPointer, true);
  OTHER_GL(DrawArrays, glDrawArrays, true);
  OTHER_GL(CreateShader, glCreateShader, false);
  OTHER_GL(ShaderSource, glShaderSource, false);
  OTHER_GL(CompileShader, glCompileShader, false);
  OTHER_GL(GetShaderiv, glGetShaderiv, false);
  OTHER_GL(DeleteShader, glDeleteShader, false);
  OTHER_GL(CreateProgram, glCreateProgram, false);
  OTHER_GL(AttachShader, glAttachShader, false);
  OTHER_GL(BindAttribLocation, glBindAttribLocation, false);
  OTHER_GL(LinkProgram, glLinkProgram, false);
  OTHER_GL(GetProgramiv, glGetProgramiv, false);
  OTHER_GL(DeleteProgram, glDeleteProgram, false);
  OTHER_GL(UseProgram, glUseProgram, false);
  OTHER_GL(VertexAttribPointer, glVertexAttribPointer, false);
  OTHER_GL(EnableVertexAttribArray, glEnableVertexAttribArray, false);
  OTHER_GL(DisableVertexAttribArray, glDisableVertexAttribArray, false);
  return gl;
}

const ArrayGl& arrayGl() {
  static const ArrayGl gl = loadArrayGl();
  return gl;
}

// "major.minor..." at least the version asked for; false for anything unreadable.
bool versionAtLeast(const GLubyte* text, int major, int minor) {
  int hasMajor = 0, hasMinor = 0;
  if (text == nullptr ||
      std::sscanf(reinterpret_cast<const char*>(text), "%d.%d", &hasMajor, &hasMinor) != 2)
    return false;
  return hasMajor > major || (hasMajor == major && hasMinor >= minor);
}

bool hasEveryShaderEntryPoint(const ArrayGl& gl) {
  return gl.CreateShader && gl.ShaderSource && gl.CompileShader && gl.GetShaderiv &&
         gl.DeleteShader && gl.CreateProgram && gl.AttachShader && gl.BindAttribLocation &&
         gl.LinkProgram && gl.GetProgramiv && gl.DeleteProgram && gl.UseProgram &&
         gl.VertexAttribPointer && gl.EnableVertexAttribArray && gl.DisableVertexAttribArray;
}

// The point-size program in the current context; 0 when it cannot be made.
GLuint makePointSizeProgram() {
  const ArrayGl& gl = arrayGl();
  if (!versionAtLeast(gl.GetString(GL_VERSION), 2, 0) ||
      !versionAtLeast(gl.GetString(GL_SHADING_LANGUAGE_VERSION), 1, 20) ||
      !hasEveryShaderEntryPoint(gl))
    return 0;
  GLuint shader = gl.CreateShader(GL_VERTEX_SHADER);
  if (shader == 0) return 0;
  gl.ShaderSource(shader, 1, &VERTEX_SHADER, nullptr);
  gl.CompileShader(shader);
  GLint compiled = GL_FALSE;
  gl.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  GLuint program = compiled == GL_TRUE ? gl.CreateProgram() : 0;
  if (program != 0) {
    gl.AttachShader(program, shader);
    gl.BindAttribLocation(program, POINT_SIZE_ATTRIBUTE, "pointSize");
    gl.LinkProgram(program);
    GLint linked = GL_FALSE;
    gl.GetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
      gl.DeleteProgram(program);
      program = 0;
    }
  }
  gl.DeleteShader(shader);  // the program keeps it while it lives
  return program;
}

struct ContextProgram {
  GLXContext context;
  GLuint program;  // 0: the context is not batched
};
std::vector<ContextProgram> programs;
GLuint currentProgram = 0;

}  // namespace

const RealGl& realGl() {
  static const RealGl gl = loadRealGl();
  return gl;
}

bool x11GlSubmitReady(GLXContext context) {
  auto known = std::find_if(programs.begin(), programs.end(),
                            [&](const ContextProgram& p) { return p.context == context; });
  if (known == programs.end()) {
    programs.push_back(ContextProgram{context, makePointSizeProgram()});
    known = programs.end() - 1;
  }
  currentProgram = known->program;
  return currentProgram != 0;
}

void x11GlSubmitForget(GLXContext context) {
  programs.erase(std::remove_if(programs.begin(), programs.end(),
                                [&](const ContextProgram& p) { return p.context == context; }),
                 programs.end());
}

void x11GlSubmit(const std::vector<BatchVertex>& vertices, const std::vector<BatchRun>& runs) {
  if (vertices.empty()) return;  // only groups without a vertex
  const ArrayGl& gl = arrayGl();
  const BatchVertex* base = vertices.data();
  const GLsizei stride = sizeof(BatchVertex);
  gl.UseProgram(currentProgram);
  gl.Enable(GL_VERTEX_PROGRAM_POINT_SIZE);
  gl.EnableClientState(GL_VERTEX_ARRAY);
  gl.EnableClientState(GL_COLOR_ARRAY);
  gl.EnableVertexAttribArray(POINT_SIZE_ATTRIBUTE);
  gl.VertexPointer(3, GL_FLOAT, stride, &base->x);
  gl.ColorPointer(3, GL_FLOAT, stride, &base->r);
  gl.VertexAttribPointer(POINT_SIZE_ATTRIBUTE, 1, GL_FLOAT, GL_FALSE, stride, &base->size);
  GLfloat width = 0.0f;  // no width set yet
  for (const BatchRun& run : runs) {
    if (run.count == 0) continue;
    if (run.mode == GL_LINES && run.lineWidth != width) {
      realGl().LineWidth(run.lineWidth);
      width = run.lineWidth;
    }
    gl.DrawArrays(run.mode, static_cast<GLint>(run.first), static_cast<GLsizei>(run.count));
  }
  gl.DisableVertexAttribArray(POINT_SIZE_ATTRIBUTE);
  gl.DisableClientState(GL_COLOR_ARRAY);
  gl.DisableClientState(GL_VERTEX_ARRAY);
  gl.Disable(GL_VERTEX_PROGRAM_POINT_SIZE);
  gl.UseProgram(0);
}
