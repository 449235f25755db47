// Pixel formats of the X11 driver: the GLX framebuffer configurations that can draw to a
// window, numbered from 1 in the order the server lists them, each described as a
// PIXELFORMATDESCRIPTOR.
#pragma once

#include <GL/glx.h>

#include "platform/platform.h"

struct X11Format {
  GLXFBConfig config;
  XVisualInfo visual;
  bool rgba;
  PIXELFORMATDESCRIPTOR descriptor;
};

// How many formats the display offers (0 without GLX).
int x11FormatCount();
// The format with that number; null when the number is out of range.
const X11Format* x11FormatAt(int number);
// True when the screen's own visual keeps colours in a writable colour map (an 8-bit
// palette display); a TrueColor display is not one.
bool x11IsPaletteDisplay();
// Drops the list (the configurations belong to the connection that is closing).
void x11ForgetFormats();
