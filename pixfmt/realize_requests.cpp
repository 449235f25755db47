// Deferred work that travels through the window's own queue, at most one of each kind.
#include "pixfmt/pixfmt.h"
#include "winfw/state.h"

void wfPostRealizeRequest() {
  MSG waiting;
  if (PeekMessageA(&waiting, wfWindow, WM_USER, WM_USER, PM_NOREMOVE)) return;
  PostMessageA(wfWindow, WM_USER, 0, 0);
}

void wfRequestRepaint(HWND window) {
  MSG waiting;
  if (PeekMessageA(&waiting, window, WM_PAINT, WM_PAINT, PM_NOREMOVE)) return;
  InvalidateRect(window, nullptr, FALSE);  // the frame redraws every pixel: no erase
}
