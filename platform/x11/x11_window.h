// The X11 driver's window record, the registry that finds it from X events, and the
// operations on its native window.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <string>

#include "platform/driver.h"

struct DriverWindow {
  HWND handle = nullptr;  // the core's window, named in every report
  // None until the visual is known: the native window is made when the pixel format is set
  // (with the format's visual), or, for a window shown before it has a format, when events
  // are next pumped or a message box is shown (with the screen's default visual).
  Window window = None;
  Colormap colormap = None;
  GLXWindow glxWindow = None;  // exists once a pixel format is set
  VisualID visualId = 0;
  int formatNumber = 0;
  std::string title;
  bool systemPlacement = false;

  // Last known state, to report only changes of focus and to remember where the client
  // area sat while the window is minimised.
  bool mapped = false;
  bool showPending = false;  // shown by the core while it had no native window yet
  bool hidden = false;  // unmapped on request (SW_HIDE), which is no minimising
  bool minimised = false;
  bool focused = false;
  int clientX = 0;
  int clientY = 0;
  int width = 0;
  int height = 0;
};

// The window record behind an X window of this driver; null for foreign windows.
DriverWindow* x11WindowOf(Window window);

// Creates the native X window of a record with the given visual (null: the screen's
// default) at the record's client position and size, with its title, class, hints and
// protocols. False when the server refuses.
bool x11CreateNativeWindow(DriverWindow* record, const XVisualInfo* visual);
// Destroys the native window (and its GLX window and colour map), keeping the record.
void x11DestroyNativeWindow(DriverWindow* record);
// Maps the native window and waits until the server reports it mapped.
void x11MapAndWait(DriverWindow* record);
// Reads the client area's root position and size from the server and reports it.
void x11ReportGeometry(DriverWindow* record);
// Makes and maps the native windows of shown windows that still wait for a pixel format,
// with the default visual: a window whose format is never set is shown all the same.
void x11ShowPendingWindows();

// Driver table entries.
DriverWindow* x11CreateWindow(HWND window, const char* titleUtf8, int clientX, int clientY,
                              int width, int height, bool systemPlacement);
void x11DestroyWindow(DriverWindow* window);
void x11ShowWindow(DriverWindow* window, int command);
bool x11SetFormat(DriverWindow* window, int number);
