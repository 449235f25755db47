// Pixels read back from the server, decoded through the window's visual, and written as
// PNG snapshots for a person to look at.
#include "tests/x11/x11_harness.h"  // first: it orders GoogleTest before Xlib

#include <X11/Xutil.h>
#include <png.h>

#include <cstdio>
#include <ostream>

namespace x11test {
namespace {

// A channel of a pixel scaled to 8 bits, whatever the width of its mask.
uint8_t channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = __builtin_ctzl(mask);
  unsigned long maximum = mask >> shift;
  unsigned long value = (pixel & mask) >> shift;
  return static_cast<uint8_t>((value * 255 + maximum / 2) / maximum);
}

// Reading another client's window must not end the test on an X error.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

std::vector<Rgb> readPixels(Display* display, Window window, int x, int y, int width,
                            int height) {
  std::vector<Rgb> pixels;
  if (width <= 0 || height <= 0) return pixels;
  XSync(display, False);
  // The window may be gone already (its program replaced or closed it).
  auto previous = XSetErrorHandler(ignoreErrors);
  XWindowAttributes attributes;
  XImage* image = nullptr;
  if (XGetWindowAttributes(display, window, &attributes))
    image = XGetImage(display, window, x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), AllPlanes, ZPixmap);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (image == nullptr) return pixels;
  const Visual* visual = attributes.visual;
  pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      unsigned long pixel = XGetPixel(image, column, row);
      pixels.push_back(Rgb{channel(pixel, visual->red_mask), channel(pixel, visual->green_mask),
                           channel(pixel, visual->blue_mask)});
    }
  }
  XDestroyImage(image);
  return pixels;
}

bool savePng(Display* display, Window window, const std::string& path) {
  Geometry geometry{};
  if (!windowGeometry(display, window, &geometry)) return false;
  std::vector<Rgb> pixels = readPixels(display, window, 0, 0, geometry.width, geometry.height);
  if (pixels.empty()) return false;

  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  volatile bool written = false;  // survives the longjmp of a libpng error
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(geometry.width),
                 static_cast<png_uint_32>(geometry.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < geometry.height; ++row) {
      auto* line = reinterpret_cast<png_bytep>(&pixels[static_cast<size_t>(row) *
                                                        static_cast<size_t>(geometry.width)]);
      png_write_row(png, line);
    }
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
  return std::fclose(file) == 0 && written;
}

}  // namespace x11test

std::ostream& operator<<(std::ostream& out, const x11test::Rgb& colour) {
  return out << "rgb(" << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ")";
}
