#include "platform/web/web_formats.h"

#include "platform/web/web_display.h"

int webFormatCount() { return webConnected() ? 1 : 0; }

bool webFormatExists(int number) { return number >= 1 && number <= webFormatCount(); }

// A WebGL drawing buffer: 8 bits per channel in R, G, B, A order, a depth buffer of at least
// 16 bits (asked for, never used by the program), no stencil, accumulation or aux buffers.
bool webDescribeFormat(int number, PIXELFORMATDESCRIPTOR* descriptor) {
  if (!webFormatExists(number) || descriptor == nullptr) return false;
  PIXELFORMATDESCRIPTOR d{};
  d.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  d.nVersion = 1;
  d.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  d.iPixelType = PFD_TYPE_RGBA;
  d.cColorBits = 24;
  d.cRedBits = 8;
  d.cRedShift = 0;
  d.cGreenBits = 8;
  d.cGreenShift = 8;
  d.cBlueBits = 8;
  d.cBlueShift = 16;
  d.cAlphaBits = 8;
  d.cAlphaShift = 24;
  d.cDepthBits = 16;
  d.iLayerType = PFD_MAIN_PLANE;
  *descriptor = d;
  return true;
}
