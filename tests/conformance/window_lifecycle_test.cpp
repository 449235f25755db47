// What creating, showing and destroying a window send into its procedure, in what order
// and with what arguments; where the window lands; pointer capture.
#include "tests/conformance/conformance_fixture.h"

namespace conformance {
namespace {

using Lifecycle = Win32Test;

TEST_F(Lifecycle, CreatingSendsCreationInsideTheCallAndPlacesTheWindowAsAsked) {
  HWND window = createWindow(40, 50, 320, 240);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(messagesOf(kLifecycleMessages), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
  for (const Received& each : receivedOf({WM_NCCREATE, WM_CREATE})) {
    EXPECT_EQ(each.createName, "conformance");
    EXPECT_EQ(each.createStyle & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
  }
  // The outer rectangle grown from the client area by AdjustWindowRect is where the window
  // is, and the frame metrics lead back to the client area.
  RECT outer{};
  ASSERT_TRUE(GetWindowRect(window, &outer));
  const POINT origin = clientOrigin(outer);
  EXPECT_EQ(origin.x, 40);
  EXPECT_EQ(origin.y, 50);
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right - client.left, 320);
  EXPECT_EQ(client.bottom - client.top, 240);
}

// An overlapped window learns its client size and place when it is first shown: size
// first, then place. Activation follows, inside the call on Windows, when the window
// system reports the focus on X (see platform/README.md).
TEST_F(Lifecycle, ShowingSendsShowWindowThenSizeThenPlaceAndActivates) {
  HWND window = createWindow(40, 50, 320, 240);
  ASSERT_NE(window, nullptr);
  forgetReceived();
  EXPECT_FALSE(ShowWindow(window, SW_SHOWDEFAULT));  // it was hidden
  EXPECT_EQ(messagesOf({WM_SHOWWINDOW, WM_SIZE, WM_MOVE}),
            (std::vector<UINT>{WM_SHOWWINDOW, WM_SIZE, WM_MOVE}));
  const std::vector<Received> sent = receivedOf({WM_SHOWWINDOW, WM_SIZE, WM_MOVE});
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].wParam, static_cast<WPARAM>(TRUE));
  EXPECT_EQ(sent[1].wParam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(LOWORD(sent[1].lParam), 320);
  EXPECT_EQ(HIWORD(sent[1].lParam), 240);
  EXPECT_EQ(GET_X_LPARAM(sent[2].lParam), 40);
  EXPECT_EQ(GET_Y_LPARAM(sent[2].lParam), 50);
  pumpUntilQuiet();
  const std::vector<Received> activations = receivedOf({WM_ACTIVATE});
  ASSERT_EQ(activations.size(), 1u);
  EXPECT_EQ(LOWORD(activations[0].wParam), WA_ACTIVE);
  EXPECT_EQ(GetFocus(), window);
  EXPECT_FALSE(receivedOf({WM_PAINT}).empty());
  EXPECT_TRUE(ShowWindow(window, SW_SHOWDEFAULT));  // now it was visible
}

TEST_F(Lifecycle, DestroyingDeactivatesThenSendsDestroyAndNcDestroyInsideTheCall) {
  HWND window = openWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(GetFocus(), window);
  forgetReceived();
  ASSERT_TRUE(DestroyWindow(window));
  const std::vector<Received> sent = receivedOf(kLifecycleMessages);
  ASSERT_EQ(messagesOf(kLifecycleMessages),
            (std::vector<UINT>{WM_ACTIVATE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(LOWORD(sent[0].wParam), WA_INACTIVE);
  EXPECT_EQ(GetFocus(), nullptr);
  // Gone: a second destruction fails, and nothing more arrives for it.
  forgetReceived();
  EXPECT_FALSE(DestroyWindow(window));
  pumpUntilQuiet(100);
  EXPECT_TRUE(received().empty());
  EXPECT_EQ(GetDC(window), nullptr);
}

TEST_F(Lifecycle, CaptureGoesToOneWindowAndEndsWithReleaseOrDestruction) {
  HWND first = openWindow(20, 20, 200, 150);
  HWND second = openWindow(300, 20, 200, 150);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(SetCapture(first), nullptr);
  EXPECT_EQ(SetCapture(second), first);  // the previous holder
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(SetCapture(first), nullptr);  // released: nobody held it
  EXPECT_TRUE(DestroyWindow(first));
  EXPECT_EQ(SetCapture(second), nullptr);  // the destroyed holder let go
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_TRUE(ReleaseCapture());  // releasing with no capture is no error
}

}  // namespace
}  // namespace conformance
