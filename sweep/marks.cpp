// The grid marks: trace marks as small green points, vertex marks as larger cyan ones, x
// outer and y inner. Row 0 and column 0 are never drawn.
#include <GL/gl.h>

#include "sweep/mark_index.h"
#include "sweep/steps.h"

namespace {

void drawMark(int x, int y, int value) {
  if (value == 1) {
    glPointSize(1.0);
    glBegin(GL_POINTS);
    glColor3d(0.0, 1.0, 0.0);
  } else {
    glPointSize(5.0);
    glBegin(GL_POINTS);
    glColor3d(0.0, 1.0, 1.0);
  }
  glVertex3d(x, y, 0.0);
  glEnd();
}

}  // namespace

void drawMarks() { forEachMark(drawMark); }
