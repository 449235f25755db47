// The Delaunay edges: every neighbour pair the trace recorded, as a thin cyan line. A pair
// recorded in both orders is drawn twice, on the same segment.
#include <GL/gl.h>

#include "sweep/steps.h"

void drawDelaunayEdges() {
  for (int i = 1; i <= siteCount; ++i) {
    for (int j = 1; j <= siteCount; ++j) {
      if (delaunayAdj[i][j] != 1) continue;
      glLineWidth(1.0);
      glBegin(GL_LINES);
      glColor3d(0.0, 1.0, 1.0);
      glVertex3d(sites[i].x, sites[i].y, 0.0);
      glVertex3d(sites[j].x, sites[j].y, 0.0);
      glEnd();
    }
  }
}
