// Invalidation and painting. The invalid region is the whole client area or nothing: any
// invalidation makes the whole client area invalid.
#include <cstring>

#include "platform/core/failure_injection.h"
#include "platform/core/gdi_objects.h"
#include "platform/core/window_records.h"

namespace {

void invalidate(WindowRecord& record, bool erase) {
  record.invalid = true;
  record.eraseWanted = record.eraseWanted || erase;
}

}  // namespace

// A null window invalidates every window, as the system does.
BOOL InvalidateRect(HWND window, const RECT*, BOOL erase) {
  if (platformInjectedFailure("InvalidateRect")) return FALSE;
  if (window == nullptr) {
    for (HWND each : platformTopLevelWindows()) invalidate(*platformFindWindow(each), erase);
    return TRUE;
  }
  WindowRecord* record = platformFindWindow(window);
  if (record == nullptr) return FALSE;
  invalidate(*record, erase != FALSE);
  return TRUE;
}

// Validates the client area and hands out the window's device context.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  if (platformInjectedFailure("BeginPaint")) return nullptr;
  WindowRecord* record = platformFindWindow(window);
  if (record == nullptr || paint == nullptr) return nullptr;
  if (record->dc == nullptr) record->dc = platformCreateDeviceContext(window);
  std::memset(paint, 0, sizeof *paint);
  paint->hdc = record->dc;
  paint->fErase = record->eraseWanted ? TRUE : FALSE;
  paint->rcPaint = RECT{0, 0, record->clientWidth, record->clientHeight};
  record->invalid = false;
  record->eraseWanted = false;
  return record->dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT*) {
  if (platformInjectedFailure("EndPaint")) return FALSE;
  return platformFindWindow(window) != nullptr ? TRUE : FALSE;
}
