// One bit per cell, and one bit per column that has any. Bits are only ever set by noting a
// mark; a noted cell that is found empty (the grid was cleared) loses its bit.
#include "sweep/mark_index.h"

#include <cstdint>
#include <cstring>

#include "app/scene.h"

namespace {

constexpr int WORDS = (GRID_SIZE + 63) / 64;
uint64_t cellBits[GRID_SIZE][WORDS];
uint64_t columnBits[WORDS];

// Row 0 and column 0 are never drawn, so their marks need no bit.
bool drawable(int x, int y) { return x >= 1 && x < GRID_SIZE && y >= 1 && y < GRID_SIZE; }

int lowestBit(uint64_t word) { return __builtin_ctzll(word); }

}  // namespace

void noteMark(int x, int y) {
  if (!drawable(x, y)) return;
  cellBits[x][y / 64] |= uint64_t{1} << (y % 64);
  columnBits[x / 64] |= uint64_t{1} << (x % 64);
}

void reindexMarks() {
  std::memset(cellBits, 0, sizeof cellBits);
  std::memset(columnBits, 0, sizeof columnBits);
  for (int x = 1; x < GRID_SIZE; ++x)
    for (int y = 1; y < GRID_SIZE; ++y)
      if (traceRaster[x][y] != 0) noteMark(x, y);
}

void forEachMark(void (*draw)(int x, int y, int value)) {
  for (int cw = 0; cw < WORDS; ++cw) {
    for (uint64_t columns = columnBits[cw]; columns != 0; columns &= columns - 1) {
      const int x = cw * 64 + lowestBit(columns);
      bool any = false;
      for (int w = 0; w < WORDS; ++w) {
        for (uint64_t cells = cellBits[x][w]; cells != 0; cells &= cells - 1) {
          const int y = w * 64 + lowestBit(cells);
          const int value = traceRaster[x][y];
          if (value == 0) {
            cellBits[x][w] &= ~(uint64_t{1} << (y % 64));
            continue;
          }
          any = true;
          if (value == 1 || value == 2) draw(x, y, value);
        }
      }
      if (!any) columnBits[cw] &= ~(uint64_t{1} << (x % 64));
    }
  }
}
