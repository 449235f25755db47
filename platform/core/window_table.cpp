// The table of window records, sending into window procedures, and window geometry.
#include <memory>

#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/handles.h"
#include "platform/core/window_records.h"

namespace {
HandleTable<WindowRecord> windows(HandleKind::Window);
bool broadcastingPaletteChange = false;

// The metric without counting a GetSystemMetrics call.
int metric(int index) { return platformConnected() ? platformDriver()->systemMetric(index) : 0; }
}  // namespace

HWND platformAddWindowRecord(std::unique_ptr<WindowRecord> record) {
  const HWND handle = asHandle<HWND>(windows.add(std::move(record)));
  if (WindowRecord* added = windows.find(handle)) added->handle = handle;
  return handle;
}

void platformRemoveWindowRecord(HWND window) { windows.remove(window); }

WindowRecord* platformFindWindow(HWND window) { return windows.find(window); }

std::vector<HWND> platformTopLevelWindows() {
  std::vector<HWND> handles;
  for (uintptr_t handle : windows.handles()) handles.push_back(asHandle<HWND>(handle));
  return handles;
}

LRESULT platformSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowRecord* record = windows.find(window);
  if (record == nullptr || record->procedure == nullptr) return 0;
  return record->procedure(window, message, wParam, lParam);
}

// A window that realises its palette while handling WM_PALETTECHANGED does so in the
// background and sends no further WM_PALETTECHANGED; the guard keeps even a misbehaving
// one from recursing without end.
void platformBroadcastPaletteChanged(HWND source) {
  if (broadcastingPaletteChange) return;
  broadcastingPaletteChange = true;
  for (HWND window : platformTopLevelWindows())
    platformSendMessage(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(source), 0);
  broadcastingPaletteChange = false;
}

void platformResetWindows() {
  windows.clear();
  broadcastingPaletteChange = false;
}

// A sizing frame of SM_CXFRAME x SM_CYFRAME on every side and a caption of SM_CYCAPTION
// whose bottom border line (SM_CYBORDER) the frame already counts; a caption without a
// sizing frame has a one-pixel border. No other styles change the insets.
FrameInsets platformFrameInsets(DWORD style) {
  FrameInsets insets{0, 0, 0, 0};
  if (style & WS_THICKFRAME) {
    const int x = metric(SM_CXFRAME);
    const int y = metric(SM_CYFRAME);
    insets = FrameInsets{x, y, x, y};
  } else if ((style & WS_CAPTION) == WS_CAPTION) {
    const int x = metric(SM_CXBORDER);
    const int y = metric(SM_CYBORDER);
    insets = FrameInsets{x, y, x, y};
  }
  if ((style & WS_CAPTION) == WS_CAPTION)
    insets.top += metric(SM_CYCAPTION) - metric(SM_CYBORDER);
  return insets;
}

// Menus are not supported: the menu flag changes nothing.
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL) {
  if (platformInjectedFailure("AdjustWindowRect")) return FALSE;
  if (rect == nullptr) return FALSE;
  const FrameInsets insets = platformFrameInsets(style);
  rect->left -= insets.left;
  rect->top -= insets.top;
  rect->right += insets.right;
  rect->bottom += insets.bottom;
  return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  if (platformInjectedFailure("GetWindowRect")) return FALSE;
  const WindowRecord* record = windows.find(window);
  if (record == nullptr || rect == nullptr) return FALSE;
  *rect = record->windowRect;
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  if (platformInjectedFailure("GetClientRect")) return FALSE;
  const WindowRecord* record = windows.find(window);
  if (record == nullptr || rect == nullptr) return FALSE;
  *rect = RECT{0, 0, record->clientWidth, record->clientHeight};
  return TRUE;
}
