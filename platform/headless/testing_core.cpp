// Test hooks into the core's emulated state.
#include "platform/core/focus.h"
#include "platform/testing.h"

namespace platformtest {

void setFocusWindow(HWND window) { platformSetFocusWindow(window); }

}  // namespace platformtest
