// GLX rendering contexts and buffer swaps of the X11 driver.
#pragma once

#include "platform/driver.h"

DriverContext* x11CreateContext(DriverWindow* window);
bool x11MakeCurrent(DriverWindow* window, DriverContext* context);
void x11DeleteContext(DriverContext* context);
bool x11SwapBuffers(DriverWindow* window);
