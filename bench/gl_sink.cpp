// The OpenGL entry points the frame routine calls, doing nothing: what a benchmark times is
// then the frame routine's own work and the bare cost of making its calls.
#include <GL/gl.h>

extern "C" {

void glBegin(GLenum) {}
void glEnd() {}
void glVertex3d(GLdouble, GLdouble, GLdouble) {}
void glColor3d(GLdouble, GLdouble, GLdouble) {}
void glPointSize(GLfloat) {}
void glLineWidth(GLfloat) {}
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void glClearIndex(GLfloat) {}
void glClear(GLbitfield) {}
void glDrawBuffer(GLenum) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glMatrixMode(GLenum) {}
void glLoadIdentity() {}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}

}  // extern "C"
