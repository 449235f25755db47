// Registered window classes. One namespace for the narrow and the wide registrations, and
// names compared without regard to ASCII case, as the system does.
#pragma once

#include <string>

#include "platform/platform.h"

struct WindowClass {
  std::string name;  // UTF-8
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC procedure = nullptr;
  HBRUSH background = nullptr;
};

// By name, or by atom when `name` is an atom cast to a pointer (below 0x10000).
const WindowClass* platformFindClass(LPCSTR name);
const WindowClass* platformFindClassByName(const std::string& name);
void platformResetClasses();
