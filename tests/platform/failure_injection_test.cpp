// Failure injection: any platform operation can be made to fail with its failure value,
// for as many calls as asked; calls are counted.
#include <functional>
#include <string>

#include "tests/platform/window_fixture.h"

namespace {

using FailureInjection = WindowTest;

struct Case {
  const char* operation;
  std::function<intptr_t()> call;
  intptr_t failureValue;
};

TEST_F(FailureInjection, EveryOperationFailsWithItsFailureValueWhenAsked) {
  platformtest::setRegistryString("Control Panel\\Colors", "Menu", "1 2 3");
  HWND window = createWindow();
  ShowWindow(window, SW_SHOWDEFAULT);
  HDC dc = GetDC(window);
  HPALETTE palette = makePalette({{1, 2, 3, 0}});
  PIXELFORMATDESCRIPTOR descriptor = {};
  descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  RECT rect{0, 0, 1, 1};
  MSG msg = {window, WM_USER, 0, 0, 0, {0, 0}};
  POINT point;
  PAINTSTRUCT paint;
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  WNDCLASSA narrow = {};
  narrow.lpfnWndProc = DefWindowProcA;
  narrow.lpszClassName = "Fresh";
  WNDCLASSW wide = {};
  wide.lpfnWndProc = DefWindowProcA;
  wide.lpszClassName = u"FreshWide";
  HKEY key = nullptr;
  auto openKey = [&] {
    return RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key);
  };
  const intptr_t gdiError = static_cast<intptr_t>(GDI_ERROR);
  const int indices[] = {1};
  const COLORREF colours[] = {0};
  auto h = [](const void* p) { return reinterpret_cast<intptr_t>(p); };

  const std::vector<Case> cases = {
      {"GetModuleHandleA", [&] { return h(GetModuleHandleA(nullptr)); }, 0},
      {"GetVersionExA", [&] { return intptr_t(GetVersionExA(&version)); }, 0},
      {"LocalAlloc",
       [&] {
         void* block = LocalAlloc(LPTR, 8);
         LocalFree(block);
         return h(block);
       },
       0},
      {"RegisterClassA", [&] { return intptr_t(RegisterClassA(&narrow)); }, 0},
      {"RegisterClassW", [&] { return intptr_t(RegisterClassW(&wide)); }, 0},
      {"CreateWindowExA", [&] { return h(createWindow()); }, 0},
      {"CreateWindowExW",
       [&] {
         return h(CreateWindowExW(0, u"Recorder", u"w", 0, 0, 0, 9, 9, nullptr, nullptr, nullptr,
                                  nullptr));
       },
       0},
      {"ShowWindow", [&] { return intptr_t(ShowWindow(window, SW_SHOWDEFAULT)); }, 0},
      {"AdjustWindowRect", [&] { return intptr_t(AdjustWindowRect(&rect, 0, FALSE)); }, 0},
      {"GetWindowRect", [&] { return intptr_t(GetWindowRect(window, &rect)); }, 0},
      {"GetClientRect", [&] { return intptr_t(GetClientRect(window, &rect)); }, 0},
      {"GetDC", [&] { return h(GetDC(window)); }, 0},
      {"ReleaseDC", [&] { return intptr_t(ReleaseDC(window, dc)); }, 0},
      {"LoadIconA", [&] { return h(LoadIconA(nullptr, IDI_APPLICATION)); }, 0},
      {"LoadCursorA", [&] { return h(LoadCursorA(nullptr, IDC_ARROW)); }, 0},
      {"PeekMessageA",
       [&] {
         PostMessageA(window, WM_USER, 0, 0);
         return intptr_t(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
       },
       0},
      {"GetMessageA",
       [&] {
         PostMessageA(window, WM_USER, 0, 0);
         return intptr_t(GetMessageA(&msg, nullptr, 0, 0));
       },
       -1},
      {"TranslateMessage",
       [&] {
         MSG key = {window, WM_KEYDOWN, 'A', 1, 0, {0, 0}};
         return intptr_t(TranslateMessage(&key));
       },
       0},
      {"PostMessageA", [&] { return intptr_t(PostMessageA(window, WM_USER, 0, 0)); }, 0},
      {"SetCapture",
       [&] {
         ReleaseCapture();
         SetCapture(window);
         return h(SetCapture(window));
       },
       0},
      {"ReleaseCapture", [&] { return intptr_t(ReleaseCapture()); }, 0},
      {"GetCursorPos", [&] { return intptr_t(GetCursorPos(&point)); }, 0},
      {"GetFocus", [&] { return h(GetFocus()); }, 0},
      {"BeginPaint", [&] { return h(BeginPaint(window, &paint)); }, 0},
      {"EndPaint", [&] { return intptr_t(EndPaint(window, &paint)); }, 0},
      {"InvalidateRect", [&] { return intptr_t(InvalidateRect(window, nullptr, FALSE)); }, 0},
      {"MessageBoxA", [&] { return intptr_t(MessageBoxA(window, "t", "c", MB_OK)); }, 0},
      {"SetSysColors", [&] { return intptr_t(SetSysColors(1, indices, colours)); }, 0},
      {"GetStockObject", [&] { return h(GetStockObject(BLACK_BRUSH)); }, 0},
      {"CreatePalette", [&] { return h(makePalette({{1, 1, 1, 0}})); }, 0},
      {"GetPaletteEntries", [&] { return intptr_t(GetPaletteEntries(palette, 0, 0, nullptr)); }, 0},
      {"SelectPalette", [&] { return h(SelectPalette(dc, palette, FALSE)); }, 0},
      {"UnrealizeObject", [&] { return intptr_t(UnrealizeObject(palette)); }, 0},
      {"RealizePalette", [&] { return intptr_t(RealizePalette(dc)); }, gdiError},
      {"ChoosePixelFormat", [&] { return intptr_t(ChoosePixelFormat(dc, &descriptor)); }, 0},
      {"DescribePixelFormat",
       [&] { return intptr_t(DescribePixelFormat(dc, 1, sizeof descriptor, &descriptor)); }, 0},
      {"SetPixelFormat", [&] { return intptr_t(SetPixelFormat(dc, 1, &descriptor)); }, 0},
      {"GetPixelFormat", [&] { return intptr_t(GetPixelFormat(dc)); }, 0},
      {"wglCreateContext", [&] { return h(wglCreateContext(dc)); }, 0},
      {"wglMakeCurrent", [&] { return intptr_t(wglMakeCurrent(nullptr, nullptr)); }, 0},
      {"SwapBuffers", [&] { return intptr_t(SwapBuffers(dc)); }, 0},
      {"RegOpenKeyExA", [&] { return intptr_t(openKey() == ERROR_SUCCESS); }, 0},
      {"RegQueryValueExA",
       [&] {
         openKey();
         DWORD bytes = 0;
         const LSTATUS status = RegQueryValueExA(key, "Menu", nullptr, nullptr, nullptr, &bytes);
         RegCloseKey(key);
         return intptr_t(status == ERROR_SUCCESS);
       },
       0},
      {"DeleteObject", [&] { return intptr_t(DeleteObject(makePalette({{1, 1, 1, 0}}))); }, 0},
      {"DestroyWindow", [&] { return intptr_t(DestroyWindow(createWindow())); }, 0},
  };

  for (const Case& each : cases) {
    platformtest::failNext(each.operation);
    EXPECT_EQ(each.call(), each.failureValue) << each.operation << " injected";
  }
  // SetPixelFormat went first among the format calls so the real one below can still set.
  for (const Case& each : cases) {
    EXPECT_NE(each.call(), each.failureValue) << each.operation << " after the failure";
  }
}

TEST_F(FailureInjection, FailuresLastForTheCallsAskedAndCallsAreCounted) {
  HDC dc = platformtest::createDeviceContext();
  HPALETTE palette = makePalette({{1, 2, 3, 0}});
  const int before = platformtest::callCount("SelectPalette");
  platformtest::failNext("SelectPalette", 2);
  EXPECT_EQ(SelectPalette(dc, palette, FALSE), nullptr);
  EXPECT_EQ(SelectPalette(dc, palette, FALSE), nullptr);
  EXPECT_NE(SelectPalette(dc, palette, FALSE), nullptr);
  EXPECT_EQ(platformtest::callCount("SelectPalette"), before + 3);
}

TEST_F(FailureInjection, TheCoresOwnUseIsNotCounted) {
  HWND window = createWindow();  // the frame metrics are read, but not through the API
  EXPECT_EQ(platformtest::callCount("GetSystemMetrics"), 0);
  platformNotifyCloseRequest(window);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
  DispatchMessageA(&msg);  // the default processing destroys it
  EXPECT_EQ(platformtest::callCount("DestroyWindow"), 0);
  EXPECT_EQ(countOf(window, WM_NCDESTROY), 1);
}

TEST_F(FailureInjection, TheDriverFailsWhereItIsAsked) {
  HWND window = createWindow();
  HDC dc = GetDC(window);
  platformtest::failDriverNext("setFormat");
  EXPECT_FALSE(SetPixelFormat(dc, 1, nullptr));
  EXPECT_EQ(GetPixelFormat(dc), 0);
  ASSERT_TRUE(SetPixelFormat(dc, 1, nullptr));
  platformtest::failDriverNext("createContext");
  EXPECT_EQ(wglCreateContext(dc), nullptr);
  HGLRC context = wglCreateContext(dc);
  ASSERT_NE(context, nullptr);
  platformtest::failDriverNext("makeCurrent");
  EXPECT_FALSE(wglMakeCurrent(dc, context));
  EXPECT_EQ(platformtest::currentContext(), nullptr);
}

TEST_F(FailureInjection, AnUnknownOperationNameIsATestMistake) {
  EXPECT_DEATH(platformtest::failNext("SelectPallete"), "no platform operation");
}

}  // namespace
