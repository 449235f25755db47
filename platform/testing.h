// Test-only interface to the platform: seeds and inspects the state that the core emulates
// and that the headless driver scripts. Only tests include it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/driver.h"  // the notify and post calls, for injecting events
#include "platform/platform.h"

namespace platformtest {

// ---- Starting afresh ---------------------------------------------------------------------
// Returns the whole platform to its start: the headless driver (metrics, cursor at (0, 0),
// no message boxes, no swaps, the true-colour format script, display available, windows
// activated when shown) and the core (no windows, classes, messages, GDI objects or open
// registry keys; the system palette in static use with the 20 static colours; default
// system colours; an empty registry; Windows NT 10.0; no call counts or injected
// failures; no focus, capture or current context). Windows of an earlier test vanish
// without messages.
void resetHeadless();

// ---- Headless driver: the display -------------------------------------------------------------
// Metrics not set read 0, except SM_CXSCREEN and SM_CYSCREEN (1920 x 1080).
void setSystemMetric(int index, int value);
void setCursorPos(int x, int y);
// The pixel formats the display offers, numbered from 1 in this order.
void setFormats(const std::vector<PIXELFORMATDESCRIPTOR>& formats);
// Whether the display is a palette device (its system palette is then emulated); false
// after a reset: a true-colour display, where realising a palette changes nothing.
void setPaletteDevice(bool paletteDevice);
// False: the driver cannot connect (no display). Takes effect at the next use of the
// platform after a reset.
void setDisplayAvailable(bool available);
// Whether showing a window also reports it activated (true after a reset), as the window
// system does when it maps a top-level window and gives it the focus.
void setActivateOnShow(bool activate);
// Where the window system puts the client area of a window placed by the system
// (CW_USEDEFAULT); (50, 60) after a reset.
void setSystemPlacement(int clientX, int clientY);

// Format scripts. A true-colour display (the reset's script):
//   1 RGBA 32 bits (8-8-8 at 16, 8, 0; alpha 8), double, depth 24, stencil 8
//   2 RGBA 24, double, depth 24      3 RGBA 24, double, depth 16
//   4 RGBA 24, single, depth 16      5 RGBA 24, double, no depth
//   6 RGBA 24, single, no depth      7 RGBA 32 with alpha, double, depth 24, stencil 8,
//                                      accumulation 64 (alpha 16)
std::vector<PIXELFORMATDESCRIPTOR> trueColourFormats();
// An 8-bit palette device:
//   1 RGBA 8 bits 3-3-2 (red 3 at 0, green 3 at 3, blue 2 at 6), PFD_NEED_PALETTE, double,
//     depth 16
//   2 the same, single      3 the same, double, no depth      4 the same, single, no depth
//   5 colour index 8, double, depth 16
//   6 colour index 8, single, depth 16      7 colour index 8, single, no depth
std::vector<PIXELFORMATDESCRIPTOR> paletteDeviceFormats();
// Building blocks: every field not named is 0, flags add to PFD_DRAW_TO_WINDOW |
// PFD_SUPPORT_OPENGL, main plane.
PIXELFORMATDESCRIPTOR rgbaFormat(int redBits, int redShift, int greenBits, int greenShift,
                                 int blueBits, int blueShift, DWORD flags);
PIXELFORMATDESCRIPTOR colourIndexFormat(int colourBits, DWORD flags);

// ---- Headless driver: what happened -------------------------------------------------------
struct MessageBoxRecord {
  HWND owner;  // the owner passed, or the focus window when it names no window
  std::string caption;
  std::string text;
  UINT type;
};
const std::vector<MessageBoxRecord>& messageBoxes();
void clearMessageBoxes();
// Buffer-swap requests that reached the driver.
int swapCount();

struct HeadlessWindow {
  std::string title;
  int clientX;
  int clientY;
  int width;
  int height;
  bool systemPlacement;
  bool visible;
  bool minimised;
  int format;  // 0 until set
};
// The driver's view of a window: false when the driver has no window for it.
bool headlessWindow(HWND window, HeadlessWindow* result);
// OpenGL contexts the driver holds, and whether one of them is current.
int liveContextCount();
bool contextCurrent();
// The window the driver grabs the pointer for (null: none).
HWND pointerGrabWindow();

// ---- Headless driver: failures and events ----------------------------------------------------
// The next `times` calls of a driver operation fail: "createWindow", "setFormat",
// "createContext", "makeCurrent", "swapBuffers", "setCapture", "messageBox".
void failDriverNext(const std::string& operation, int times = 1);
// An event for the driver to report at its next pumpEvents (through the platformNotify* and
// platformPost* calls of driver.h, which tests may also call directly). GetMessageA waiting
// with no event queued is a broken test: the driver aborts rather than hang.
void queueDriverEvent(std::function<void()> event);

// ---- Core ----------------------------------------------------------------------------------
// The window that GetFocus reports.
void setFocusWindow(HWND window);
// The next `times` calls of a platform operation (a name of platform.h, e.g.
// "SelectPalette") return that operation's failure value. An unknown name aborts the test.
void failNext(const char* operation, int times = 1);
// The same after `successes` more calls that succeed.
void failAfter(const char* operation, int successes, int times = 1);
// Calls of a platform operation since the reset (the core's own use is not counted).
int callCount(const char* operation);

// A device context of no window, for palette and pixel-format tests that need no window.
// It lives until the reset.
HDC createDeviceContext();
// The system palette's 256 colours (flags 0) and its use (SYSPAL_STATIC or SYSPAL_NOSTATIC).
std::vector<PALETTEENTRY> systemPalette();
UINT systemPaletteUse();

// The registry of the current user: key paths below HKEY_CURRENT_USER, e.g.
// "Control Panel\\Colors". A REG_SZ value stores the text and its terminating zero.
void setRegistryString(const std::string& keyPath, const std::string& name,
                       const std::string& text);
void setRegistryValue(const std::string& keyPath, const std::string& name, DWORD type,
                      const void* data, DWORD bytes);
void createRegistryKey(const std::string& keyPath);
void removeRegistryKey(const std::string& keyPath);

// What GetVersionExA reports.
void setVersion(DWORD platformId, DWORD major, DWORD minor);

// Every PostMessageA (a broadcast once, with HWND_BROADCAST) and PostQuitMessage (as
// WM_QUIT with the exit code) since the reset, in order.
const std::vector<MSG>& postedMessages();
void clearPostedMessages();
// The posted messages now waiting in the queue, in order (WM_QUIT and WM_PAINT are not
// queued messages and do not appear).
std::vector<MSG> waitingMessages();

HGLRC currentContext();
HWND captureWindow();
// Blocks from LocalAlloc not yet given back with LocalFree.
int liveLocalAllocations();

}  // namespace platformtest
