// The request handed to the system's chooser of the closest pixel format.
#include <cstring>

#include "pixfmt/pixfmt.h"
#include "winfw/state.h"

namespace {

PIXELFORMATDESCRIPTOR requestFor(int32_t displayMode) {
  PIXELFORMATDESCRIPTOR request;
  std::memset(&request, 0, sizeof request);
  request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  if (displayMode & WF_DOUBLE) request.dwFlags |= PFD_DOUBLEBUFFER;
  const bool index = (displayMode & WF_INDEX) != 0;
  request.iPixelType = index ? PFD_TYPE_COLORINDEX : PFD_TYPE_RGBA;
  request.cColorBits = index ? 8 : 24;
  // Alpha is asked for whenever the word says so, colour index included.
  request.cAlphaBits = (displayMode & WF_ALPHA) ? 8 : 0;
  request.cAccumBits =
      (displayMode & WF_ACCUM) ? static_cast<BYTE>(request.cColorBits + request.cAlphaBits) : 0;
  if (displayMode & WF_DEPTH16) {
    request.cDepthBits = 16;  // wins over WF_DEPTH
  } else if (displayMode & WF_DEPTH) {
    request.cDepthBits = 24;
  }
  request.cStencilBits = (displayMode & WF_STENCIL) ? 4 : 0;
  request.cAuxBuffers = 0;
  request.iLayerType = PFD_MAIN_PLANE;
  return request;
}

}  // namespace

int wfRequestPixelFormat(HDC dc, int32_t displayMode, PIXELFORMATDESCRIPTOR* descriptor) {
  *descriptor = requestFor(displayMode);
  return ChoosePixelFormat(dc, descriptor);
}
