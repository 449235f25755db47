// The sweep line, drawn where this frame traced, then lowered: by 1.0, by 2.0 while 100 or
// more sites are on the beach line, and by 0.2 while a site lies within a pixel of the line.
#include <GL/gl.h>

#include "sweep/frame_values.h"
#include "sweep/steps.h"

void advanceSweep() {
  // No line width is set here: the line is drawn in whatever width is current.
  glBegin(GL_LINES);
  glColor3d(0.0, 0.0, 1.0);
  glVertex3d(0.0, sweepY, 0.0);
  glVertex3d(1012.0, sweepY, 0.0);
  glEnd();

  double sweepStep;
  if (nearLine == 1)
    sweepStep = static_cast<double>(beachCount / 500) + 0.2;
  else
    sweepStep = static_cast<double>(beachCount / 100) + 1.0;
  sweepY = sweepY - sweepStep;
}
