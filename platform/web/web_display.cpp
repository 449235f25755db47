// The page is a true-colour display without a window manager: no frame, no caption, and a
// screen the size the browser reports.
#include "platform/web/web_display.h"

#include "platform/platform.h"
#include "platform/web/web_imports.h"

namespace {

bool connected = false;

}  // namespace

bool webConnect() {
  connected = webjs_connect() != 0;
  return connected;
}

void webDisconnect() { connected = false; }

bool webConnected() { return connected; }

int webSystemMetric(int index) {
  if (!connected) return 0;
  switch (index) {
    case SM_CXSCREEN:
      return webjs_screen_size(0);
    case SM_CYSCREEN:
      return webjs_screen_size(1);
    default:
      return 0;  // the canvas has no frame, caption or border
  }
}
