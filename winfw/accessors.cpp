// Handle accessors, the buffer swap and the pointer position.
#include "winfw/state.h"

HWND wfGetWindowHandle() { return wfWindow; }
HDC wfGetDeviceContext() { return wfDeviceContext; }
HGLRC wfGetRenderContext() { return wfRenderContext; }

BOOL wfSwapBuffers() { return SwapBuffers(wfDeviceContext); }

void wfGetMouseLocation(int32_t* x, int32_t* y) {
  *x = 0;
  *y = 0;
  POINT cursor{0, 0};
  if (GetCursorPos(&cursor)) {
    *x = cursor.x - wfClientX;
    *y = cursor.y - wfClientY;
  }
}
