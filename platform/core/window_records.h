// Window records: what the core keeps for each window of the process. All windows are
// top-level (the framework creates no child windows).
#pragma once

#include <string>
#include <vector>

#include "platform/driver.h"

struct WindowRecord {
  HWND handle = nullptr;
  WNDPROC procedure = nullptr;
  UINT classStyle = 0;
  DWORD style = 0;
  std::string title;  // UTF-8
  RECT windowRect{0, 0, 0, 0};  // the outer rectangle on the screen
  int clientX = 0;              // the client area's top-left corner on the screen
  int clientY = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  DriverWindow* driverWindow = nullptr;
  HDC dc = nullptr;
  bool visible = false;
  bool configured = false;  // a first position and size have been reported
  bool invalid = false;     // the client area needs painting: WM_PAINT is due
  bool eraseWanted = false;
  bool destroying = false;  // inside DestroyWindow: still valid, cannot be destroyed again
};

WindowRecord* platformFindWindow(HWND window);
// Every window of the process, in creation order (a snapshot).
std::vector<HWND> platformTopLevelWindows();
// Calls the window procedure. 0 for an unknown window.
LRESULT platformSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// After a foreground realisation changed the system palette: WM_PALETTECHANGED, wParam the
// window that realised, sent to every top-level window.
void platformBroadcastPaletteChanged(HWND source);

// DestroyWindow without counting the call (the default processing of WM_CLOSE uses it).
BOOL platformDestroyWindow(HWND window);

// Frame sizes of a window style: the client area sits `left` to the right of and `top`
// below the outer corner, and the outer rectangle is wider by `left + right` and taller by
// `top + bottom`.
struct FrameInsets {
  int left;
  int top;
  int right;
  int bottom;
};
FrameInsets platformFrameInsets(DWORD style);

void platformResetWindows();
