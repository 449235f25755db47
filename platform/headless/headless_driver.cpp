// The headless driver: no window system. Metrics and the cursor are scripted by tests,
// message boxes are recorded instead of shown, buffer swaps are counted.
#include <map>

#include "platform/driver.h"
#include "platform/testing.h"

namespace {

struct HeadlessState {
  std::map<int, int> metrics;
  POINT cursor{0, 0};
  std::vector<platformtest::MessageBoxRecord> boxes;
  int swaps = 0;
};

HeadlessState& state() {
  static HeadlessState s;
  return s;
}

bool connect() { return true; }
void disconnect() {}

int systemMetric(int index) {
  auto it = state().metrics.find(index);
  return it == state().metrics.end() ? 0 : it->second;
}

DriverWindow* createWindow(HWND, const char*, int, int, int, int, bool) { return nullptr; }
void destroyWindow(DriverWindow*) {}
void showWindow(DriverWindow*, int) {}
int formatCount() { return 0; }
bool describeFormat(int, PIXELFORMATDESCRIPTOR*) { return false; }
bool setFormat(DriverWindow*, int) { return false; }
DriverContext* createContext(DriverWindow*) { return nullptr; }
bool makeCurrent(DriverWindow*, DriverContext*) { return true; }
void deleteContext(DriverContext*) {}

bool swapBuffers(DriverWindow*) {
  ++state().swaps;
  return true;
}

bool setCapture(DriverWindow*) { return true; }
void releaseCapture() {}

bool cursorPos(POINT* point) {
  *point = state().cursor;
  return true;
}

void pumpEvents(bool) {}

int messageBox(DriverWindow*, const char* text, const char* caption, UINT type) {
  state().boxes.push_back({GetFocus(), caption, text, type});
  return IDOK;
}

const PlatformDriver headlessDriver = {
    "headless",     connect,       disconnect,   systemMetric,   createWindow,  destroyWindow,
    showWindow,     formatCount,   describeFormat, setFormat,    createContext, makeCurrent,
    deleteContext,  swapBuffers,   setCapture,   releaseCapture, cursorPos,     pumpEvents,
    messageBox,
};

}  // namespace

const PlatformDriver* platformDefaultDriver() { return &headlessDriver; }

namespace platformtest {

void resetHeadless() { state() = HeadlessState{}; }
void setSystemMetric(int index, int value) { state().metrics[index] = value; }
void setCursorPos(int x, int y) { state().cursor = POINT{x, y}; }
const std::vector<MessageBoxRecord>& messageBoxes() { return state().boxes; }
void clearMessageBoxes() { state().boxes.clear(); }
int swapCount() { return state().swaps; }

}  // namespace platformtest
