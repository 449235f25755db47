// Puts a palette into effect on a device context.
#include "pixfmt/pixfmt.h"

int wfSelectAndRealize(HDC dc, HPALETTE palette, bool background) {
  HPALETTE previous = nullptr;
  if (wfUseWholePalette == 0) {
    // A palette that shares the system palette is always selected in the foreground.
    previous = SelectPalette(dc, palette, FALSE);
  } else {
    if (!background) {
      if (wfTakeStaticColours(dc) == 0) return -1;  // deferred: a WM_USER is waiting
    } else {
      wfReturnStaticColours(dc);
    }
    // Map the palette afresh: the system palette has just changed its static part.
    if (!UnrealizeObject(palette)) return -1;
    previous = SelectPalette(dc, palette, background ? TRUE : FALSE);
  }
  if (previous == nullptr) return -1;
  // GDI_ERROR comes back as -1.
  return static_cast<int>(RealizePalette(dc));
}
