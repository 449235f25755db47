// The page's listeners only queue; the events are reported here, when the program pumps.
#include "platform/web/web_events.h"

#include <cstddef>

#include "platform/driver.h"
#include "platform/web/web_contract.h"
#include "platform/web/web_keys.h"
#include "platform/web/web_imports.h"
#include "platform/web/web_window.h"

namespace {

// As web_library.js writes it.
struct QueuedEvent {
  int32_t kind;
  int32_t values[WEB_EVENT_INTS - 1];
  char code[WEB_EVENT_TEXT_SIZE];
  char key[WEB_EVENT_TEXT_SIZE];
};
static_assert(offsetof(QueuedEvent, code) == WEB_EVENT_CODE_OFFSET, "the event record's layout");
static_assert(offsetof(QueuedEvent, key) == WEB_EVENT_KEY_OFFSET, "the event record's layout");
static_assert(sizeof(QueuedEvent) == WEB_EVENT_SIZE, "the event record's layout");

// DOM buttons: 0 left, 1 middle, 2 right; its `buttons` mask: 1 left, 2 right, 4 middle.
WPARAM keyStateOf(int buttons, int modifiers) {
  WPARAM flags = 0;
  if (buttons & 1) flags |= MK_LBUTTON;
  if (buttons & 2) flags |= MK_RBUTTON;
  if (buttons & 4) flags |= MK_MBUTTON;
  if (modifiers & WEB_MODIFIER_SHIFT) flags |= MK_SHIFT;
  if (modifiers & WEB_MODIFIER_CONTROL) flags |= MK_CONTROL;
  return flags;
}

bool reportPointer(HWND window, const int32_t* v) {
  const int phase = v[0], x = v[1], y = v[2], button = v[3];
  const WPARAM keyState = keyStateOf(v[4], v[5]);
  if (phase == WEB_POINTER_MOVE) {
    platformPostMouse(window, WM_MOUSEMOVE, x, y, keyState);
    return true;
  }
  static const UINT downs[3] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  static const UINT ups[3] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
  if (button < 0 || button > 2) return false;  // back and forward buttons
  platformPostMouse(window, phase == WEB_POINTER_PRESS ? downs[button] : ups[button], x, y, keyState);
  return true;
}

bool report(const QueuedEvent& event) {
  DriverWindow* record = webCanvasWindow();
  if (record == nullptr) return false;
  switch (event.kind) {
    case WEB_EVENT_POINTER:
      return reportPointer(record->handle, event.values);
    case WEB_EVENT_KEY_DOWN: {
      const WebKeyPress press =
          webTranslateKey(event.code, event.key, (event.values[0] & WEB_MODIFIER_CONTROL) != 0);
      platformPostKeyDown(record->handle, press.virtualKey, press.character);
      return true;
    }
    case WEB_EVENT_KEY_UP:
      platformPostKeyUp(record->handle, webTranslateKey(event.code, event.key, false).virtualKey);
      return true;
    case WEB_EVENT_FOCUS:
      platformNotifyActivated(record->handle, event.values[0] != 0, false);
      return true;
    default:
      return false;
  }
}

}  // namespace

void webPumpEvents(bool wait) {
  bool reported = false;
  for (;;) {
    QueuedEvent event{};
    while (webjs_next_event(&event) != 0) {
      if (report(event)) reported = true;
    }
    if (!wait || reported) return;
    webjs_wait_for_event();
  }
}
