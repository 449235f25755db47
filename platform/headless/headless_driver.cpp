// The headless driver: no window system. Formats, metrics, the cursor and the display's
// kind are scripted by tests; windows and GL contexts are plain records (no GL); message
// boxes are recorded instead of shown; buffer swaps are counted; events are reported when
// tests queue them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/core/focus.h"
#include "platform/headless/headless_state.h"

HeadlessState& headless() {
  static HeadlessState state;
  return state;
}

bool headlessFails(const char* operation) {
  auto it = headless().failuresLeft.find(operation);
  if (it == headless().failuresLeft.end() || it->second <= 0) return false;
  --it->second;
  return true;
}

DriverWindow* headlessFindWindow(HWND window) {
  for (auto& each : headless().windows)
    if (each->window == window) return each.get();
  return nullptr;
}

namespace {

bool connect() {
  if (!headless().displayAvailable) return false;
  platformNotifyPaletteDevice(headless().paletteDevice);
  return true;
}
void disconnect() {}

int systemMetric(int index) {
  auto it = headless().metrics.find(index);
  return it == headless().metrics.end() ? 0 : it->second;
}

DriverWindow* createWindow(HWND window, const char* title, int clientX, int clientY, int width,
                           int height, bool systemPlacement) {
  if (headlessFails("createWindow")) return nullptr;
  auto record = std::make_unique<DriverWindow>();
  record->window = window;
  record->title = title != nullptr ? title : "";
  record->clientX = systemPlacement ? headless().systemPlacement.x : clientX;
  record->clientY = systemPlacement ? headless().systemPlacement.y : clientY;
  record->width = width;
  record->height = height;
  record->systemPlacement = systemPlacement;
  headless().windows.push_back(std::move(record));
  return headless().windows.back().get();
}

void destroyWindow(DriverWindow* window) {
  auto& windows = headless().windows;
  if (headless().grab == window) headless().grab = nullptr;
  for (auto& context : headless().contexts)
    if (context->window == window) context->window = nullptr;
  windows.erase(std::remove_if(windows.begin(), windows.end(),
                               [window](const std::unique_ptr<DriverWindow>& each) {
                                 return each.get() == window;
                               }),
                windows.end());
}

// Reports what a window system reports when a top-level window is mapped: its place and
// size, then (if scripted) the focus, then an exposure. Each report may re-enter the
// window procedure, which may destroy the window: it is looked up again after each.
void showWindow(DriverWindow* window, int command) {
  const HWND handle = window->window;
  if (command == SW_HIDE) {
    window->visible = false;
    return;
  }
  const bool minimise = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED;
  window->visible = true;
  window->minimised = minimise;
  platformNotifyConfigured(handle, window->clientX, window->clientY, window->width,
                           window->height, minimise);
  if (!minimise && headless().activateOnShow && headlessFindWindow(handle) != nullptr)
    platformNotifyActivated(handle, true, false);
  if (!minimise && headlessFindWindow(handle) != nullptr) platformNotifyExposed(handle);
}

int formatCount() { return static_cast<int>(headless().formats.size()); }

bool describeFormat(int number, PIXELFORMATDESCRIPTOR* descriptor) {
  if (number < 1 || number > formatCount()) return false;
  *descriptor = headless().formats[number - 1];
  return true;
}

bool setFormat(DriverWindow* window, int number) {
  if (headlessFails("setFormat")) return false;
  if (window == nullptr || number < 1 || number > formatCount()) return false;
  window->format = number;
  return true;
}

DriverContext* createContext(DriverWindow* window) {
  if (headlessFails("createContext")) return nullptr;
  if (window == nullptr || window->format == 0) return nullptr;
  auto context = std::make_unique<DriverContext>();
  context->window = window;
  headless().contexts.push_back(std::move(context));
  return headless().contexts.back().get();
}

bool makeCurrent(DriverWindow* window, DriverContext* context) {
  if (headlessFails("makeCurrent")) return false;
  if (context == nullptr) {
    headless().current = nullptr;
    return true;
  }
  if (window == nullptr) return false;
  headless().current = context;
  return true;
}

void deleteContext(DriverContext* context) {
  auto& contexts = headless().contexts;
  if (headless().current == context) headless().current = nullptr;
  contexts.erase(std::remove_if(contexts.begin(), contexts.end(),
                                [context](const std::unique_ptr<DriverContext>& each) {
                                  return each.get() == context;
                                }),
                 contexts.end());
}

// Every request is counted, also one with no window to present.
bool swapBuffers(DriverWindow* window) {
  ++headless().swaps;
  if (headlessFails("swapBuffers")) return false;
  return window != nullptr && window->format != 0;
}

bool setCapture(DriverWindow* window) {
  if (headlessFails("setCapture")) return false;
  headless().grab = window;
  return true;
}

void releaseCapture() { headless().grab = nullptr; }

bool cursorPos(POINT* point) {
  *point = headless().cursor;
  return true;
}

// Reports every queued event, in order (events queued while reporting wait for the next
// pump).
void pumpEvents(bool wait) {
  std::deque<std::function<void()>> due;
  due.swap(headless().events);
  if (wait && due.empty()) {
    std::fprintf(stderr,
                 "headless driver: waiting for an event, but the test queued none "
                 "(platformtest::queueDriverEvent)\n");
    std::abort();
  }
  for (auto& event : due) event();
}

int messageBox(DriverWindow* owner, const char* text, const char* caption, UINT type) {
  if (headlessFails("messageBox")) return 0;
  const HWND ownerWindow = owner != nullptr ? owner->window : platformFocusWindow();
  headless().boxes.push_back({ownerWindow, caption, text, type});
  return IDOK;
}

const PlatformDriver headlessDriver = {
    "headless",    connect,      disconnect,     systemMetric,  createWindow,
    destroyWindow, showWindow,   formatCount,    describeFormat, setFormat,
    createContext, makeCurrent,  deleteContext,  swapBuffers,   setCapture,
    releaseCapture, cursorPos,   pumpEvents,     messageBox,
};

}  // namespace

const PlatformDriver* platformDefaultDriver() { return &headlessDriver; }
