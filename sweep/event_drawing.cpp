// Drawing of one circle event: the vertex as a white dot, its grid mark, and its circle as
// 3600 dots.
#include <GL/gl.h>

#include <cmath>

#include "sweep/circle_event_parts.h"
#include "sweep/mark_index.h"

namespace {

// The angles of the circle's samples: t starts at 0.0 and adds 0.1 in double precision while
// it is at most 360.0, which gives exactly 3600 samples. The cosines and sines of those fixed
// angles are the same in every frame, so they are computed once.
constexpr int CIRCLE_SAMPLES = 3600;
double sampleCos[CIRCLE_SAMPLES];
double sampleSin[CIRCLE_SAMPLES];
int sampleCount = -1;

void computeSamples() {
  sampleCount = 0;
  for (double t = 0.0; t <= 360.0 && sampleCount < CIRCLE_SAMPLES; t = t + 0.1) {
    sampleCos[sampleCount] = std::cos(t);
    sampleSin[sampleCount] = std::sin(t);
    sampleCount = sampleCount + 1;
  }
}

// Truncation toward zero of a circle coordinate into *out. A far-away centre can give a
// value no int holds; such a sample is skipped rather than converted (undefined).
bool truncateToInt(double v, int* out) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return false;
  *out = static_cast<int>(v);
  return true;
}

bool insideGrid(int v) { return 0 < v && v < GRID_SIZE; }

}  // namespace

void drawVertexDot(const Site& v) {
  glPointSize(2);
  glBegin(GL_POINTS);
  glColor3d(1, 1, 1);
  glVertex3d(v.x, v.y, 0);
  glEnd();
}

void markVertex(const Site& v) {
  if (0 < v.x && v.x < GRID_SIZE && 0 < v.y && v.y < GRID_SIZE) {
    const int x = static_cast<int>(v.x), y = static_cast<int>(v.y);
    traceRaster[x][y] = 2;
    noteMark(x, y);
  }
}

void drawEventCircle(const Site& centre, double radius) {
  if (sampleCount < 0) computeSamples();
  glPointSize(2);
  glColor3d(0.1, 0.7, 0.5);
  for (int k = 0; k < sampleCount; ++k) {
    int px = 0, py = 0;
    if (!truncateToInt(radius * sampleCos[k] + centre.x, &px)) continue;
    if (!truncateToInt(radius * sampleSin[k] + centre.y, &py)) continue;
    if (insideGrid(px) && insideGrid(py)) {
      glBegin(GL_POINTS);
      glVertex3d(px, py, 0);
      glEnd();
    }
  }
}
