// Call counts and injected failures, by operation name.
#include "platform/core/failure_injection.h"

#include <cstring>
#include <map>
#include <string>

namespace {

// Every operation a test may make fail: the names of platform.h's functions that can
// report a failure (ExitProcess, PostQuitMessage and Sleep cannot).
const char* const kOperations[] = {
    "GetModuleHandleA", "GetVersionExA",     "LocalAlloc",        "LocalFree",
    "RegisterClassA",   "RegisterClassW",    "CreateWindowExA",   "CreateWindowExW",
    "DestroyWindow",    "ShowWindow",        "AdjustWindowRect",  "GetWindowRect",
    "GetClientRect",    "GetDC",             "ReleaseDC",         "LoadIconA",
    "LoadCursorA",      "GetSystemMetrics",  "PeekMessageA",      "GetMessageA",
    "TranslateMessage", "DispatchMessageA",  "PostMessageA",      "SendMessageA",
    "DefWindowProcA",   "BeginPaint",        "EndPaint",          "InvalidateRect",
    "SetCapture",       "ReleaseCapture",    "GetCursorPos",      "GetFocus",
    "MessageBoxA",      "GetSysColor",       "SetSysColors",      "GetStockObject",
    "DeleteObject",     "CreatePalette",     "GetPaletteEntries", "SetPaletteEntries",
    "SelectPalette",    "UnrealizeObject",   "RealizePalette",    "SetSystemPaletteUse",
    "ChoosePixelFormat", "DescribePixelFormat", "SetPixelFormat", "GetPixelFormat",
    "SwapBuffers",      "wglCreateContext",  "wglMakeCurrent",    "wglDeleteContext",
    "RegOpenKeyExA",    "RegQueryValueExA",  "RegCloseKey",       "GetSystemPaletteUse",
};

struct OperationRecord {
  int calls = 0;
  int successesBeforeFailure = 0;
  int failuresLeft = 0;
};

std::map<std::string, OperationRecord>& records() {
  static std::map<std::string, OperationRecord> table;
  return table;
}

}  // namespace

bool platformKnowsOperation(const char* operation) {
  if (operation == nullptr) return false;
  for (const char* known : kOperations)
    if (std::strcmp(known, operation) == 0) return true;
  return false;
}

bool platformInjectedFailure(const char* operation) {
  OperationRecord& record = records()[operation];
  ++record.calls;
  if (record.failuresLeft <= 0) return false;
  if (record.successesBeforeFailure > 0) {
    --record.successesBeforeFailure;
    return false;
  }
  --record.failuresLeft;
  return true;
}

void platformFailNext(const char* operation, int times) { platformFailAfter(operation, 0, times); }

void platformFailAfter(const char* operation, int successes, int times) {
  OperationRecord& record = records()[operation];
  record.successesBeforeFailure = successes;
  record.failuresLeft = times;
}

int platformCallCount(const char* operation) {
  auto it = records().find(operation);
  return it == records().end() ? 0 : it->second.calls;
}

void platformResetFailures() { records().clear(); }
