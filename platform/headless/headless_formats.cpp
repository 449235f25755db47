// The headless driver's format scripts.
#include "platform/testing.h"

namespace platformtest {

PIXELFORMATDESCRIPTOR rgbaFormat(int redBits, int redShift, int greenBits, int greenShift,
                                 int blueBits, int blueShift, DWORD flags) {
  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | flags;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = static_cast<BYTE>(redBits + greenBits + blueBits);
  format.cRedBits = static_cast<BYTE>(redBits);
  format.cRedShift = static_cast<BYTE>(redShift);
  format.cGreenBits = static_cast<BYTE>(greenBits);
  format.cGreenShift = static_cast<BYTE>(greenShift);
  format.cBlueBits = static_cast<BYTE>(blueBits);
  format.cBlueShift = static_cast<BYTE>(blueShift);
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

PIXELFORMATDESCRIPTOR colourIndexFormat(int colourBits, DWORD flags) {
  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | flags;
  format.iPixelType = PFD_TYPE_COLORINDEX;
  format.cColorBits = static_cast<BYTE>(colourBits);
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

namespace {

PIXELFORMATDESCRIPTOR withBuffers(PIXELFORMATDESCRIPTOR format, int depth, int stencil) {
  format.cDepthBits = static_cast<BYTE>(depth);
  format.cStencilBits = static_cast<BYTE>(stencil);
  return format;
}

PIXELFORMATDESCRIPTOR withAlpha(PIXELFORMATDESCRIPTOR format) {
  format.cColorBits = 32;
  format.cAlphaBits = 8;
  format.cAlphaShift = 24;
  return format;
}

}  // namespace

std::vector<PIXELFORMATDESCRIPTOR> trueColourFormats() {
  const PIXELFORMATDESCRIPTOR doubled = rgbaFormat(8, 16, 8, 8, 8, 0, PFD_DOUBLEBUFFER);
  const PIXELFORMATDESCRIPTOR single = rgbaFormat(8, 16, 8, 8, 8, 0, 0);
  PIXELFORMATDESCRIPTOR accumulating = withBuffers(withAlpha(doubled), 24, 8);
  accumulating.cAccumBits = 64;
  accumulating.cAccumRedBits = 16;
  accumulating.cAccumGreenBits = 16;
  accumulating.cAccumBlueBits = 16;
  accumulating.cAccumAlphaBits = 16;
  return {
      withBuffers(withAlpha(doubled), 24, 8), withBuffers(doubled, 24, 0),
      withBuffers(doubled, 16, 0),            withBuffers(single, 16, 0),
      withBuffers(doubled, 0, 0),             withBuffers(single, 0, 0),
      accumulating,
  };
}

std::vector<PIXELFORMATDESCRIPTOR> paletteDeviceFormats() {
  const PIXELFORMATDESCRIPTOR doubled =
      rgbaFormat(3, 0, 3, 3, 2, 6, PFD_NEED_PALETTE | PFD_DOUBLEBUFFER);
  const PIXELFORMATDESCRIPTOR single = rgbaFormat(3, 0, 3, 3, 2, 6, PFD_NEED_PALETTE);
  return {
      withBuffers(doubled, 16, 0),
      withBuffers(single, 16, 0),
      withBuffers(doubled, 0, 0),
      withBuffers(single, 0, 0),
      withBuffers(colourIndexFormat(8, PFD_DOUBLEBUFFER), 16, 0),
      withBuffers(colourIndexFormat(8, 0), 16, 0),
      withBuffers(colourIndexFormat(8, 0), 0, 0),
  };
}

}  // namespace platformtest
