// The event loop: with an idle handler it drains every waiting message and then calls the
// handler once, never waiting; without one it sleeps in GetMessageA between messages.
#include "winfw/state.h"
#include "winfw/window.h"

namespace {

// Takes the next message, waiting for one if need be, and hands it to the window
// procedure. False when the loop is to end: the quit message, or a failing queue
// (GetMessageA's -1), which would otherwise fail again on every pass.
bool pumpOneMessage() {
  MSG message;
  const BOOL got = GetMessageA(&message, nullptr, 0, 0);
  if (got == 0 || got == -1) return false;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

bool messageWaiting() {
  MSG message;
  return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

}  // namespace

int32_t wfRunMainLoop(WfIdleHandler display) {
  // No window (the open failed, or there is no display at all): nothing to pump and no
  // context to draw into, so the loop ends at once, and with 1 rather than the 0 of a
  // window that was closed: a program that returns the loop's result must not report
  // success when it never showed a window.
  if (wfWindow == nullptr) return 1;
  wfDisplaySlot = display;

  // The application's reshape handler, set after the open, learns the initial size.
  if (wfReshapeSlot != nullptr) {
    RECT client{0, 0, 0, 0};
    GetClientRect(wfWindow, &client);
    wfReshapeSlot(client.right, client.bottom);
  }

  for (;;) {
    if (wfIdleSlot != nullptr) {
      while (messageWaiting()) {
        if (!pumpOneMessage()) return 0;
      }
      // Read again: a message handler may have cleared it.
      if (wfIdleSlot != nullptr) wfIdleSlot();
    } else {
      if (!pumpOneMessage()) return 0;
    }
  }
}
