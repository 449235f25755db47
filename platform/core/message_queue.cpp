#include "platform/core/message_queue.h"

#include <deque>
#include <map>

#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/window_records.h"

namespace {

std::deque<MSG> waiting;
std::vector<MSG> postedLog;
bool quitPosted = false;
int quitCode = 0;
// A message's time is its serial number in the queue: it tells messages apart, which is
// how a key-down finds the character it types.
DWORD serial = 0;
std::map<DWORD, uint32_t> keyCharacters;  // the most recent key-downs only
const size_t kRememberedKeys = 256;

bool inRange(UINT message, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  return message >= filterMin && message <= filterMax;
}

bool forWindow(HWND messageWindow, HWND filter) {
  return filter == nullptr || messageWindow == filter;
}

MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg = {};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = ++serial;
  return msg;
}

bool takeMessage(MSG* msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  for (auto it = waiting.begin(); it != waiting.end(); ++it) {
    if (!inRange(it->message, filterMin, filterMax) || !forWindow(it->hwnd, filter)) continue;
    *msg = *it;
    if (remove) waiting.erase(it);
    return true;
  }
  if (quitPosted && filter == nullptr && inRange(WM_QUIT, filterMin, filterMax)) {
    *msg = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0);
    if (remove) quitPosted = false;
    return true;
  }
  if (!inRange(WM_PAINT, filterMin, filterMax)) return false;
  for (HWND window : platformTopLevelWindows()) {
    const WindowRecord* record = platformFindWindow(window);
    if (!record->invalid || !record->visible || record->destroying) continue;
    if (!forWindow(window, filter)) continue;
    // Taking it does not validate the window: BeginPaint does (or the default processing).
    *msg = makeMessage(window, WM_PAINT, 0, 0);
    return true;
  }
  return false;
}

void pump(bool wait) {
  if (platformConnected()) platformDriver()->pumpEvents(wait);
}

bool validFilter(HWND filter) { return filter == nullptr || platformFindWindow(filter) != nullptr; }

}  // namespace

void platformPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  waiting.push_back(makeMessage(window, message, wParam, lParam));
}

void platformPostKey(HWND window, UINT message, WPARAM virtualKey, LPARAM flags,
                     uint32_t character) {
  const MSG msg = makeMessage(window, message, virtualKey, flags);
  waiting.push_back(msg);
  if (character == 0) return;
  keyCharacters[msg.time] = character;
  if (keyCharacters.size() > kRememberedKeys) keyCharacters.erase(keyCharacters.begin());
}

bool platformCharacterOf(const MSG& keyDown, uint32_t* character) {
  auto it = keyCharacters.find(keyDown.time);
  if (it == keyCharacters.end()) return false;
  *character = it->second;
  return true;
}

void platformPostFirst(const MSG& msg) {
  MSG first = msg;
  first.time = ++serial;
  waiting.push_front(first);
}

void platformDropMessagesFor(HWND window) {
  for (auto it = waiting.begin(); it != waiting.end();) {
    it = it->hwnd == window ? waiting.erase(it) : it + 1;
  }
}

const std::vector<MSG>& platformPostedLog() { return postedLog; }
void platformClearPostedLog() { postedLog.clear(); }
std::vector<MSG> platformWaitingMessages() { return std::vector<MSG>(waiting.begin(), waiting.end()); }

void platformResetQueue() {
  waiting.clear();
  postedLog.clear();
  quitPosted = false;
  quitCode = 0;
  keyCharacters.clear();
}

// To HWND_BROADCAST: to every top-level window of the process (recorded once, as sent).
// To null: a message of no window. To anything else that is not a window: refused.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (platformInjectedFailure("PostMessageA")) return FALSE;
  if (window == HWND_BROADCAST) {
    for (HWND each : platformTopLevelWindows())
      if (!platformFindWindow(each)->destroying) platformPost(each, message, wParam, lParam);
  } else if (window != nullptr) {
    const WindowRecord* record = platformFindWindow(window);
    if (record == nullptr || record->destroying) return FALSE;
    platformPost(window, message, wParam, lParam);
  } else {
    platformPost(nullptr, message, wParam, lParam);
  }
  postedLog.push_back(makeMessage(window, message, wParam, lParam));
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  platformInjectedFailure("PostQuitMessage");  // counted only
  quitPosted = true;
  quitCode = exitCode;
  postedLog.push_back(makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0));
}

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (platformInjectedFailure("PeekMessageA")) return FALSE;
  if (msg == nullptr || !validFilter(window)) return FALSE;
  pump(false);
  return takeMessage(msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE
                                                                                        : FALSE;
}

// 0 for WM_QUIT, -1 for bad arguments or when no message can ever come (no window system),
// 1 otherwise. Waits by asking the driver to block until it has reported an event.
BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
  if (platformInjectedFailure("GetMessageA")) return -1;
  if (msg == nullptr || !validFilter(window)) return -1;
  pump(false);
  for (;;) {
    if (takeMessage(msg, window, filterMin, filterMax, true)) return msg->message != WM_QUIT;
    if (!platformConnected()) return -1;
    pump(true);
    if (!validFilter(window)) return -1;  // the window went away while waiting
  }
}
