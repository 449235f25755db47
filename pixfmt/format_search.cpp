// The exact search: every format in ascending number, the deepest exact match wins.
#include "pixfmt/pixfmt.h"
#include "winfw/state.h"

namespace {

bool present(DWORD value) { return value != 0; }

// True when the format has exactly the buffers and pixel type the display-mode word asks
// for. Sizes are not compared, only presence.
bool matchesExactly(const PIXELFORMATDESCRIPTOR& format, int32_t displayMode) {
  const DWORD windowAndOpenGl = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  if ((format.dwFlags & windowAndOpenGl) != windowAndOpenGl) return false;
  if (format.iLayerType != PFD_MAIN_PLANE) return false;

  const bool index = (displayMode & WF_INDEX) != 0;
  if (index ? format.iPixelType != PFD_TYPE_COLORINDEX : format.iPixelType != PFD_TYPE_RGBA) {
    return false;
  }
  if (present(format.dwFlags & PFD_DOUBLEBUFFER) != present(displayMode & WF_DOUBLE)) {
    return false;
  }
  if (!index) {
    // Colour-index formats have no say over accumulation and alpha.
    const bool accum = (displayMode & WF_ACCUM) != 0;
    if (present(format.cAccumBits) != accum) return false;
    if (displayMode & WF_ALPHA) {
      if (format.cAlphaBits == 0) return false;
      if (accum && format.cAccumAlphaBits == 0) return false;
    } else if (format.cAlphaBits != 0) {
      return false;
    }
  }
  if (present(format.cDepthBits) != present(displayMode & (WF_DEPTH | WF_DEPTH16))) return false;
  if (present(format.cStencilBits) != present(displayMode & WF_STENCIL)) return false;
  return true;
}

}  // namespace

int wfSearchPixelFormats(HDC dc, int32_t displayMode, PIXELFORMATDESCRIPTOR* descriptor) {
  int bestColourBits = 0;
  int result = 0;
  int number = 1;
  int count = 0;
  do {
    PIXELFORMATDESCRIPTOR format;
    count = DescribePixelFormat(dc, number, sizeof format, &format);
    // A description that fails part-way leaves the list of formats in doubt: no result.
    if (count <= 0) return 0;
    // Equal depth never replaces, so the lowest number of the greatest depth wins.
    if (matchesExactly(format, displayMode) && format.cColorBits > bestColourBits) {
      result = number;
      bestColourBits = format.cColorBits;
      *descriptor = format;
    }
    ++number;
  } while (number <= count);
  return result;
}
