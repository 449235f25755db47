// OpenGL rendering contexts (WGL): records over the driver's contexts.
#include "platform/core/render_contexts.h"

#include <memory>

#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"
#include "platform/core/gdi_objects.h"
#include "platform/core/handles.h"
#include "platform/core/window_records.h"

namespace {

struct ContextRecord {
  DriverContext* driverContext = nullptr;
  int pixelFormat = 0;  // the format of the device context it was made for
};

HandleTable<ContextRecord> contexts(HandleKind::RenderContext);
HGLRC current = nullptr;

DriverWindow* driverWindowOf(const DeviceContextRecord& dc) {
  const WindowRecord* window = platformFindWindow(dc.window);
  return window == nullptr ? nullptr : window->driverWindow;
}

}  // namespace

HGLRC platformCurrentContext() { return current; }

void platformResetRenderContexts() {
  contexts.clear();
  current = nullptr;
}

// Only for the device context of a window whose pixel format is set.
HGLRC wglCreateContext(HDC dc) {
  if (platformInjectedFailure("wglCreateContext")) return nullptr;
  const DeviceContextRecord* record = platformFindDeviceContext(dc);
  if (record == nullptr || record->pixelFormat == 0) return nullptr;
  DriverWindow* window = driverWindowOf(*record);
  if (window == nullptr) return nullptr;
  const int pixelFormat = record->pixelFormat;
  DriverContext* driverContext = platformDriver()->createContext(window);
  if (driverContext == nullptr) return nullptr;
  auto context = std::make_unique<ContextRecord>();
  context->driverContext = driverContext;
  context->pixelFormat = pixelFormat;
  const uintptr_t handle = contexts.add(std::move(context));
  if (handle == 0) {
    platformDriver()->deleteContext(driverContext);
    return nullptr;
  }
  return asHandle<HGLRC>(handle);
}

// A null context makes none current (the device context is then not looked at). Otherwise
// the device context must carry the pixel format the context was made for.
BOOL wglMakeCurrent(HDC dc, HGLRC context) {
  if (platformInjectedFailure("wglMakeCurrent")) return FALSE;
  if (context == nullptr) {
    if (current != nullptr) platformDriver()->makeCurrent(nullptr, nullptr);
    current = nullptr;
    return TRUE;
  }
  const ContextRecord* record = contexts.find(context);
  const DeviceContextRecord* dcRecord = platformFindDeviceContext(dc);
  if (record == nullptr || dcRecord == nullptr || dcRecord->pixelFormat != record->pixelFormat)
    return FALSE;
  DriverWindow* window = driverWindowOf(*dcRecord);
  if (window == nullptr || !platformDriver()->makeCurrent(window, record->driverContext))
    return FALSE;
  current = context;
  return TRUE;
}

// Deleting the current context first makes none current.
BOOL wglDeleteContext(HGLRC context) {
  if (platformInjectedFailure("wglDeleteContext")) return FALSE;
  const ContextRecord* record = contexts.find(context);
  if (record == nullptr) return FALSE;
  if (context == current) {
    platformDriver()->makeCurrent(nullptr, nullptr);
    current = nullptr;
  }
  platformDriver()->deleteContext(record->driverContext);
  contexts.remove(context);
  return TRUE;
}
