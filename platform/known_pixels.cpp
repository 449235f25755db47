#include "platform/known_pixels.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MOST_PIXELS = 64.0 * 1024 * 1024;

void forgetLastSquare(KnownPixels& known) { known.lastSize = 0; }

void dropPendingLines(KnownPixels& known) {
  known.pendingLines.clear();
  known.pendingPixels = 0;
}

bool tooManyToForget(const KnownPixels& known, double pixels) {
  return !(pixels <= known.pixels.size() / 16.0);  // NaN too: forgetting all is cheaper
}

void forgetColumns(KnownPixels& known, int row, double fromColumn, double toColumn) {
  uint16_t* line = &known.pixels[static_cast<size_t>(row) * known.width];
  std::fill(line + static_cast<int>(fromColumn), line + static_cast<int>(toColumn) + 1, 0);
}

}  // namespace

void coverViewport(KnownPixels& known, double x, double y, double width, double height,
                   PixelMemory memory) {
  known.memory = memory;
  known.left = x;
  known.bottom = y;
  const bool kept = memory == PixelMemory::EveryPixel && width >= 1 && height >= 1 &&
                    width * height <= MOST_PIXELS;
  known.width = kept ? static_cast<int>(width) : 0;
  known.height = kept ? static_cast<int>(height) : 0;
  known.pixels.assign(static_cast<size_t>(known.width) * static_cast<size_t>(known.height), 0);
  known.generation = 1;
  forgetLastSquare(known);
  dropPendingLines(known);
}

void forgetAllPixels(KnownPixels& known) {
  forgetLastSquare(known);
  dropPendingLines(known);
  if (++known.generation <= 0xff) return;
  std::fill(known.pixels.begin(), known.pixels.end(), 0);  // 0 is no generation's
  known.generation = 1;
}

void forgetAlongLine(KnownPixels& known, double ax, double ay, double bx, double by,
                     double reach) {
  forgetLastSquare(known);
  if (known.pixels.empty()) return;
  if (!(std::isfinite(ax) && std::isfinite(ay) && std::isfinite(bx) && std::isfinite(by) &&
        std::isfinite(reach)))
    return forgetAllPixels(known);  // GL may draw such a line anywhere, or nowhere
  ax -= known.left, bx -= known.left, ay -= known.bottom, by -= known.bottom;
  if (ay > by) std::swap(ax, bx), std::swap(ay, by);
  if (std::floor(ay - reach) > known.height - 1.0 || std::floor(by + reach) < 0) return;
  // About as many pixels as it forgets, in rows of the line's x over one row and its reach.
  const double rows = std::fmin(by - ay, known.height) + 2 * reach + 2;
  const double perRow = (by > ay ? std::fabs(bx - ax) / (by - ay) : std::fabs(bx - ax)) +
                        2 * reach + 3;
  known.pendingPixels += rows * std::fmin(perRow, known.width);
  if (tooManyToForget(known, known.pendingPixels)) return forgetAllPixels(known);
  known.pendingLines.push_back(KnownPixels::Line{ax, ay, bx, by, reach});
}

void forgetPendingLines(KnownPixels& known) {
  for (const KnownPixels::Line& line : known.pendingLines) {
    const double ax = line.ax, ay = line.ay, bx = line.bx, by = line.by, reach = line.reach;
    const double fromRow = std::max(0.0, std::floor(ay - reach));
    const double toRow = std::min(known.height - 1.0, std::floor(by + reach));
    // x as a function of y along the line (a level line: its whole width in every row).
    const bool level = !(by > ay);
    const double slope = level ? 0.0 : (bx - ax) / (by - ay);
    for (int row = static_cast<int>(fromRow); row <= static_cast<int>(toRow); ++row) {
      // A pixel of this row within `reach` of the line is within `reach` of a part of the
      // line between the heights row - reach and row + 1 + reach; its columns lie between
      // the line's x at those two heights, widened by the reach and a pixel for rounding.
      const double low = std::max(ay, row - reach), high = std::min(by, row + 1 + reach);
      const double x1 = level ? ax : ax + (low - ay) * slope;
      const double x2 = level ? bx : ax + (high - ay) * slope;
      const double fromColumn = std::max(0.0, std::floor(std::min(x1, x2) - reach - 1));
      const double toColumn =
          std::min(known.width - 1.0, std::floor(std::max(x1, x2) + reach + 1));
      if (fromColumn <= toColumn) forgetColumns(known, row, fromColumn, toColumn);
    }
  }
  dropPendingLines(known);
}

void forgetPixels(KnownPixels& known, double left, double bottom, double right, double top) {
  forgetLastSquare(known);
  // Columns and rows of the viewport whose pixels meet the rectangle (NaN: all of them).
  const double fromColumn = std::max(0.0, std::floor(left - known.left));
  const double toColumn = std::min(known.width - 1.0, std::floor(right - known.left));
  const double fromRow = std::max(0.0, std::floor(bottom - known.bottom));
  const double toRow = std::min(known.height - 1.0, std::floor(top - known.bottom));
  if (fromColumn > toColumn || fromRow > toRow) return;  // wholly outside
  if (tooManyToForget(known, (toColumn - fromColumn + 1) * (toRow - fromRow + 1)))
    return forgetAllPixels(known);
  for (int row = static_cast<int>(fromRow); row <= static_cast<int>(toRow); ++row)
    forgetColumns(known, row, fromColumn, toColumn);
}
