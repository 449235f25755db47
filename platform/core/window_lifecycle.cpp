// Creating, showing and destroying windows, and their device contexts. Creating and
// destroying send their messages into the window procedure synchronously, inside the call;
// showing lets the driver report the window's place, size and activation, which arrive as
// sent messages too.
#include <memory>

#include "platform/core/capture.h"
#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/focus.h"
#include "platform/core/gdi_objects.h"
#include "platform/core/message_queue.h"
#include "platform/core/text.h"
#include "platform/core/window_classes.h"
#include "platform/core/window_placement.h"
#include "platform/core/window_records.h"

HWND platformAddWindowRecord(std::unique_ptr<WindowRecord> record);
void platformRemoveWindowRecord(HWND window);

namespace {

// The size the system gives a window created with CW_USEDEFAULT as its width.
const int kDefaultWidth = 640;
const int kDefaultHeight = 480;

void removeWindow(HWND window) {
  const WindowRecord* record = platformFindWindow(window);
  if (record == nullptr) return;
  if (record->dc != nullptr) platformDeleteDeviceContext(record->dc);
  platformDropMessagesFor(window);
  platformRemoveWindowRecord(window);
}

HWND createWindow(DWORD exStyle, const WindowClass* windowClass, const std::string& title,
                  DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                  HINSTANCE instance, LPVOID param) {
  if (windowClass == nullptr || !platformConnected()) return nullptr;
  const bool systemPlacement = x == CW_USEDEFAULT;
  if (systemPlacement) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = kDefaultWidth;
    height = kDefaultHeight;
  }

  auto record = std::make_unique<WindowRecord>();
  record->procedure = windowClass->procedure;
  record->classStyle = windowClass->style;
  record->style = style;
  record->title = title;
  const FrameInsets insets = platformFrameInsets(style);
  const int clientWidth = width - insets.left - insets.right;
  const int clientHeight = height - insets.top - insets.bottom;
  platformPlaceClientArea(*record, x + insets.left, y + insets.top,
                          clientWidth > 0 ? clientWidth : 0, clientHeight > 0 ? clientHeight : 0);
  const HWND window = platformAddWindowRecord(std::move(record));
  if (window == nullptr) return nullptr;

  CREATESTRUCTA create = {param,  instance, menu,  parent,
                          height, width,    y,     x,
                          static_cast<LONG>(style), title.c_str(), windowClass->name.c_str(),
                          exStyle};
  if (platformSendMessage(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0) {
    platformSendMessage(window, WM_NCDESTROY, 0, 0);
    removeWindow(window);
    return nullptr;
  }
  if (platformSendMessage(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    platformDestroyWindow(window);
    return nullptr;
  }
  WindowRecord* created = platformFindWindow(window);
  if (created == nullptr) return nullptr;  // destroyed by its own WM_CREATE
  DriverWindow* native = platformDriver()->createWindow(
      window, title.c_str(), created->clientX, created->clientY, created->clientWidth,
      created->clientHeight, systemPlacement);
  created = platformFindWindow(window);
  if (created == nullptr) {
    if (native != nullptr) platformDriver()->destroyWindow(native);
    return nullptr;
  }
  if (native == nullptr) {
    platformDestroyWindow(window);
    return nullptr;
  }
  created->driverWindow = native;
  return window;
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  if (platformInjectedFailure("CreateWindowExA")) return nullptr;
  return createWindow(exStyle, platformFindClass(className), windowName ? windowName : "", style,
                      x, y, width, height, parent, menu, instance, param);
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  if (platformInjectedFailure("CreateWindowExW")) return nullptr;
  const uintptr_t classValue = reinterpret_cast<uintptr_t>(className);
  const WindowClass* windowClass =
      classValue != 0 && classValue < 0x10000
          ? platformFindClass(reinterpret_cast<LPCSTR>(className))
          : platformFindClassByName(platformUtf8(className));
  return createWindow(exStyle, windowClass, platformUtf8(windowName), style, x, y, width, height,
                      parent, menu, instance, param);
}

// Non-zero when the window was visible before. Showing a hidden window sends
// WM_SHOWWINDOW and makes its client area invalid (so a WM_PAINT follows).
BOOL ShowWindow(HWND window, int command) {
  if (platformInjectedFailure("ShowWindow")) return FALSE;
  WindowRecord* record = platformFindWindow(window);
  if (record == nullptr || record->destroying) return FALSE;
  const bool wasVisible = record->visible;
  const bool show = command != SW_HIDE;
  if (show != wasVisible) {
    platformSendMessage(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    record = platformFindWindow(window);
    if (record == nullptr) return wasVisible ? TRUE : FALSE;
    record->visible = show;
    if (show) {
      record->invalid = true;
      record->eraseWanted = true;
    }
  }
  if (record->driverWindow != nullptr) platformDriver()->showWindow(record->driverWindow, command);
  return wasVisible ? TRUE : FALSE;
}

BOOL platformDestroyWindow(HWND window) {
  WindowRecord* record = platformFindWindow(window);
  if (record == nullptr || record->destroying) return FALSE;
  record->destroying = true;
  if (platformCaptureWindow() == window) platformReleaseCapture();
  // The active window is deactivated before it hears of its destruction, as on the system.
  if (platformFocusWindow() == window) {
    platformSetFocusWindow(nullptr);
    platformSendMessage(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    if (platformFindWindow(window) == nullptr) return TRUE;
  }

  platformSendMessage(window, WM_DESTROY, 0, 0);
  record = platformFindWindow(window);
  if (record == nullptr) return TRUE;  // only a reset of the whole platform removes it here
  if (record->driverWindow != nullptr) {
    DriverWindow* native = record->driverWindow;
    record->driverWindow = nullptr;
    platformDriver()->destroyWindow(native);
  }
  platformSendMessage(window, WM_NCDESTROY, 0, 0);
  removeWindow(window);
  return TRUE;
}

// Destroying a window that is already being destroyed, or is gone, fails.
BOOL DestroyWindow(HWND window) {
  if (platformInjectedFailure("DestroyWindow")) return FALSE;
  return platformDestroyWindow(window);
}

// One device context per window, the same every time, living as long as the window.
HDC GetDC(HWND window) {
  if (platformInjectedFailure("GetDC")) return nullptr;
  WindowRecord* record = platformFindWindow(window);
  if (record == nullptr) return nullptr;
  if (record->dc == nullptr) record->dc = platformCreateDeviceContext(window);
  return record->dc;
}

// 1 when the device context is the window's, 0 otherwise. The context stays the window's.
int ReleaseDC(HWND window, HDC dc) {
  if (platformInjectedFailure("ReleaseDC")) return 0;
  const WindowRecord* record = platformFindWindow(window);
  return record != nullptr && dc != nullptr && record->dc == dc ? 1 : 0;
}
