// Window records of the X11 driver: creation, destruction, showing, and the pixel format
// that decides the native window's visual.
#include "platform/x11/x11_window.h"

#include <algorithm>
#include <vector>

#include "platform/x11/x11_display.h"
#include "platform/x11/x11_formats.h"

namespace {

std::vector<DriverWindow*> windows;

}  // namespace

DriverWindow* x11WindowOf(Window window) {
  if (window == None) return nullptr;  // records whose native window is still to be made
  for (DriverWindow* record : windows)
    if (record->window == window) return record;
  return nullptr;
}

namespace {

// Maps the native window (waiting for the server) and reports where it really is.
void showNow(DriverWindow* record) {
  record->showPending = false;
  if (!record->mapped) x11MapAndWait(record);
  x11ReportGeometry(record);
}

bool isLive(const DriverWindow* record) {
  return std::find(windows.begin(), windows.end(), record) != windows.end();
}

}  // namespace

// The native window is not made here: its visual is the pixel format's, which is set later
// (x11SetFormat). Made now with the default visual, it would have to be replaced, and a
// replaced top-level window is seen as one that vanishes and appears again.
DriverWindow* x11CreateWindow(HWND handle, const char* titleUtf8, int clientX, int clientY,
                              int width, int height, bool systemPlacement) {
  if (x11Display() == nullptr || width <= 0 || height <= 0) return nullptr;
  auto* record = new DriverWindow;
  record->handle = handle;
  record->title = titleUtf8 != nullptr ? titleUtf8 : "";
  record->systemPlacement = systemPlacement;
  record->clientX = systemPlacement ? 0 : clientX;
  record->clientY = systemPlacement ? 0 : clientY;
  record->width = width;
  record->height = height;
  windows.push_back(record);
  return record;
}

void x11DestroyWindow(DriverWindow* record) {
  if (record == nullptr) return;
  windows.erase(std::remove(windows.begin(), windows.end(), record), windows.end());
  if (x11Display() != nullptr) x11DestroyNativeWindow(record);
  delete record;
}

void x11ShowWindow(DriverWindow* record, int command) {
  if (record == nullptr || x11Display() == nullptr) return;
  Display* display = x11Display();
  switch (command) {
    case SW_HIDE:
      record->hidden = true;
      record->showPending = false;
      if (record->window == None) return;
      XUnmapWindow(display, record->window);
      XFlush(display);
      return;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      record->hidden = false;
      record->showPending = false;
      if (record->window == None && !x11CreateNativeWindow(record, nullptr)) return;
      if (!record->mapped) x11MapAndWait(record);
      XIconifyWindow(display, record->window, x11Screen());
      XFlush(display);
      return;
    default:
      record->hidden = false;
      if (record->window != None) {
        showNow(record);
        return;
      }
      // Mapped once the pixel format has given it its visual; meanwhile the core hears
      // where it is going to be, as showing reports it.
      record->showPending = true;
      platformNotifyConfigured(record->handle, record->clientX, record->clientY, record->width,
                               record->height, false);
      return;
  }
}

void x11ShowPendingWindows() {
  if (x11Display() == nullptr) return;
  std::vector<DriverWindow*> pending;
  for (DriverWindow* record : windows)
    if (record->showPending) pending.push_back(record);
  for (DriverWindow* record : pending) {
    if (!isLive(record)) continue;  // destroyed by a window procedure meanwhile
    if (record->window == None && !x11CreateNativeWindow(record, nullptr)) {
      record->showPending = false;
      continue;
    }
    showNow(record);
  }
}

bool x11SetFormat(DriverWindow* record, int number) {
  const X11Format* format = x11FormatAt(number);
  if (record == nullptr || format == nullptr) return false;
  // A window's format is set once; setting the same one again is harmless.
  if (record->formatNumber != 0) return record->formatNumber == number;

  if (record->window == None) {
    if (!x11CreateNativeWindow(record, &format->visual)) return false;
  } else if (format->visual.visualid != record->visualId) {
    // Shown before its format was set, the window has the default visual; another visual
    // needs another native window: same place, size and title, and the same record, so
    // the core's handle keeps naming it.
    bool wasMapped = record->mapped;
    if (wasMapped) {
      x11ReportGeometry(record);
      record->systemPlacement = false;
    }
    x11DestroyNativeWindow(record);
    if (!x11CreateNativeWindow(record, &format->visual)) return false;
    if (wasMapped) showNow(record);
  }

  x11TrapErrors();
  GLXWindow drawable = glXCreateWindow(x11Display(), format->config, record->window, nullptr);
  if (x11UntrapErrors() != Success || drawable == None) return false;
  record->glxWindow = drawable;
  record->formatNumber = number;
  if (record->showPending) showNow(record);
  return true;
}
