// The palette messages as the window procedure hands them over.
#include "pixfmt/pixfmt.h"
#include "winfw/state.h"

namespace {

void realizeAndRepaint(HWND window, HPALETTE palette, bool background) {
  if (wfSelectAndRealize(wfDeviceContext, palette, background) > 0) wfRequestRepaint(window);
}

LRESULT onActivate(HWND window, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (wfPalette != nullptr) realizeAndRepaint(window, wfPalette, true);
  } else if (HIWORD(wParam) == 0 && wfPalette != nullptr) {
    // Active and not minimised: the palette goes into the foreground, and the message is
    // answered here.
    realizeAndRepaint(window, wfPalette, false);
    return 1;
  }
  return DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
}

void onPaletteChanged(HWND window, WPARAM wParam) {
  // Our own realisation caused it, or the system palette is ours while the colours are
  // taken: nothing to remap.
  if (reinterpret_cast<HWND>(wParam) == window || wfStaticColoursTaken == 1 ||
      wfPalette == nullptr) {
    return;
  }
  if (SelectPalette(wfDeviceContext, wfPalette, TRUE) != nullptr) RealizePalette(wfDeviceContext);
}

// New system colours change the static colours an RGB palette is built around; a
// colour-index palette belongs to the program and stays.
//
// A palette that claims the whole system palette holds no static colours, so a rebuild
// would give the same entries; and since every build realises in the foreground, it would
// take the static colours back at once after a deactivation gave them back (whose own
// broadcast brings this message), leaving the other programs black and white while this
// window is in the background. Such a palette is kept.
void onSysColourChange(HWND window) {
  if (wfDeviceContext == nullptr || wfPalette == nullptr || wfUseWholePalette == 1) return;
  PIXELFORMATDESCRIPTOR format;
  if (wfDescribeCurrentFormat(wfDeviceContext, &format) == 0) return;
  if (format.iPixelType != PFD_TYPE_RGBA || (format.dwFlags & PFD_NEED_PALETTE) == 0) return;
  HPALETTE old = wfPalette;
  wfPalette = nullptr;
  if (wfBuildRgbPalette(wfDeviceContext) != nullptr) {
    DeleteObject(old);
    wfRequestRepaint(window);
  } else {
    wfPalette = old;
  }
}

}  // namespace

bool wfHandlePaletteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) {
  switch (message) {
    case WM_ACTIVATE:
      *result = onActivate(window, wParam, lParam);
      return true;
    case WM_QUERYNEWPALETTE:
      // Realisation happens on WM_ACTIVATE.
      *result = 1;
      return true;
    case WM_PALETTECHANGED:
      onPaletteChanged(window, wParam);
      *result = 0;
      return true;
    case WM_USER:
      // The deferred request; with no palette the realisation fails and nothing repaints.
      realizeAndRepaint(window, wfPalette, false);
      *result = 0;
      return true;
    case WM_SYSCOLORCHANGE:
      onSysColourChange(window);
      *result = DefWindowProcA(window, message, wParam, lParam);
      return true;
    default:
      return false;
  }
}
