// The grid marks: trace marks as small green points, vertex marks as larger cyan ones, x
// outer and y inner. Row 0 and column 0 are never drawn.
#include <GL/gl.h>

#include "sweep/steps.h"

namespace {

void drawMark(int x, int y, double size, double g, double b) {
  glPointSize(size);
  glBegin(GL_POINTS);
  glColor3d(0.0, g, b);
  glVertex3d(x, y, 0.0);
  glEnd();
}

// Whether the eight cells from *cells on are all empty: the grid is mostly empty, so the
// scan steps over it a block at a time and looks at single cells only where a block holds
// a mark. The marks drawn and their order are those of the cell-by-cell scan.
constexpr int BLOCK = 8;
bool blockEmpty(const int* cells) {
  int any = 0;
  for (int k = 0; k < BLOCK; ++k) any |= cells[k];
  return any == 0;
}

void drawColumnMarks(int x, int yFrom, int yTo) {
  const int* column = traceRaster[x];
  for (int y = yFrom; y <= yTo; ++y) {
    if (column[y] == 1) drawMark(x, y, 1.0, 1.0, 0.0);
    if (column[y] == 2) drawMark(x, y, 5.0, 1.0, 1.0);
  }
}

}  // namespace

void drawMarks() {
  for (int x = 1; x <= 911; ++x) {
    int y = 1;
    for (; y + BLOCK - 1 <= 911; y += BLOCK)
      if (!blockEmpty(&traceRaster[x][y])) drawColumnMarks(x, y, y + BLOCK - 1);
    drawColumnMarks(x, y, 911);
  }
}
