// The X11 driver's modal message box.
#pragma once

#include "platform/driver.h"

int x11MessageBox(DriverWindow* owner, const char* text, const char* caption, UINT type);
