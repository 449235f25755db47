// What the driver reports, turned into the messages the window procedures receive.
#include "platform/core/focus.h"
#include "platform/core/message_queue.h"
#include "platform/core/window_placement.h"
#include "platform/core/window_records.h"

namespace {

// A window that is gone, or on its way out, hears nothing more from the window system.
WindowRecord* liveWindow(HWND window) {
  WindowRecord* record = platformFindWindow(window);
  return record == nullptr || record->destroying ? nullptr : record;
}

}  // namespace

void platformNotifyExposed(HWND window) {
  if (WindowRecord* record = liveWindow(window)) {
    record->invalid = true;
    record->eraseWanted = true;
  }
}

// The first report of a window always sends both messages, as creation does on the system.
// A new size (other than none) makes the whole client area invalid.
void platformNotifyConfigured(HWND window, int clientX, int clientY, int width, int height,
                              bool minimised) {
  WindowRecord* record = liveWindow(window);
  if (record == nullptr) return;
  if (minimised) width = height = 0;
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  const bool first = !record->configured;
  const bool moved = first || clientX != record->clientX || clientY != record->clientY;
  const bool resized = first || width != record->clientWidth || height != record->clientHeight;
  platformPlaceClientArea(*record, clientX, clientY, width, height);
  record->configured = true;
  if (resized && width > 0 && height > 0) {
    record->invalid = true;
    record->eraseWanted = true;
  }
  const WPARAM sizeKind = minimised ? SIZE_MINIMIZED : SIZE_RESTORED;
  // The first time, as the system sends them to a newly shown window: size, then place.
  // Afterwards, as its default processing of a position change does: place, then size.
  if (first) {
    platformSendMessage(window, WM_SIZE, sizeKind, MAKELPARAM(width, height));
    if (liveWindow(window) != nullptr)
      platformSendMessage(window, WM_MOVE, 0, MAKELPARAM(clientX, clientY));
    return;
  }
  if (moved) platformSendMessage(window, WM_MOVE, 0, MAKELPARAM(clientX, clientY));
  if (resized && liveWindow(window) != nullptr)
    platformSendMessage(window, WM_SIZE, sizeKind, MAKELPARAM(width, height));
}

// Activating a window deactivates the one that had the focus first. Repeated reports of
// the same state send nothing.
void platformNotifyActivated(HWND window, bool active, bool minimised) {
  if (liveWindow(window) == nullptr) return;
  const HWND previous = platformFocusWindow();
  if (active) {
    if (previous == window) return;
    if (previous != nullptr && liveWindow(previous) != nullptr) {
      platformSetFocusWindow(nullptr);
      platformSendMessage(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0),
                          reinterpret_cast<LPARAM>(window));
      if (liveWindow(window) == nullptr) return;
    }
    platformSetFocusWindow(window);
    platformSendMessage(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, minimised ? 1 : 0),
                        reinterpret_cast<LPARAM>(previous));
  } else {
    if (previous != window) return;
    platformSetFocusWindow(nullptr);
    platformSendMessage(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, minimised ? 1 : 0), 0);
  }
}

void platformNotifyCloseRequest(HWND window) {
  if (liveWindow(window) != nullptr) platformPost(window, WM_CLOSE, 0, 0);
}

// lParam as the system fills it for keys: repeat count 1; a key-up also has the previous
// state and transition bits set.
void platformPostKeyDown(HWND window, UINT virtualKey, uint32_t character) {
  if (liveWindow(window) != nullptr) platformPostKey(window, WM_KEYDOWN, virtualKey, 1, character);
}

void platformPostKeyUp(HWND window, UINT virtualKey) {
  if (liveWindow(window) != nullptr)
    platformPost(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void platformPostMouse(HWND window, UINT message, int x, int y, WPARAM keyState) {
  if (message < WM_MOUSEMOVE || message > WM_MBUTTONDBLCLK) return;
  if (liveWindow(window) != nullptr) platformPost(window, message, keyState, MAKELPARAM(x, y));
}
