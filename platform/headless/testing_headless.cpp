// Test hooks into the headless driver.
#include "platform/core/core_reset.h"
#include "platform/headless/headless_state.h"

namespace platformtest {

void resetHeadless() {
  headless() = HeadlessState{};
  platformResetCore();
}

void setSystemMetric(int index, int value) { headless().metrics[index] = value; }
void setCursorPos(int x, int y) { headless().cursor = POINT{x, y}; }
void setFormats(const std::vector<PIXELFORMATDESCRIPTOR>& formats) { headless().formats = formats; }
// Also tells a driver that is already connected, as a new connection would.
void setPaletteDevice(bool paletteDevice) {
  headless().paletteDevice = paletteDevice;
  platformNotifyPaletteDevice(paletteDevice);
}
void setDisplayAvailable(bool available) { headless().displayAvailable = available; }
void setActivateOnShow(bool activate) { headless().activateOnShow = activate; }
void setSystemPlacement(int clientX, int clientY) { headless().systemPlacement = POINT{clientX, clientY}; }

const std::vector<MessageBoxRecord>& messageBoxes() { return headless().boxes; }
void clearMessageBoxes() { headless().boxes.clear(); }
int swapCount() { return headless().swaps; }

bool headlessWindow(HWND window, HeadlessWindow* result) {
  const DriverWindow* record = headlessFindWindow(window);
  if (record == nullptr || result == nullptr) return false;
  *result = HeadlessWindow{record->title,   record->clientX, record->clientY,
                           record->width,   record->height,  record->systemPlacement,
                           record->visible, record->minimised, record->format};
  return true;
}

int liveContextCount() { return static_cast<int>(headless().contexts.size()); }
bool contextCurrent() { return headless().current != nullptr; }
HWND pointerGrabWindow() { return headless().grab != nullptr ? headless().grab->window : nullptr; }

void failDriverNext(const std::string& operation, int times) {
  headless().failuresLeft[operation] = times;
}

void queueDriverEvent(std::function<void()> event) { headless().events.push_back(std::move(event)); }

}  // namespace platformtest
