#pragma once

#include "platform/platform.h"

// Records which of this process's windows has the keyboard focus (null: none).
void platformSetFocusWindow(HWND window);
// GetFocus without counting a call.
HWND platformFocusWindow();
