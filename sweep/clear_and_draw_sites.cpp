// Frame opening: a black window with every site as a red dot.
#include <GL/gl.h>

#include "sweep/steps.h"

void clearAndDrawSites() {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);  // the depth buffer is never used, so never cleared
  for (int i = 1; i <= siteCount; ++i) {
    glPointSize(7);
    glBegin(GL_POINTS);
    glColor3d(1, 0, 0);
    glVertex3d(sites[i].x, sites[i].y, 0);
    glEnd();
  }
}
