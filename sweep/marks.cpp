// The grid marks: trace marks as small green points, vertex marks as larger cyan ones, x
// outer and y inner. Row 0 and column 0 are never drawn.
#include <GL/gl.h>

#include <cstring>

#include "sweep/steps.h"

namespace {

void drawMark(int x, int y, double size, double g, double b) {
  glPointSize(size);
  glBegin(GL_POINTS);
  glColor3d(0.0, g, b);
  glVertex3d(x, y, 0.0);
  glEnd();
}

// The grid is mostly empty, so the scan first asks whether a column holds any mark at all
// (one library comparison against an empty column), then steps over a column that does a
// block at a time and looks at single cells only where a block holds a mark. The marks drawn
// and their order are those of the cell-by-cell scan.
constexpr int FIRST = 1;
constexpr int LAST = 911;
constexpr int BLOCK = 8;
const int emptyColumn[LAST - FIRST + 1] = {};

bool columnEmpty(const int* column) {
  return std::memcmp(column + FIRST, emptyColumn, sizeof emptyColumn) == 0;
}

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
  for (int x = FIRST; x <= LAST; ++x) {
    if (columnEmpty(traceRaster[x])) continue;
    int y = FIRST;
    for (; y + BLOCK - 1 <= LAST; y += BLOCK)
      if (!blockEmpty(&traceRaster[x][y])) drawColumnMarks(x, y, y + BLOCK - 1);
    drawColumnMarks(x, y, LAST);
  }
}
