// Window settings: placement, client size, display-mode word, pixel-format policy,
// error-box switch.
#include "platform/platform.h"
#include "winfw/state.h"

int32_t wfClientX = 0;
int32_t wfClientY = 0;
int32_t wfClientWidth = 100;
int32_t wfClientHeight = 100;
int32_t wfDefaultPlacement = 1;
int32_t wfDisplayMode = 1;
int32_t wfRequestedMode = 0;
int32_t wfFormatPolicy = WF_PF_BEST;
int32_t wfFormatNumber = 0;
uint8_t wfErrorBoxes = 1;

// x and y name the outer window's top-left corner; the client area's origin is found by
// adding the window system's frame and caption sizes.
void wfSetWindowPosition(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (x == WF_USE_DEFAULT) {
    wfDefaultPlacement = 1;
    x = 0;
    y = 0;
  } else {
    wfDefaultPlacement = 0;
  }
  wfClientX = x + GetSystemMetrics(SM_CXFRAME);
  wfClientY = y - GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION) +
              GetSystemMetrics(SM_CYFRAME);
  wfClientWidth = width;
  wfClientHeight = height;
}

void wfSetDisplayMode(int32_t mode) {
  wfRequestedMode = mode;
  wfDisplayMode = mode;
}

void wfSetPixelFormatPolicy(int32_t policy) { wfFormatPolicy = policy; }

int32_t wfSetPixelFormatNumber(int32_t number) {
  wfFormatNumber = number;
  return 1;
}

// Only the low 8 bits count: 256 turns the boxes off.
void wfSetErrorBoxes(int32_t on) { wfErrorBoxes = static_cast<uint8_t>(on & 0xff); }

int32_t wfGetDisplayMode() { return wfDisplayMode; }
int32_t wfGetPixelFormatPolicy() { return wfFormatPolicy; }
int32_t wfGetPixelFormatNumber() { return wfFormatNumber; }
