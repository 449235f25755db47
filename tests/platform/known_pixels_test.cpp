// The pixel record's forgetting of lines: every pixel a line may touch is unknown after it,
// and pixels well away from it stay known, for lines level, steep, slanted, given either way
// round, reaching out of the viewport, or with an end that is not finite (then nothing
// stays known).
#include "platform/known_pixels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Wide enough that forgetting any of the lines below costs less than forgetting everything.
constexpr int WIDTH = 400, HEIGHT = 300;

// The distance from a pixel's centre to the segment.
double distance(double x, double y, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay, length = dx * dx + dy * dy;
  const double t =
      length > 0 ? std::fmax(0, std::fmin(1, ((x - ax) * dx + (y - ay) * dy) / length)) : 0;
  return std::hypot(x - ax - t * dx, y - ay - t * dy);
}

TEST(KnownPixels, ALineForgetsThePixelsAlongItAndKeepsTheRest) {
  struct Line {
    double ax, ay, bx, by, reach;
  };
  const Line lines[] = {{3, 20, 60, 20, 2},      {30.5, 2, 30.5, 45, 2}, {5, 3, 58, 44, 3},
                        {58, 44, 5, 3, 3},       {-40, -10, 100, 30, 2}, {10, 40, 11, 5, 2.5},
                        {20, 10, 20.25, 10.1, 2}, {0, NAN, 30, 30, 2},   {0, 0, INFINITY, 5, 2}};
  for (const Line& line : lines) {
    KnownPixels known;
    coverViewport(known, 100, 200, WIDTH, HEIGHT, PixelMemory::EveryPixel);
    for (int y = 0; y < HEIGHT; ++y)
      for (int x = 0; x < WIDTH; ++x) squareHoldsColour(known, 100 + x, 200 + y, 1, 7);
    forgetAlongLine(known, 100 + line.ax, 200 + line.ay, 100 + line.bx, 200 + line.by,
                    line.reach);
    const bool finite = std::isfinite(line.ay) && std::isfinite(line.bx);
    for (int y = 0; y < HEIGHT; ++y)
      for (int x = 0; x < WIDTH; ++x) {
        const double d = distance(x + 0.5, y + 0.5, line.ax, line.ay, line.bx, line.by);
        const bool kept = squareHoldsColour(known, 100 + x, 200 + y, 1, 7);
        if (!finite || d <= line.reach) {
          ASSERT_FALSE(kept) << x << "," << y << " of the line from " << line.ax << "," << line.ay;
        } else if (d > 2 * line.reach + 3) {
          ASSERT_TRUE(kept) << x << "," << y << " of the line from " << line.ax << "," << line.ay;
        }
      }
  }
}

}  // namespace
