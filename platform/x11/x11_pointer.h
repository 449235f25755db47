// Pointer capture and the cursor position of the X11 driver.
#pragma once

#include "platform/driver.h"

bool x11SetCapture(DriverWindow* window);
void x11ReleaseCapture();
bool x11CursorPos(POINT* point);
