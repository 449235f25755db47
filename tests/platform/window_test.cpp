// Window classes, window records, and the messages that creating, showing and destroying a
// window send into its procedure.
#include <string>

#include "tests/platform/window_fixture.h"

namespace {

using Windows = WindowTest;

TEST_F(Windows, AClassNameIsRegisteredOnceWhicheverFormAndCase) {
  WNDCLASSA narrow = {};
  narrow.lpfnWndProc = DefWindowProcA;
  narrow.lpszClassName = "RECORDER";
  EXPECT_EQ(RegisterClassA(&narrow), 0);
  WNDCLASSW wide = {};
  wide.lpfnWndProc = DefWindowProcA;
  wide.lpszClassName = u"recorder";
  EXPECT_EQ(RegisterClassW(&wide), 0);
  wide.lpszClassName = u"Other";
  EXPECT_NE(RegisterClassW(&wide), 0);
  narrow.lpszClassName = "other";
  EXPECT_EQ(RegisterClassA(&narrow), 0);
}

TEST_F(Windows, CreationSendsNcCreateThenCreateInsideTheCall) {
  HWND seenInCreate = nullptr;
  reactions()[WM_CREATE] = [&](HWND window, WPARAM, LPARAM lParam) -> LRESULT {
    seenInCreate = window;
    const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    EXPECT_STREQ(create->lpszName, "Hello");
    EXPECT_EQ(create->cx, 200);
    return 0;
  };
  HWND window = createWindow("Hello");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(seenInCreate, window);
  EXPECT_EQ(messagesFor(window), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
  platformtest::HeadlessWindow native;
  ASSERT_TRUE(platformtest::headlessWindow(window, &native));
  EXPECT_EQ(native.title, "Hello");
  EXPECT_FALSE(native.visible);
}

TEST_F(Windows, AWindowThatRefusesCreationIsGone) {
  reactions()[WM_CREATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; };
  EXPECT_EQ(createWindow(), nullptr);
  ASSERT_EQ(received().size(), 4u);
  const HWND refused = received()[0].window;
  EXPECT_EQ(messagesFor(refused),
            (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
  RECT rect;
  EXPECT_FALSE(GetClientRect(refused, &rect));

  received().clear();
  reactions()[WM_NCCREATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return FALSE; };
  EXPECT_EQ(createWindow(), nullptr);
  EXPECT_EQ(messagesFor(received()[0].window), (std::vector<UINT>{WM_NCCREATE, WM_NCDESTROY}));
}

TEST_F(Windows, WhenTheDriverCannotCreateTheWindowItIsDestroyedAgain) {
  platformtest::failDriverNext("createWindow");
  EXPECT_EQ(createWindow(), nullptr);
  ASSERT_FALSE(received().empty());
  EXPECT_EQ(messagesFor(received()[0].window),
            (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_NE(createWindow(), nullptr);
}

TEST_F(Windows, AnUnknownClassCreatesNothing) {
  EXPECT_EQ(CreateWindowExA(0, "Nobody", "x", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  EXPECT_TRUE(received().empty());
}

TEST_F(Windows, TheFrameAndCaptionMetricsGrowTheWindowAroundItsClientArea) {
  platformtest::setSystemMetric(SM_CXFRAME, 4);
  platformtest::setSystemMetric(SM_CYFRAME, 5);
  platformtest::setSystemMetric(SM_CYBORDER, 1);
  platformtest::setSystemMetric(SM_CYCAPTION, 19);
  RECT rect{0, 0, 985, 730};
  ASSERT_TRUE(AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE));
  EXPECT_EQ(rect.left, -4);
  EXPECT_EQ(rect.top, -(5 + 19 - 1));
  EXPECT_EQ(rect.right, 985 + 4);
  EXPECT_EQ(rect.bottom, 730 + 5);

  HWND window = CreateWindowExA(0, "Recorder", "x", WS_OVERLAPPEDWINDOW, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                nullptr, nullptr);
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right, 985);
  EXPECT_EQ(client.bottom, 730);
  RECT outer;
  ASSERT_TRUE(GetWindowRect(window, &outer));
  EXPECT_EQ(outer.left, rect.left);
  EXPECT_EQ(outer.bottom, rect.bottom);
  platformtest::HeadlessWindow native;
  ASSERT_TRUE(platformtest::headlessWindow(window, &native));
  EXPECT_EQ(native.clientX, 0);
  EXPECT_EQ(native.clientY, 0);
  EXPECT_EQ(native.width, 985);
  EXPECT_EQ(native.height, 730);
}

TEST_F(Windows, ShowingSendsSizePlaceAndActivationInsideTheCall) {
  HWND window = createWindow();
  received().clear();
  EXPECT_FALSE(ShowWindow(window, SW_SHOWDEFAULT));  // was hidden
  // A first showing: size before place, as the system sends them.
  EXPECT_EQ(messagesFor(window),
            (std::vector<UINT>{WM_SHOWWINDOW, WM_SIZE, WM_MOVE, WM_ACTIVATE}));
  EXPECT_EQ(received()[1].lParam, MAKELPARAM(200, 100));
  EXPECT_EQ(received()[2].lParam, MAKELPARAM(40, 50));
  EXPECT_EQ(LOWORD(received()[3].wParam), WA_ACTIVE);
  EXPECT_EQ(GetFocus(), window);
  EXPECT_TRUE(ShowWindow(window, SW_SHOWDEFAULT));  // now visible
}

TEST_F(Windows, ASystemPlacedWindowLearnsWhereItLanded) {
  platformtest::setSystemPlacement(70, 90);
  HWND window = CreateWindowExA(0, "Recorder", "x", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOWDEFAULT);
  RECT outer;
  ASSERT_TRUE(GetWindowRect(window, &outer));
  EXPECT_EQ(outer.left, 70);  // no frame metrics: the client area is the window
  EXPECT_EQ(outer.top, 90);
  EXPECT_EQ(countOf(window, WM_MOVE), 1);
}

TEST_F(Windows, DestroyingDeactivatesThenSendsDestroyThenNcDestroyAndTheHandleDies) {
  HWND window = createWindow();
  ShowWindow(window, SW_SHOWDEFAULT);
  HDC dc = GetDC(window);
  PostMessageA(window, WM_USER, 0, 0);
  bool validInDestroy = false;
  reactions()[WM_DESTROY] = [&](HWND w, WPARAM, LPARAM) -> LRESULT {
    RECT rect;
    validInDestroy = GetClientRect(w, &rect) && ReleaseDC(w, dc) == 1;
    EXPECT_FALSE(DestroyWindow(w));  // already on its way out
    return 0;
  };
  received().clear();
  ASSERT_TRUE(DestroyWindow(window));
  EXPECT_EQ(messagesFor(window), (std::vector<UINT>{WM_ACTIVATE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(LOWORD(received()[0].wParam), WA_INACTIVE);
  EXPECT_TRUE(validInDestroy);
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_EQ(GetDC(window), nullptr);
  EXPECT_EQ(GetPixelFormat(dc), 0);
  EXPECT_EQ(GetFocus(), nullptr);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // its WM_USER went with it
  EXPECT_FALSE(platformtest::headlessWindow(window, nullptr));
}

TEST_F(Windows, CloseByDefaultDestroysTheWindow) {
  HWND window = createWindow();
  platformNotifyCloseRequest(window);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
  DispatchMessageA(&msg);
  EXPECT_EQ(countOf(window, WM_DESTROY), 1);
  EXPECT_FALSE(DestroyWindow(window));
}

TEST_F(Windows, EachWindowHasOneDeviceContext) {
  HWND first = createWindow();
  HWND second = createWindow();
  HDC dc = GetDC(first);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDC(first), dc);
  EXPECT_NE(GetDC(second), dc);
  EXPECT_EQ(ReleaseDC(first, dc), 1);
  EXPECT_EQ(ReleaseDC(second, dc), 0);
  EXPECT_EQ(GetDC(first), dc);  // released, still the window's
}

TEST_F(Windows, TheStockIconAndCursorAreThereAndNothingElse) {
  EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
  EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
  EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW), nullptr);
  EXPECT_EQ(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(32515))), nullptr);
}

TEST_F(Windows, AConfigureSendsOnlyWhatChangedAndANewSizeNeedsPainting) {
  HWND window = createWindow();
  ShowWindow(window, SW_SHOWDEFAULT);
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  received().clear();
  platformNotifyConfigured(window, 40, 50, 200, 100, false);
  EXPECT_TRUE(received().empty());
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));

  platformNotifyConfigured(window, 40, 50, 400, 300, false);
  EXPECT_EQ(messagesFor(window), (std::vector<UINT>{WM_SIZE}));
  EXPECT_TRUE(PeekMessageA(&msg, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 400);

  received().clear();
  platformNotifyConfigured(window, 40, 50, 400, 300, true);
  ASSERT_EQ(messagesFor(window), (std::vector<UINT>{WM_SIZE}));
  EXPECT_EQ(received()[0].wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
  EXPECT_EQ(received()[0].lParam, MAKELPARAM(0, 0));
}

TEST_F(Windows, ActivatingAWindowDeactivatesTheOneThatHadTheFocus) {
  platformtest::setActivateOnShow(false);
  HWND first = createWindow();
  HWND second = createWindow();
  platformNotifyActivated(first, true, false);
  received().clear();
  platformNotifyActivated(second, true, false);
  ASSERT_EQ(received().size(), 2u);
  EXPECT_EQ(received()[0].window, first);
  EXPECT_EQ(LOWORD(received()[0].wParam), WA_INACTIVE);
  EXPECT_EQ(received()[1].window, second);
  EXPECT_EQ(LOWORD(received()[1].wParam), WA_ACTIVE);
  EXPECT_EQ(GetFocus(), second);

  received().clear();
  platformNotifyActivated(second, true, false);  // no change, no message
  EXPECT_TRUE(received().empty());
  platformNotifyActivated(second, false, true);
  ASSERT_EQ(received().size(), 1u);
  EXPECT_EQ(received()[0].wParam, MAKEWPARAM(WA_INACTIVE, 1));
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Windows, CaptureFollowsSetAndReleaseAndEndsWithTheWindow) {
  HWND window = createWindow();
  EXPECT_EQ(SetCapture(window), nullptr);
  EXPECT_EQ(platformtest::pointerGrabWindow(), window);
  EXPECT_EQ(SetCapture(window), window);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(platformtest::captureWindow(), nullptr);
  EXPECT_EQ(platformtest::pointerGrabWindow(), nullptr);

  SetCapture(window);
  DestroyWindow(window);
  EXPECT_EQ(platformtest::captureWindow(), nullptr);
  EXPECT_EQ(platformtest::pointerGrabWindow(), nullptr);
}

TEST_F(Windows, AForegroundRealisationThatChangesColoursTellsEveryWindow) {
  platformtest::setPaletteDevice(true);
  HWND first = createWindow();
  HWND second = createWindow();
  HDC dc = GetDC(first);
  HPALETTE palette = makePalette({{1, 2, 3, PC_NOCOLLAPSE}});
  SelectPalette(dc, palette, FALSE);
  received().clear();
  ASSERT_EQ(RealizePalette(dc), 1u);
  ASSERT_EQ(received().size(), 2u);
  for (const Received& each : received()) {
    EXPECT_EQ(each.message, static_cast<UINT>(WM_PALETTECHANGED));
    EXPECT_EQ(each.wParam, reinterpret_cast<WPARAM>(first));
  }
  received().clear();
  EXPECT_EQ(RealizePalette(dc), 0u);
  EXPECT_TRUE(received().empty());

  HPALETTE other = makePalette({{9, 8, 7, PC_NOCOLLAPSE}});
  SelectPalette(GetDC(second), other, TRUE);
  EXPECT_EQ(RealizePalette(GetDC(second)), 1u);  // in the background: nobody is told
  EXPECT_TRUE(received().empty());
}

TEST_F(Windows, RenderingContextsNeedAFormatAndFollowTheCurrentOne) {
  HWND window = createWindow();
  HDC dc = GetDC(window);
  EXPECT_EQ(wglCreateContext(dc), nullptr);  // no pixel format yet
  ASSERT_TRUE(SetPixelFormat(dc, 2, nullptr));
  platformtest::HeadlessWindow native;
  ASSERT_TRUE(platformtest::headlessWindow(window, &native));
  EXPECT_EQ(native.format, 2);

  HGLRC context = wglCreateContext(dc);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(platformtest::liveContextCount(), 1);
  ASSERT_TRUE(wglMakeCurrent(dc, context));
  EXPECT_EQ(platformtest::currentContext(), context);
  EXPECT_TRUE(platformtest::contextCurrent());
  EXPECT_TRUE(wglDeleteContext(context));
  EXPECT_EQ(platformtest::currentContext(), nullptr);
  EXPECT_FALSE(platformtest::contextCurrent());
  EXPECT_EQ(platformtest::liveContextCount(), 0);
  EXPECT_FALSE(wglDeleteContext(context));
  EXPECT_FALSE(wglMakeCurrent(dc, context));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
}

TEST_F(Windows, SwappingCountsAndSucceedsOnlyForAWindowWithAFormat) {
  HWND window = createWindow();
  HDC dc = GetDC(window);
  EXPECT_FALSE(SwapBuffers(dc));
  SetPixelFormat(dc, 1, nullptr);
  EXPECT_TRUE(SwapBuffers(dc));
  EXPECT_EQ(platformtest::swapCount(), 2);
}

TEST_F(Windows, MessageBoxesAreRecordedWithTheirOwner) {
  HWND window = createWindow();
  EXPECT_EQ(MessageBoxA(window, "text", "Warning", MB_OK), IDOK);
  ASSERT_EQ(platformtest::messageBoxes().size(), 1u);
  EXPECT_EQ(platformtest::messageBoxes()[0].owner, window);
  EXPECT_EQ(platformtest::messageBoxes()[0].caption, "Warning");
  EXPECT_EQ(platformtest::messageBoxes()[0].text, "text");
}

}  // namespace
