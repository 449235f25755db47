// Small USER and GDI services that go straight to the driver.
#include <cstdio>

#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/window_lookup.h"

int GetSystemMetrics(int index) {
  if (platformInjectedFailure("GetSystemMetrics")) return 0;
  if (!platformConnected()) return 0;
  return platformDriver()->systemMetric(index);
}

BOOL GetCursorPos(POINT* point) {
  if (platformInjectedFailure("GetCursorPos")) return FALSE;
  if (point == nullptr || !platformConnected()) return FALSE;
  return platformDriver()->cursorPos(point) ? TRUE : FALSE;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (platformInjectedFailure("MessageBoxA")) return 0;
  const PlatformDriver* driver = platformDriver();
  if (!platformConnected()) {
    // No window system to show it on: the text still reaches the user.
    std::fprintf(stderr, "%s: %s", caption ? caption : "", text ? text : "");
    return IDOK;
  }
  return driver->messageBox(platformDriverWindow(owner), text ? text : "", caption ? caption : "",
                            type);
}

// The request reaches the driver even for a device context of no window (the driver then
// has nothing to present and says so).
BOOL SwapBuffers(HDC dc) {
  if (platformInjectedFailure("SwapBuffers")) return FALSE;
  if (!platformConnected()) return FALSE;
  return platformDriver()->swapBuffers(platformDriverWindow(platformWindowOfDc(dc))) ? TRUE
                                                                                     : FALSE;
}
