#include "tests/x11/driver_fixture.h"

#include <chrono>
#include <thread>

namespace x11test {
namespace {

const char kClassName[] = "x11DriverTestClass";
std::vector<Received> log;
bool keepOnClose = false;

LRESULT recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  log.push_back(Received{window, message, wParam, lParam});
  if (message == WM_CLOSE && keepOnClose) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerClassOnce() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = recordingProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  registered = RegisterClassA(&windowClass) != 0;
}

const DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

}  // namespace

void X11DriverTest::SetUp() {
  XvfbTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  log.clear();
  keepOnClose = false;
  registerClassOnce();
}

void X11DriverTest::TearDown() {
  keepOnClose = false;
  for (HWND window : opened_) DestroyWindow(window);  // fails harmlessly for the gone ones
  opened_.clear();
  XvfbTest::TearDown();
}

HWND X11DriverTest::openWindow(const std::string& title, int clientX, int clientY, int width,
                               int height) {
  RECT rect{clientX, clientY, clientX + width, clientY + height};
  AdjustWindowRect(&rect, kStyle, FALSE);
  HWND window = CreateWindowExA(0, kClassName, title.c_str(), kStyle, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  opened_.push_back(window);
  ShowWindow(window, SW_SHOWDEFAULT);
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  return window;
}

HWND X11DriverTest::openWindowAnywhere(const std::string& title, int width, int height) {
  RECT rect{0, 0, width, height};
  AdjustWindowRect(&rect, kStyle, FALSE);
  HWND window = CreateWindowExA(0, kClassName, title.c_str(), kStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  opened_.push_back(window);
  ShowWindow(window, SW_SHOWDEFAULT);
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  return window;
}

bool X11DriverTest::pumpUntil(const std::function<bool()>& condition, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void X11DriverTest::pumpFor(int milliseconds) {
  pumpUntil([] { return false; }, milliseconds);
}

const std::vector<Received>& X11DriverTest::received() const { return log; }

std::vector<Received> X11DriverTest::receivedOf(UINT message) const {
  std::vector<Received> matching;
  for (const Received& each : log)
    if (each.message == message) matching.push_back(each);
  return matching;
}

void X11DriverTest::forgetReceived() { log.clear(); }

void X11DriverTest::keepWindowsOnClose(bool keep) { keepOnClose = keep; }

}  // namespace x11test
