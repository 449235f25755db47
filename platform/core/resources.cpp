// The system's stock icon and cursor. The program has no resources of its own, so a
// request with an instance, or for any other icon or cursor, finds nothing.
#include "platform/core/failure_injection.h"
#include "platform/core/handles.h"
#include "platform/platform.h"

namespace {
const uintptr_t kApplicationIcon = (static_cast<uintptr_t>(HandleKind::Icon) << 24) | 1;
const uintptr_t kArrowCursor = (static_cast<uintptr_t>(HandleKind::Cursor) << 24) | 1;
}  // namespace

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (platformInjectedFailure("LoadIconA")) return nullptr;
  if (instance != nullptr || name != IDI_APPLICATION) return nullptr;
  return asHandle<HICON>(kApplicationIcon);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (platformInjectedFailure("LoadCursorA")) return nullptr;
  if (instance != nullptr || name != IDC_ARROW) return nullptr;
  return asHandle<HCURSOR>(kArrowCursor);
}
