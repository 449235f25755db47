// The window of the web driver: the page's canvas is its client area.
#pragma once

#include "platform/driver.h"

struct DriverWindow {
  HWND handle;
  int width;
  int height;
  int formatNumber;  // 0 until set
};

// The window the canvas shows (the latest created that still exists), or null.
DriverWindow* webCanvasWindow();

DriverWindow* webCreateWindow(HWND handle, const char* titleUtf8, int clientX, int clientY,
                              int width, int height, bool systemPlacement);
void webDestroyWindow(DriverWindow* window);
void webShowWindow(DriverWindow* window, int command);
bool webSetFormat(DriverWindow* window, int number);
