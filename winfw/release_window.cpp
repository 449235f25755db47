// The teardown run when the window is destroyed. Releases in the reverse order of creation:
// palette (handing the system palette back first), rendering context, device context.
// The handler tables, the settings and the palette flags stay as they are.
#include "pixfmt/pixfmt.h"
#include "winfw/state.h"
#include "winfw/window.h"

namespace {

void releasePalette() {
  HPALETTE defaultPalette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  if (wfUseWholePalette) {
    // Realising the default palette in the background also gives the static colours back.
    wfSelectAndRealize(wfDeviceContext, defaultPalette, true);
  } else if (defaultPalette != nullptr) {
    SelectPalette(wfDeviceContext, defaultPalette, FALSE);
  }
  DeleteObject(wfPalette);
}

}  // namespace

void wfReleaseWindow() {
  if (wfPalette != nullptr) releasePalette();
  if (wfRenderContext != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(wfRenderContext);
  }
  if (wfDeviceContext != nullptr) ReleaseDC(wfWindow, wfDeviceContext);

  wfWindow = nullptr;
  wfDeviceContext = nullptr;
  wfRenderContext = nullptr;
  wfPalette = nullptr;
  wfReshapeSlot = nullptr;
  wfDisplaySlot = nullptr;
  wfIdleSlot = nullptr;
  wfKeySlot = nullptr;
  wfPressSlot = nullptr;
  wfReleaseSlot = nullptr;
  wfMotionSlot = nullptr;
}
