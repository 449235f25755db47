// Points that would change no pixel: the pixels of the viewport whose colour is known from the
// points drawn before in the frame, so that a point all of whose pixels already hold its
// colour can be left out before it reaches the renderer. Anything else drawn (a line, a point
// whose pixels are not certain) makes the pixels it may touch unknown again. Within an
// unbroken run of points of one colour and one size this leaves out exactly the points whose
// square repeats one drawn before; across runs it also finds a shape drawn again (the same
// circle for every three sites of a ring). The X11 driver's batching and the browser's GL
// subset both keep one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// How much a record keeps: nothing (no point is ever left out), only the last square drawn
// (a point is left out when it repeats the one just before it: cheap, as no pixel is looked
// at), or every pixel of the viewport.
enum class PixelMemory { None, LastSquare, EveryPixel };

// Colours as the record takes them, when it keeps every pixel: numbers below this, equal
// numbers for equal colours. Only the last square takes any 32-bit colour.
constexpr uint32_t KNOWN_COLOURS = 256;

struct KnownPixels {
  PixelMemory memory = PixelMemory::None;
  // The viewport's pixels, row by row from its lower left, each `generation << 8 | colour`: a
  // pixel of another generation is unknown, so that forgetting them all is one increment.
  // Two bytes a pixel keep the record of a whole window within the processor's second-level
  // cache more often than four.
  double left = 0, bottom = 0;
  int width = 0, height = 0;  // 0 unless every pixel is kept
  uint16_t generation = 1;
  std::vector<uint16_t> pixels;
  // The last square found or drawn, and its colour (none while lastSize is 0: anything
  // forgotten forgets it): most repeats follow each other (neighbouring samples of a circle
  // or a curve), and need no look at the pixels.
  double lastX = 0, lastY = 0;
  int lastSize = 0;
  uint32_t lastColour = 0;
  // Lines whose pixels are to be forgotten before the record is next looked at, in the
  // viewport's coordinates, lower end first, and about how many pixels they cover: the lines
  // drawn last in a frame (the finished diagram's edges) then cost nothing.
  struct Line {
    double ax, ay, bx, by, reach;
  };
  std::vector<Line> pendingLines;
  double pendingPixels = 0;
};

// A new viewport (x, y, width, height in whole pixels), and what to keep of it; every pixel is
// unknown after it. No pixel is kept for a viewport of over 64 million pixels.
void coverViewport(KnownPixels& known, double x, double y, double width, double height,
                   PixelMemory memory);

// Something drawn that may have changed any pixel (a clear, a new frame, a long line).
void forgetAllPixels(KnownPixels& known);

// Something drawn whose pixels lie within [left, right] x [bottom, top] in window
// coordinates (for example a line, widened by its reach).
void forgetPixels(KnownPixels& known, double left, double bottom, double right, double top);

// A line from (ax, ay) to (bx, by) in window coordinates, all of whose pixels lie within
// `reach` of it: forgets the pixels along it, row by row, rather than its whole bounding box,
// which for a long slanted line is most of the window. Not at once: before the record is
// next looked at (forgetting commutes with forgetting).
void forgetAlongLine(KnownPixels& known, double ax, double ay, double bx, double by,
                     double reach);
void forgetPendingLines(KnownPixels& known);

// A point certainly drawn, whose square of size x size pixels (a whole size, from 1) is
// placed by the pixel (x, y) (platform/aliased_points.h), in a colour (below KNOWN_COLOURS
// where every pixel is kept: equal colours, equal pixels): true when every pixel of the
// square already holds that colour, so that drawing it changes nothing; otherwise its pixels
// are known to hold the colour from now on, and false. Inline: it runs for nearly every
// point.
inline bool squareHoldsColour(KnownPixels& known, double x, double y, int size,
                              uint32_t colour) {
  if (x == known.lastX && y == known.lastY && size == known.lastSize && colour == known.lastColour)
    return true;
  // The square's pixels: from the placing pixel less half the size (odd sizes about the
  // placing pixel, even ones about its lower left corner).
  const double column = x - size / 2 - known.left, row = y - size / 2 - known.bottom;
  bool holds = false;
  if (column >= 0 && row >= 0 && column + size <= known.width && row + size <= known.height &&
      colour < KNOWN_COLOURS) {
    if (!known.pendingLines.empty()) forgetPendingLines(known);
    const uint16_t value = static_cast<uint16_t>(known.generation << 8 | colour);
    const int width = known.width;
    uint16_t* const first =
        &known.pixels[static_cast<size_t>(row) * width + static_cast<size_t>(column)];
    holds = true;
    for (int r = 0; r < size && holds; ++r)
      for (int c = 0; c < size; ++c) holds &= first[r * width + c] == value;
    for (int r = 0; r < size && !holds; ++r)
      for (int c = 0; c < size; ++c) first[r * width + c] = value;
  } else if (known.memory == PixelMemory::None) {
    return false;
  } else {
    // Partly outside the viewport, whose pixels there cannot be known, or no pixel kept (or
    // a colour the pixels cannot hold): it is drawn, and only a repeat of it just after is
    // certain to change nothing.
    if (!known.pixels.empty()) forgetPixels(known, x - size, y - size, x + size, y + size);
  }
  known.lastX = x;
  known.lastY = y;
  known.lastSize = size;
  known.lastColour = colour;
  return holds;
}
