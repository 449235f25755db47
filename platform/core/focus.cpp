// The keyboard focus as the core tracks it from the driver's activation reports.
#include "platform/core/focus.h"

#include "platform/core/failure_injection.h"

namespace {
HWND focusWindow = nullptr;
}  // namespace

HWND GetFocus() {
  if (platformInjectedFailure("GetFocus")) return nullptr;
  return focusWindow;
}

HWND platformFocusWindow() { return focusWindow; }

void platformSetFocusWindow(HWND window) { focusWindow = window; }
