#include "tests/conformance/conformance_fixture.h"

namespace conformance {
namespace {

const char kClassName[] = "conformanceTestClass";
const DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

std::vector<Received> log;
bool paintsStayInvalid = false;

LRESULT recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Received each{window, message, wParam, lParam, "", 0};
  if (message == WM_NCCREATE || message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    each.createName = create->lpszName != nullptr ? create->lpszName : "";
    each.createStyle = create->style;
  }
  log.push_back(each);
  if (message == WM_PAINT && paintsStayInvalid) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

bool registerClassOnce() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = recordingProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  registered = RegisterClassA(&windowClass) != 0;
  return registered;
}

}  // namespace

const std::initializer_list<UINT> kLifecycleMessages = {
    WM_NCCREATE, WM_CREATE,  WM_SIZE,    WM_MOVE,       WM_SHOWWINDOW,
    WM_ACTIVATE, WM_DESTROY, WM_NCDESTROY};

void Win32Test::SetUp() {
  ASSERT_TRUE(registerClassOnce());
  paintsStayInvalid = false;
  // Whatever an earlier test left behind (its windows' last messages, a quit) is not ours.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  log.clear();
}

void Win32Test::TearDown() {
  paintsStayInvalid = false;
  for (HWND window : created_) DestroyWindow(window);  // fails harmlessly for the gone ones
  created_.clear();
  pumpUntilQuiet(50, 1000);
}

HWND Win32Test::createWindow(int x, int y, int width, int height) {
  RECT rect{x, y, x + width, y + height};
  AdjustWindowRect(&rect, kStyle, FALSE);
  HWND window = CreateWindowExA(0, kClassName, "conformance", kStyle, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (window != nullptr) created_.push_back(window);
  return window;
}

HWND Win32Test::openWindow(int x, int y, int width, int height) {
  HWND window = createWindow(x, y, width, height);
  if (window == nullptr) return nullptr;
  ShowWindow(window, SW_SHOWDEFAULT);
  pumpUntilQuiet();
  return window;
}

void Win32Test::keep(HWND window) {
  for (auto it = created_.begin(); it != created_.end(); ++it) {
    if (*it == window) {
      created_.erase(it);
      return;
    }
  }
}

void Win32Test::pumpUntilQuiet(int quietMs, int limitMs) {
  const int stepMs = 10;
  int quietFor = 0;
  for (int elapsed = 0; quietFor < quietMs && elapsed < limitMs; elapsed += stepMs) {
    MSG message;
    bool any = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    quietFor = any ? 0 : quietFor + stepMs;
    Sleep(stepMs);
  }
}

const std::vector<Received>& Win32Test::received() const { return log; }

std::vector<Received> Win32Test::receivedOf(std::initializer_list<UINT> kinds) const {
  std::vector<Received> matching;
  for (const Received& each : log)
    for (UINT kind : kinds)
      if (each.message == kind) matching.push_back(each);
  return matching;
}

std::vector<UINT> Win32Test::messagesOf(std::initializer_list<UINT> kinds) const {
  std::vector<UINT> messages;
  for (const Received& each : receivedOf(kinds)) messages.push_back(each.message);
  return messages;
}

void Win32Test::forgetReceived() { log.clear(); }

void Win32Test::leavePaintsInvalid(bool leave) { paintsStayInvalid = leave; }

// The caption metric already includes the line beneath the caption, so no border is taken
// off (the framework's own formula takes one off: see platform/README.md).
POINT clientOrigin(const RECT& windowRect) {
  return POINT{windowRect.left + GetSystemMetrics(SM_CXFRAME),
               windowRect.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME)};
}

}  // namespace conformance
