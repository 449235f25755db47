// Gives the window's device context its pixel format, by the framework's policy.
#include "pixfmt/pixfmt.h"
#include "winfw/state.h"

int wfCheckPixelFormat(HDC dc, int number, PIXELFORMATDESCRIPTOR* descriptor) {
  if (number <= 0) return 0;
  if (DescribePixelFormat(dc, number, sizeof(PIXELFORMATDESCRIPTOR), descriptor) < number) {
    return 0;
  }
  const DWORD windowAndOpenGl = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  return (descriptor->dwFlags & windowAndOpenGl) == windowAndOpenGl ? 1 : 0;
}

int wfSetupPixelFormat(HDC dc, int32_t displayMode) {
  // Holds the request, the winning format's description, or the explicit format's.
  PIXELFORMATDESCRIPTOR descriptor = {};
  int number = 0;
  if (wfFormatPolicy == WF_PF_BEST) {
    number = wfRequestPixelFormat(dc, displayMode, &descriptor);
  } else if (wfFormatPolicy == WF_PF_EXACT) {
    number = wfSearchPixelFormats(dc, displayMode, &descriptor);
  } else {
    number = wfCheckPixelFormat(dc, wfFormatNumber, &descriptor) ? wfFormatNumber : 0;
  }
  // A chooser that answers with a negative number has found nothing either.
  if (number <= 0) {
    wfReportError("Selecting a pixel format failed\n");
    return 0;
  }
  if (!SetPixelFormat(dc, number, &descriptor)) {
    wfReportError("SetPixelFormat failed\n");
    return 0;
  }
  // A format that needs no palette, or a palette that could not be built, is no failure.
  wfBuildRgbPalette(dc);
  return 1;
}
