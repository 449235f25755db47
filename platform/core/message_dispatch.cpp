// Handing messages to window procedures: translating keys, dispatching, sending, and the
// default processing.
#include "platform/core/failure_injection.h"
#include "platform/core/message_queue.h"
#include "platform/core/window_records.h"

// A key-down whose key types a character is followed by WM_CHAR (WM_SYSCHAR for a system
// key) with that character, taken before anything else that waits. The result is non-zero
// for every key message, translated or not.
BOOL TranslateMessage(const MSG* msg) {
  if (platformInjectedFailure("TranslateMessage")) return FALSE;
  if (msg == nullptr) return FALSE;
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      uint32_t character = 0;
      if (platformCharacterOf(*msg, &character)) {
        MSG typed = *msg;
        typed.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        typed.wParam = character;
        platformPostFirst(typed);
      }
      return TRUE;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (platformInjectedFailure("DispatchMessageA")) return 0;
  if (msg == nullptr) return 0;
  return platformSendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// To HWND_BROADCAST: to every top-level window in turn; the result is then 0.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (platformInjectedFailure("SendMessageA")) return 0;
  if (window == HWND_BROADCAST) {
    for (HWND each : platformTopLevelWindows()) platformSendMessage(each, message, wParam, lParam);
    return 0;
  }
  return platformSendMessage(window, message, wParam, lParam);
}

// WM_NCCREATE: creation goes on (TRUE). WM_CLOSE, and Alt+F4 arriving as a system key:
// the window is destroyed. WM_PAINT: the client area is validated, so the paint does not
// come again. Everything else: 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (platformInjectedFailure("DefWindowProcA")) return 0;
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      platformDestroyWindow(window);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4) platformSendMessage(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_PAINT:
      if (WindowRecord* record = platformFindWindow(window)) {
        record->invalid = false;
        record->eraseWanted = false;
      }
      return 0;
    default:
      return 0;
  }
}
