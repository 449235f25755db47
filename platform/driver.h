// The boundary between the platform core (window-system independent: handles, queue,
// window records, GDI emulation, registry) and a window-system driver beneath it.
// A driver is a table of functions; the core calls it, and the driver reports what the
// window system tells it back through the platformNotify*/platformPost* calls below.
// Exactly one driver is linked into each executable and is returned by
// platformDefaultDriver(): x11 for the program, headless for unit tests.
#pragma once

#include "platform/platform.h"

// What a driver keeps for one window; opaque to the core.
struct DriverWindow;
// What a driver keeps for one OpenGL context; opaque to the core.
struct DriverContext;

struct PlatformDriver {
  const char* name;

  // Connects to the window system. False when there is none (no display): the core then
  // writes message-box texts to standard error and ExitProcess ends with status 1.
  bool (*connect)();
  // Ends the connection (called by ExitProcess and at process exit).
  void (*disconnect)();

  // SM_* metrics: SM_CXSCREEN, SM_CYSCREEN, SM_CXFRAME, SM_CYFRAME, SM_CYCAPTION,
  // SM_CYBORDER, SM_CXBORDER. On X11 the frame and caption are the window manager's
  // decoration sizes (zero without one).
  int (*systemMetric)(int index);

  // Creates a top-level window whose client area is width x height, with its top-left
  // corner at (clientX, clientY) on the screen, or where the window system chooses when
  // systemPlacement. Not yet shown. `window` is the core's handle, for the notifications.
  // Null on failure.
  DriverWindow* (*createWindow)(HWND window, const char* titleUtf8, int clientX, int clientY,
                                int width, int height, bool systemPlacement);
  void (*destroyWindow)(DriverWindow* window);
  // Shows the window, having reported its client position and size through
  // platformNotifyConfigured. It is visible before a first frame can be drawn: a driver
  // whose native window needs the pixel format's visual may wait for setFormat to map it
  // (or for the next pumpEvents, for a window that gets no format).
  void (*showWindow)(DriverWindow* window, int command);

  // Pixel formats, numbered from 1. formatCount: how many; describeFormat fills the
  // descriptor of one (false when the number is out of range); setFormat makes the window
  // render with that format (it may recreate its native window for another visual).
  int (*formatCount)();
  bool (*describeFormat)(int number, PIXELFORMATDESCRIPTOR* descriptor);
  bool (*setFormat)(DriverWindow* window, int number);

  // OpenGL contexts for a window whose format is set.
  DriverContext* (*createContext)(DriverWindow* window);
  // window and context both null: make no context current.
  bool (*makeCurrent)(DriverWindow* window, DriverContext* context);
  void (*deleteContext)(DriverContext* context);
  bool (*swapBuffers)(DriverWindow* window);

  // Pointer: capture (button events keep arriving, client-relative, while the pointer is
  // outside), cursor position in screen coordinates.
  bool (*setCapture)(DriverWindow* window);
  void (*releaseCapture)();
  bool (*cursorPos)(POINT* point);

  // Reads the window system's pending events and reports them through the calls below.
  // With wait, blocks until at least one event has been reported.
  void (*pumpEvents)(bool wait);

  // A modal message box with the caption, the text and one OK button; returns IDOK.
  int (*messageBox)(DriverWindow* owner, const char* text, const char* caption, UINT type);
};

// The driver linked into this executable.
const PlatformDriver* platformDefaultDriver();

// ---- Reports from the driver to the core -----------------------------------------------
// The window's client area needs repainting (Expose): it becomes invalid, so WM_PAINT.
void platformNotifyExposed(HWND window);
// The client area now sits at (clientX, clientY) on the screen with this size; sends
// WM_MOVE and/or WM_SIZE for what changed (a size of 0 x 0 when minimised).
void platformNotifyConfigured(HWND window, int clientX, int clientY, int width, int height,
                              bool minimised);
// The window gained or lost the keyboard focus: sends WM_ACTIVATE.
void platformNotifyActivated(HWND window, bool active, bool minimised);
// The window manager asks the window to close: posts WM_CLOSE.
void platformNotifyCloseRequest(HWND window);
// A key went down (auto-repeat included): posts WM_KEYDOWN with the virtual-key code;
// `character` is what the key types under the current Shift/Caps Lock state (0 for none),
// which TranslateMessage turns into a WM_CHAR.
void platformPostKeyDown(HWND window, UINT virtualKey, uint32_t character);
void platformPostKeyUp(HWND window, UINT virtualKey);
// Mouse messages (WM_*BUTTON*, WM_MOUSEMOVE) with client-relative coordinates and the
// MK_* key-state flags.
void platformPostMouse(HWND window, UINT message, int x, int y, WPARAM keyState);
// The display maps colours through a system palette (an 8-bit palette device): the core
// then emulates the system palette and its realisation. A driver that never says so has a
// true-colour display, where realising a palette changes nothing. Reported from connect().
void platformNotifyPaletteDevice(bool paletteDevice);
