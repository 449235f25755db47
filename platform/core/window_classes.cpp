#include "platform/core/window_classes.h"

#include <strings.h>

#include <vector>

#include "platform/core/failure_injection.h"
#include "platform/core/text.h"

namespace {

std::vector<WindowClass> classes;
ATOM nextAtom = 0xc000;  // where the system numbers registered classes from

ATOM registerClass(const std::string& name, UINT style, WNDPROC procedure, HBRUSH background) {
  if (name.empty() || procedure == nullptr) return 0;
  if (platformFindClassByName(name) != nullptr) return 0;  // already registered: refused
  WindowClass entry;
  entry.name = name;
  entry.atom = nextAtom++;
  entry.style = style;
  entry.procedure = procedure;
  entry.background = background;
  classes.push_back(entry);
  return entry.atom;
}

}  // namespace

const WindowClass* platformFindClassByName(const std::string& name) {
  for (const WindowClass& entry : classes)
    if (strcasecmp(entry.name.c_str(), name.c_str()) == 0) return &entry;
  return nullptr;
}

const WindowClass* platformFindClass(LPCSTR name) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(name);
  if (value == 0) return nullptr;
  if (value < 0x10000) {
    for (const WindowClass& entry : classes)
      if (entry.atom == value) return &entry;
    return nullptr;
  }
  return platformFindClassByName(name);
}

void platformResetClasses() {
  classes.clear();
  nextAtom = 0xc000;
}

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
  if (platformInjectedFailure("RegisterClassA")) return 0;
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr) return 0;
  return registerClass(windowClass->lpszClassName, windowClass->style, windowClass->lpfnWndProc,
                       windowClass->hbrBackground);
}

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  if (platformInjectedFailure("RegisterClassW")) return 0;
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr) return 0;
  return registerClass(platformUtf8(windowClass->lpszClassName), windowClass->style,
                       windowClass->lpfnWndProc, windowClass->hbrBackground);
}
