// Pointer capture: while a window has it, the driver keeps reporting button and motion
// events to it, client-relative, wherever the pointer goes.
#include "platform/core/capture.h"

#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/window_records.h"

namespace {
HWND captureWindow = nullptr;
}  // namespace

HWND platformCaptureWindow() { return captureWindow; }

void platformReleaseCapture() {
  if (captureWindow == nullptr) return;
  captureWindow = nullptr;
  platformDriver()->releaseCapture();
}

void platformResetCapture() { captureWindow = nullptr; }

// Returns the window that had the capture before. When the window system refuses the grab,
// nothing changes.
HWND SetCapture(HWND window) {
  if (platformInjectedFailure("SetCapture")) return nullptr;
  const HWND previous = captureWindow;
  const WindowRecord* record = platformFindWindow(window);
  if (record == nullptr || record->driverWindow == nullptr) return previous;
  if (platformDriver()->setCapture(record->driverWindow)) captureWindow = window;
  return previous;
}

BOOL ReleaseCapture() {
  if (platformInjectedFailure("ReleaseCapture")) return FALSE;
  platformReleaseCapture();
  return TRUE;
}
