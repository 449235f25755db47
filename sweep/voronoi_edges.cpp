// The Voronoi edges: for every site pair with both ends recorded, a green line between them.
// Each edge is drawn twice, once from each orientation of the pair.
#include <GL/gl.h>

#include "sweep/steps.h"

void drawVoronoiEdges() {
  for (int l = 1; l <= siteCount; ++l) {
    for (int m = 1; m <= siteCount; ++m) {
      if (edgeEndCount[l][m] == 0 || edgeEndCount[m][l] == 0) continue;
      glLineWidth(2.0);
      glBegin(GL_LINES);
      glColor3d(0.0, 1.0, 0.0);
      glVertex3d(edgeEnds[l][m].x, edgeEnds[l][m].y, 0.0);
      glVertex3d(edgeEnds[m][l].x, edgeEnds[m][l].y, 0.0);
      glEnd();
    }
  }
}
