// The framework's window class, registered once per process. A second registration of the
// same name would be refused by the system, which would make a retry or a re-open fail; so
// the class is registered on first use and reused afterwards.
#include "winfw/window.h"

const char wfClassName[] = "tkLibWClass";
const WCHAR wfClassNameWide[] = u"tkLibWClass";

namespace {
bool classRegistered = false;
}  // namespace

int32_t wfRegisterWindowClass(bool wide) {
  if (classRegistered) return 1;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  HCURSOR cursor = LoadCursorA(nullptr, IDC_ARROW);
  HBRUSH background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  ATOM atom = 0;
  if (wide) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = wfWindowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = wfClassNameWide;
    atom = RegisterClassW(&windowClass);
  } else {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = wfWindowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = wfClassName;
    atom = RegisterClassA(&windowClass);
  }
  if (atom == 0) return 0;
  classRegistered = true;
  return 1;
}

void wfForgetWindowClass() { classRegistered = false; }
