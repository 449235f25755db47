// The keyboard focus as the core tracks it from the driver's activation reports.
#include "platform/core/focus.h"

namespace {
HWND focusWindow = nullptr;
}  // namespace

HWND GetFocus() { return focusWindow; }

void platformSetFocusWindow(HWND window) { focusWindow = window; }
