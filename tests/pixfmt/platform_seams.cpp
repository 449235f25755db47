// The palette tests' view of the headless platform: every use of the platform's test
// interface goes through here.
#include <cstring>

#include "platform/testing.h"
#include "tests/pixfmt/pixfmt_fixture.h"

namespace pixfmttest {

namespace {
const char* const kColoursKey = "Control Panel\\Colors";
const char* const kWindowClass = "pixfmtTestWindow";
bool classRegistered = false;

LRESULT testWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

void resetPlatform() {
  platformtest::resetHeadless();
  platformtest::setPaletteDevice(true);
  classRegistered = false;
}

void scriptFormats(const std::vector<PIXELFORMATDESCRIPTOR>& formats) {
  platformtest::setFormats(formats);
}

void openDeviceContext(bool withWindow, HWND* window, HDC* dc) {
  *window = nullptr;
  if (!withWindow) {
    *dc = platformtest::createDeviceContext();
    return;
  }
  if (!classRegistered) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = testWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    classRegistered = RegisterClassA(&windowClass) != 0;
  }
  *window = CreateWindowExA(0, kWindowClass, "palette test", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                            100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  *dc = GetDC(*window);
  // Visible (only visible windows are painted) and freshly painted: no paint waits.
  platformtest::setActivateOnShow(false);
  ShowWindow(*window, SW_SHOW);
  PAINTSTRUCT paint;
  BeginPaint(*window, &paint);
  EndPaint(*window, &paint);
}

void failNext(const char* operation, int times) { platformtest::failNext(operation, times); }
void failAfter(const char* operation, int successes, int times) {
  platformtest::failAfter(operation, successes, times);
}
int callCount(const char* operation) { return platformtest::callCount(operation); }

void setRegistryString(const char* name, const std::string& text) {
  platformtest::setRegistryString(kColoursKey, name, text);
}

void setRegistryValue(const char* name, DWORD type, const void* data, DWORD bytes) {
  platformtest::setRegistryValue(kColoursKey, name, type, data, bytes);
}

void removeColoursKey() { platformtest::removeRegistryKey(kColoursKey); }

UINT systemPaletteUse() { return platformtest::systemPaletteUse(); }
std::vector<PALETTEENTRY> systemPaletteColours() { return platformtest::systemPalette(); }

int broadcastCount(UINT message) {
  int count = 0;
  for (const MSG& posted : platformtest::postedMessages()) {
    if (posted.hwnd == HWND_BROADCAST && posted.message == message) ++count;
  }
  return count;
}

std::vector<std::string> errorTexts() {
  std::vector<std::string> texts;
  for (const auto& box : platformtest::messageBoxes()) {
    if (box.caption == "Error") texts.push_back(box.text);
  }
  return texts;
}

}  // namespace pixfmttest
