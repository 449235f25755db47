// The key and mouse dispatchers placed in the raw slots. Every matching entry runs, in
// registration order; the count is re-read after each entry, so an entry added by a handler
// runs in the same dispatch and wfCloseWindow (which empties the tables) ends it.
#include "winfw/state.h"

int32_t wfDispatchKey(int32_t key) {
  int32_t result = 0;
  for (int32_t i = 0; i < wfKeyCount; ++i) {
    if (wfKeyTable[i].key == key) {
      wfKeyTable[i].handler();
      result = 1;
    }
  }
  return result;
}

namespace {

const int32_t buttonBits[] = {WF_BUTTON_LEFT, WF_BUTTON_RIGHT, WF_BUTTON_MIDDLE};

int32_t dispatchMouse(const WfMouseEntry* table, const int32_t* count, int32_t kind, int32_t x,
                      int32_t y, int32_t mask) {
  int32_t result = 0;
  WfEvent event{};
  for (int32_t i = 0; i < *count; ++i) {
    const WfMouseEntry entry = table[i];
    for (int32_t bit : buttonBits) {
      if ((mask & bit) == entry.button) {
        event.event = kind;
        event.x = x;
        event.y = y;
        event.button = bit;
        entry.handler(&event);
        result = 1;
      }
    }
  }
  return result;
}

}  // namespace

int32_t wfDispatchPress(int32_t x, int32_t y, int32_t buttons) {
  return dispatchMouse(wfPressTable, &wfPressCount, WF_MOUSE_PRESS, x, y, buttons);
}

int32_t wfDispatchRelease(int32_t x, int32_t y, int32_t buttons) {
  return dispatchMouse(wfReleaseTable, &wfReleaseCount, WF_MOUSE_RELEASE, x, y, buttons);
}

int32_t wfDispatchMotion(int32_t x, int32_t y, int32_t buttons) {
  return dispatchMouse(wfMotionTable, &wfMotionCount, WF_MOUSE_MOTION, x, y, buttons);
}
