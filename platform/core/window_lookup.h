// Maps the core's handles to the driver's windows.
#pragma once

#include "platform/driver.h"

// The driver's window behind a window handle; null for null or unknown handles.
DriverWindow* platformDriverWindow(HWND window);
// The window a device context belongs to; null for null or unknown handles.
HWND platformWindowOfDc(HDC dc);
