// The window procedure: turns the window system's messages into the framework's terms.
// Size and move update the settings and call the reshape handler; paint calls the display
// handler; keys and buttons go to the raw slots (the dispatchers) and, when some handler
// ran, ask for a repaint; destruction tears everything down and ends the loop; palette
// messages go to the palette code.
#include "pixfmt/pixfmt.h"
#include "winfw/state.h"
#include "winfw/window.h"

namespace {

int32_t positionX(LPARAM lParam) { return GET_X_LPARAM(lParam); }
int32_t positionY(LPARAM lParam) { return GET_Y_LPARAM(lParam); }

// The held buttons of a mouse message's key-state flags as framework button bits; Shift and
// Control are not passed on.
int32_t heldButtons(WPARAM keyState) {
  int32_t mask = 0;
  if (keyState & MK_LBUTTON) mask |= WF_BUTTON_LEFT;
  if (keyState & MK_RBUTTON) mask |= WF_BUTTON_RIGHT;
  if (keyState & MK_MBUTTON) mask |= WF_BUTTON_MIDDLE;
  return mask;
}

void repaintIfHandled(HWND window, int32_t handled) {
  if (handled != 0) wfRequestRepaint(window);
}

void deliverKey(HWND window, int32_t keyCode) {
  if (keyCode == 0 || wfKeySlot == nullptr) return;
  repaintIfHandled(window, wfKeySlot(keyCode));
}

// Capture is taken whether or not a handler is registered, so the release arrives even
// when the pointer has left the window.
void buttonDown(HWND window, LPARAM lParam, int32_t button) {
  SetCapture(window);
  if (wfPressSlot == nullptr) return;
  repaintIfHandled(window, wfPressSlot(positionX(lParam), positionY(lParam), button));
}

void buttonUp(HWND window, LPARAM lParam, int32_t button) {
  ReleaseCapture();
  if (wfReleaseSlot == nullptr) return;
  repaintIfHandled(window, wfReleaseSlot(positionX(lParam), positionY(lParam), button));
}

void sizeChanged(HWND window, LPARAM lParam) {
  wfClientWidth = LOWORD(lParam);
  wfClientHeight = HIWORD(lParam);
  if (wfReshapeSlot == nullptr) return;
  wfReshapeSlot(wfClientWidth, wfClientHeight);
  wfRequestRepaint(window);
}

void paint(HWND window) {
  PAINTSTRUCT paintInfo;
  BeginPaint(window, &paintInfo);
  if (wfDisplaySlot != nullptr) wfDisplaySlot();
  EndPaint(window, &paintInfo);
}

void destroyed() {
  wfReleaseWindow();
  // A window destroyed while an open is still trying (the first attempt of a retry) must
  // not end the loop that the finished open will run.
  if (!wfOpenInProgress) PostQuitMessage(1);
}

}  // namespace

LRESULT wfWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT paletteResult = 0;
  if (wfHandlePaletteMessage(window, message, wParam, lParam, &paletteResult)) {
    return paletteResult;
  }
  switch (message) {
    case WM_DESTROY:
      destroyed();
      return 0;
    case WM_MOVE:
      wfClientX = positionX(lParam);
      wfClientY = positionY(lParam);
      return 0;
    case WM_SIZE:
      sizeChanged(window, lParam);
      return 0;
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_CLOSE:
      DestroyWindow(wfWindow);
      return 0;
    case WM_KEYDOWN:
      deliverKey(window, wfKeyCodeOfVirtualKey(wParam));
      return 0;
    case WM_CHAR:
      deliverKey(window, wfKeyCodeOfCharacter(wParam));
      return 0;
    case WM_MOUSEMOVE:
      if (wfMotionSlot != nullptr) {
        repaintIfHandled(window,
                         wfMotionSlot(positionX(lParam), positionY(lParam), heldButtons(wParam)));
      }
      return 0;
    case WM_LBUTTONDOWN:
      buttonDown(window, lParam, WF_BUTTON_LEFT);
      return 0;
    case WM_LBUTTONUP:
      buttonUp(window, lParam, WF_BUTTON_LEFT);
      return 0;
    case WM_RBUTTONDOWN:
      buttonDown(window, lParam, WF_BUTTON_RIGHT);
      return 0;
    case WM_RBUTTONUP:
      buttonUp(window, lParam, WF_BUTTON_RIGHT);
      return 0;
    case WM_MBUTTONDOWN:
      buttonDown(window, lParam, WF_BUTTON_MIDDLE);
      return 0;
    case WM_MBUTTONUP:
      buttonUp(window, lParam, WF_BUTTON_MIDDLE);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
