// The framework's window class, registered once per process. A second registration of the
// same name would be refused by the system, which would make a retry or a re-open fail; so
// the class is registered on first use and reused afterwards.
#include "winfw/window.h"

const char wfClassName[] = "tkLibWClass";
const WCHAR wfClassNameWide[] = u"tkLibWClass";

namespace {

bool classRegistered = false;

// The class's fields are the same in both forms; only the name's character type differs.
template <typename WindowClass, typename Name>
WindowClass describeClass(const Name* name) {
  WindowClass windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = wfWindowProcedure;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = name;
  return windowClass;
}

}  // namespace

int32_t wfRegisterWindowClass(bool wide) {
  if (classRegistered) return 1;
  ATOM atom = 0;
  if (wide) {
    const WNDCLASSW windowClass = describeClass<WNDCLASSW>(wfClassNameWide);
    atom = RegisterClassW(&windowClass);
  } else {
    const WNDCLASSA windowClass = describeClass<WNDCLASSA>(wfClassName);
    atom = RegisterClassA(&windowClass);
  }
  if (atom == 0) return 0;
  classRegistered = true;
  return 1;
}

void wfForgetWindowClass() { classRegistered = false; }
