#include "platform/known_pixels.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MOST_PIXELS = 64.0 * 1024 * 1024;

void forgetLastSquare(KnownPixels& known) { known.lastSize = 0; }

}  // namespace

void coverViewport(KnownPixels& known, double x, double y, double width, double height,
                   PixelMemory memory) {
  known.memory = memory;
  known.left = x;
  known.bottom = y;
  const bool kept = memory == PixelMemory::EveryPixel && width >= 1 && height >= 1 && width * height <= MOST_PIXELS;
  known.width = kept ? static_cast<int>(width) : 0;
  known.height = kept ? static_cast<int>(height) : 0;
  known.pixels.assign(static_cast<size_t>(known.width) * static_cast<size_t>(known.height), 0);
  known.generation = 1;
  forgetLastSquare(known);
}

void forgetAllPixels(KnownPixels& known) {
  forgetLastSquare(known);
  if (++known.generation <= 0xff) return;
  std::fill(known.pixels.begin(), known.pixels.end(), 0);  // 0 is no generation's
  known.generation = 1;
}

void forgetPixels(KnownPixels& known, double left, double bottom, double right, double top) {
  forgetLastSquare(known);
  // Columns and rows of the viewport whose pixels meet the rectangle (NaN: all of them).
  const double fromColumn = std::max(0.0, std::floor(left - known.left));
  const double toColumn = std::min(known.width - 1.0, std::floor(right - known.left));
  const double fromRow = std::max(0.0, std::floor(bottom - known.bottom));
  const double toRow = std::min(known.height - 1.0, std::floor(top - known.bottom));
  if (fromColumn > toColumn || fromRow > toRow) return;  // wholly outside
  if (!((toColumn - fromColumn + 1) * (toRow - fromRow + 1) <= known.pixels.size() / 16.0))
    return forgetAllPixels(known);
  for (int row = static_cast<int>(fromRow); row <= static_cast<int>(toRow); ++row) {
    uint32_t* line = &known.pixels[static_cast<size_t>(row) * known.width];
    std::fill(line + static_cast<int>(fromColumn), line + static_cast<int>(toColumn) + 1, 0);
  }
}
