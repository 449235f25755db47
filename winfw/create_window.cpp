// One attempt at the framework window: class, window, device context, pixel format,
// rendering context. Opening (open_window.cpp) calls it once, or twice for the retry.
#include "pixfmt/pixfmt.h"
#include "winfw/state.h"
#include "winfw/window.h"

namespace {

// The system-colour count that palette realisation sets and restores: 21 on the one NT
// release whose USER knows only 21 colours (3.5 and 3.51), 25 everywhere else.
void setSysColourCountFromVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  wfSysColourCount = 25;
  if (!GetVersionExA(&version)) return;
  if (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 3 &&
      (version.dwMinorVersion == 5 || version.dwMinorVersion == 51)) {
    wfSysColourCount = 21;
  }
}

// Destroys the half-made window; its WM_DESTROY runs the teardown. Should the system not
// deliver that (the destruction refused), the teardown runs here, so that a failed attempt
// always leaves every handle and slot null.
int32_t failAttempt() {
  DestroyWindow(wfWindow);
  if (wfWindow != nullptr) wfReleaseWindow();
  return 0;
}

unsigned long handleValue(const void* handle) {
  return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace

int32_t wfCreateWindow(const void* title, bool wide) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  setSysColourCountFromVersion();

  if (!wfRegisterWindowClass(wide)) {
    wfReportError("Failed to register window class\n");
    return 0;
  }

  // The requested client area grown by the frame and caption to the outer window.
  RECT rect{wfClientX, wfClientY, wfClientX + wfClientWidth, wfClientY + wfClientHeight};
  AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  const int x = wfDefaultPlacement ? CW_USEDEFAULT : rect.left;
  const int y = wfDefaultPlacement ? CW_USEDEFAULT : rect.top;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (wide) {
    wfWindow = CreateWindowExW(0, wfClassNameWide, static_cast<const WCHAR*>(title), style, x,
                               y, width, height, nullptr, nullptr, instance, nullptr);
  } else {
    wfWindow = CreateWindowExA(0, wfClassName, static_cast<const char*>(title), style, x, y,
                               width, height, nullptr, nullptr, instance, nullptr);
  }
  if (wfWindow == nullptr) {
    wfReportError("create window failed\n");
    return 0;
  }

  // Placed by the system: learn where the client area landed.
  if (wfDefaultPlacement) {
    RECT placed{0, 0, 0, 0};
    if (GetWindowRect(wfWindow, &placed)) {
      wfClientX = placed.left + GetSystemMetrics(SM_CXFRAME);
      wfClientY = placed.top - GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION) +
                  GetSystemMetrics(SM_CYFRAME);
    }
  }

  wfDeviceContext = GetDC(wfWindow);
  if (wfDeviceContext == nullptr) {
    wfReportError("Could not get an HDC for window 0x%08lX\n", handleValue(wfWindow));
    return failAttempt();
  }

  // Visible from here on, before it has a pixel format or a rendering context.
  ShowWindow(wfWindow, SW_SHOWDEFAULT);

  if (!wfSetupPixelFormat(wfDeviceContext, wfDisplayMode)) return failAttempt();

  wfRenderContext = wglCreateContext(wfDeviceContext);
  if (wfRenderContext == nullptr) {
    wfReportError("wglCreateContext Failed\n");
    return failAttempt();
  }
  if (!wglMakeCurrent(wfDeviceContext, wfRenderContext)) {
    wfReportError("wglMakeCurrent Failed\n");
    return failAttempt();
  }
  return 1;
}
