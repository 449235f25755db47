// Until window records exist no window is known: lookups find nothing and there is
// nothing to destroy.
#include "platform/core/window_lookup.h"

DriverWindow* platformDriverWindow(HWND) { return nullptr; }
HWND platformWindowOfDc(HDC) { return nullptr; }
BOOL DestroyWindow(HWND) { return FALSE; }
