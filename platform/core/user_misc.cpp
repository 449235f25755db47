// Small USER and GDI services that go straight to the driver.
#include <cstdio>

#include "platform/core/driver_access.h"
#include "platform/core/window_lookup.h"

int GetSystemMetrics(int index) { return platformDriver()->systemMetric(index); }

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  return platformDriver()->cursorPos(point) ? TRUE : FALSE;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const PlatformDriver* driver = platformDriver();
  if (!platformConnected()) {
    // No window system to show it on: the text still reaches the user.
    std::fprintf(stderr, "%s: %s", caption ? caption : "", text ? text : "");
    return IDOK;
  }
  return driver->messageBox(platformDriverWindow(owner), text ? text : "", caption ? caption : "",
                            type);
}

BOOL SwapBuffers(HDC dc) {
  return platformDriver()->swapBuffers(platformDriverWindow(platformWindowOfDc(dc))) ? TRUE
                                                                                     : FALSE;
}
