// The GL context of the web driver: the canvas's WebGL context, which the OpenGL subset of
// web_gl.cpp draws through at every swap.
#pragma once

#include "platform/driver.h"

DriverContext* webCreateContext(DriverWindow* window);
bool webMakeCurrent(DriverWindow* window, DriverContext* context);
void webDeleteContext(DriverContext* context);
bool webSwapBuffers(DriverWindow* window);
