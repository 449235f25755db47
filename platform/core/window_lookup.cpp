#include "platform/core/window_lookup.h"

#include "platform/core/gdi_objects.h"
#include "platform/core/window_records.h"

DriverWindow* platformDriverWindow(HWND window) {
  const WindowRecord* record = platformFindWindow(window);
  return record == nullptr ? nullptr : record->driverWindow;
}

HWND platformWindowOfDc(HDC dc) {
  const DeviceContextRecord* record = platformFindDeviceContext(dc);
  return record == nullptr ? nullptr : record->window;
}
