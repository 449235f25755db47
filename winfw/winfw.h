// The window framework's public interface: one OpenGL window, an event loop, handler
// slots and tables for keys and mouse buttons, and colour maps for colour-index windows.
//
// Use it in this order: settings (wfSetWindowPosition, wfSetDisplayMode), wfOpenWindow,
// the handlers (wfSetIdleHandler, wfSetReshapeHandler, wfAddKeyHandler, wfAddMouseHandler),
// then wfRunMainLoop. Opening the window installs the default reshape handler, so set your
// own after it.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "platform/program_summary.h"

// ---- Display-mode word ------------------------------------------------------------------
#define WF_RGBA 0x0
#define WF_INDEX 0x1
#define WF_SINGLE 0x0
#define WF_DOUBLE 0x2
#define WF_ACCUM 0x8
#define WF_ALPHA 0x10
#define WF_DEPTH 0x20
#define WF_STENCIL 0x40
#define WF_DEPTH16 0x100
#define WF_WHOLE_PALETTE 0x200

// ---- Pixel-format policy ----------------------------------------------------------------
#define WF_PF_EXACT 2
#define WF_PF_BEST 3

// ---- Placement --------------------------------------------------------------------------
// Passed as x to wfSetWindowPosition: let the window system place the window.
#define WF_USE_DEFAULT ((int32_t)0x80000000)

// ---- Buttons, mouse event kinds, keys ------------------------------------------------------
#define WF_BUTTON_LEFT 1
#define WF_BUTTON_RIGHT 2
#define WF_BUTTON_MIDDLE 4

#define WF_MOUSE_PRESS 16
#define WF_MOUSE_RELEASE 32
#define WF_MOUSE_MOTION 64

#define WF_KEY_RETURN 13
#define WF_KEY_ESCAPE 27
#define WF_KEY_SPACE 32
#define WF_KEY_LEFT 37
#define WF_KEY_UP 38
#define WF_KEY_RIGHT 39
#define WF_KEY_DOWN 40

// ---- Records and handler types ---------------------------------------------------------
// What a mouse handler receives; x and y in client pixels from the top-left corner.
struct WfEvent {
  int32_t event;     // WF_MOUSE_PRESS, WF_MOUSE_RELEASE or WF_MOUSE_MOTION
  int32_t x;
  int32_t y;
  int32_t reserved;  // not set by mouse events
  int32_t button;    // the single button bit that matched the entry
};

typedef void (*WfReshapeHandler)(int32_t width, int32_t height);
typedef void (*WfIdleHandler)();
typedef void (*WfKeyHandler)();
typedef void (*WfMouseHandler)(WfEvent* event);
// The program's summary of what its window shows, for a platform that tells it to someone
// who cannot see the window; the reader fills it in whenever the platform asks.
typedef ProgramSummary WfSummary;
typedef ProgramSummaryReader WfSummaryReader;

// ---- Settings ------------------------------------------------------------------------------
void wfSetWindowPosition(int32_t x, int32_t y, int32_t width, int32_t height);
void wfSetDisplayMode(int32_t mode);
void wfSetPixelFormatPolicy(int32_t policy);
int32_t wfSetPixelFormatNumber(int32_t number);
void wfSetErrorBoxes(int32_t on);

int32_t wfGetDisplayMode();
int32_t wfGetPixelFormatPolicy();
int32_t wfGetPixelFormatNumber();

// ---- Registration ------------------------------------------------------------------------------
void wfSetReshapeHandler(WfReshapeHandler handler);
void wfSetIdleHandler(WfIdleHandler handler);
void wfAddKeyHandler(int32_t key, WfKeyHandler handler);
void wfAddMouseHandler(int32_t button, int32_t eventKind, WfMouseHandler handler);
// Lets the platform read the program's summary (read only: the reader changes nothing).
void wfSetSummaryReader(WfSummaryReader reader);
// Destroys the window if there is one, then empties all four handler tables.
void wfCloseWindow();

// ---- Accessors and small operations ------------------------------------------------------------
HWND wfGetWindowHandle();
HDC wfGetDeviceContext();
HGLRC wfGetRenderContext();
// Presents the back buffer; returns the platform's success flag.
BOOL wfSwapBuffers();
// The pointer in client pixels, y downwards; may lie outside the client area.
void wfGetMouseLocation(int32_t* x, int32_t* y);

// Formats like printf into at most 255 characters and shows the text in a modal box
// captioned "Error" while error boxes are on; does nothing while they are off.
void wfReportError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// ---- Opening and the loop ------------------------------------------------------------------
// 1 when the window is open with a current rendering context, 0 otherwise.
int32_t wfOpenWindow(const char* title);
int32_t wfOpenWindowWide(const WCHAR* title);
// Runs until the window is destroyed; returns 0. Returns 1 at once when no window is open.
int32_t wfRunMainLoop(WfIdleHandler display);

// ---- Colour maps (colour-index windows) ------------------------------------------------------
int32_t wfSetOneColour(int32_t index, float red, float green, float blue);
int32_t wfSetGreyRamp();
int32_t wfSetFogRamp(int32_t lengthLog2, int32_t countLog2);
int32_t wfSetRGBMap(int32_t unused1, int32_t unused2);
int32_t wfGetColourMapSize();
