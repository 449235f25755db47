// Handler slots and the four append-only handler tables.
#include "winfw/state.h"

HWND wfWindow = nullptr;
HDC wfDeviceContext = nullptr;
HGLRC wfRenderContext = nullptr;

WfReshapeHandler wfReshapeSlot = nullptr;
WfIdleHandler wfDisplaySlot = nullptr;
WfIdleHandler wfIdleSlot = nullptr;
WfRawKeyHandler wfKeySlot = nullptr;
WfRawMouseHandler wfPressSlot = nullptr;
WfRawMouseHandler wfReleaseSlot = nullptr;
WfRawMouseHandler wfMotionSlot = nullptr;

WfKeyEntry wfKeyTable[WF_TABLE_CAPACITY];
int32_t wfKeyCount = 0;
WfMouseEntry wfPressTable[WF_TABLE_CAPACITY];
int32_t wfPressCount = 0;
WfMouseEntry wfReleaseTable[WF_TABLE_CAPACITY];
int32_t wfReleaseCount = 0;
WfMouseEntry wfMotionTable[WF_TABLE_CAPACITY];
int32_t wfMotionCount = 0;

void wfSetReshapeHandler(WfReshapeHandler handler) { wfReshapeSlot = handler; }
void wfSetIdleHandler(WfIdleHandler handler) { wfIdleSlot = handler; }
// Not a slot of the framework's: the platform keeps it, since the platform is what reads it.
void wfSetSummaryReader(WfSummaryReader reader) { platformSetSummaryReader(reader); }

// A full table ignores further registrations rather than writing past its end.
void wfAddKeyHandler(int32_t key, WfKeyHandler handler) {
  if (wfKeyCount >= WF_TABLE_CAPACITY) return;
  wfKeyTable[wfKeyCount] = WfKeyEntry{key, handler};
  ++wfKeyCount;
}

namespace {
void appendMouseEntry(WfMouseEntry* table, int32_t* count, int32_t button,
                      WfMouseHandler handler) {
  if (*count >= WF_TABLE_CAPACITY) return;
  table[*count] = WfMouseEntry{button, handler};
  ++*count;
}
}  // namespace

void wfAddMouseHandler(int32_t button, int32_t eventKind, WfMouseHandler handler) {
  switch (eventKind) {
    case WF_MOUSE_PRESS:
      appendMouseEntry(wfPressTable, &wfPressCount, button, handler);
      break;
    case WF_MOUSE_RELEASE:
      appendMouseEntry(wfReleaseTable, &wfReleaseCount, button, handler);
      break;
    case WF_MOUSE_MOTION:
      appendMouseEntry(wfMotionTable, &wfMotionCount, button, handler);
      break;
    default:
      break;  // any other kind registers nothing
  }
}

void wfCloseWindow() {
  if (wfWindow != nullptr) DestroyWindow(wfWindow);
  wfKeyCount = 0;
  wfPressCount = 0;
  wfReleaseCount = 0;
  wfMotionCount = 0;
}
