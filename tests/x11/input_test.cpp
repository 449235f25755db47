// Keyboard and mouse input through the X11 driver, typed and clicked with XTest.
#include "tests/x11/driver_fixture.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace x11test {
namespace {

class InputTest : public X11DriverTest {
 protected:
  // A focused window with its client area at (kLeft, kTop), the pointer inside it.
  HWND openFocusedWindow() {
    HWND window = openWindow("input", kLeft, kTop, kWidth, kHeight);
    if (window == nullptr) return nullptr;
    movePointer(display_, kLeft + 10, kTop + 10);
    if (!pumpUntil([&] { return GetFocus() == window; })) return nullptr;
    forgetReceived();
    return window;
  }

  std::vector<WPARAM> wParamsOf(UINT message) const {
    std::vector<WPARAM> values;
    for (const Received& each : receivedOf(message)) values.push_back(each.wParam);
    return values;
  }

  static constexpr int kLeft = 200;
  static constexpr int kTop = 150;
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 200;
};

TEST_F(InputTest, KeysArriveAsVirtualKeysAndTypedCharacters) {
  ASSERT_NE(openFocusedWindow(), nullptr);
  for (KeySym key : {XK_Left, XK_Up, XK_Right, XK_Down, XK_Return, XK_Escape, XK_space, XK_a,
                     XK_7, XK_F1, XK_Delete})
    tapKey(display_, key);
  pressKey(display_, XK_Shift_L);
  tapKey(display_, XK_a);
  tapKey(display_, XK_2);
  releaseKey(display_, XK_Shift_L);

  ASSERT_TRUE(pumpUntil([&] { return receivedOf(WM_KEYUP).size() == 14; }));
  const std::vector<WPARAM> downs = wParamsOf(WM_KEYDOWN);
  const std::vector<WPARAM> expectedDowns = {VK_LEFT, VK_UP,     VK_RIGHT, VK_DOWN, VK_RETURN,
                                             VK_ESCAPE, VK_SPACE, 'A',     '7',     VK_F1,
                                             VK_DELETE, VK_SHIFT, 'A',     '2'};
  EXPECT_EQ(downs, expectedDowns);
  const std::vector<WPARAM> expectedUps = {VK_LEFT, VK_UP,     VK_RIGHT, VK_DOWN, VK_RETURN,
                                           VK_ESCAPE, VK_SPACE, 'A',     '7',     VK_F1,
                                           VK_DELETE, 'A',      '2',     VK_SHIFT};
  EXPECT_EQ(wParamsOf(WM_KEYUP), expectedUps);
  // Characters: Return, Escape and space type their control codes; F1, Delete, the arrows
  // and Shift type nothing; Shift turns a into A and 2 into @ (US layout).
  const std::vector<WPARAM> expectedCharacters = {'\r', 27, ' ', 'a', '7', 'A', '@'};
  EXPECT_EQ(wParamsOf(WM_CHAR), expectedCharacters);
}

TEST_F(InputTest, CapsLockTypesUpperCaseLetters) {
  ASSERT_NE(openFocusedWindow(), nullptr);
  tapKey(display_, XK_Caps_Lock);
  tapKey(display_, XK_b);
  tapKey(display_, XK_Caps_Lock);  // off again
  tapKey(display_, XK_b);
  ASSERT_TRUE(pumpUntil([&] { return receivedOf(WM_CHAR).size() == 2; }));
  const std::vector<WPARAM> expected = {'B', 'b'};
  EXPECT_EQ(wParamsOf(WM_CHAR), expected);
}

TEST_F(InputTest, HeldKeyRepeatsAsPressesWithoutReleases) {
  ASSERT_NE(openFocusedWindow(), nullptr);
  // A quick repeat so the test stays short.
  ASSERT_TRUE(XkbSetAutoRepeatRate(display_, XkbUseCoreKbd, 100, 20));
  XkbChangeEnabledControls(display_, XkbUseCoreKbd, XkbRepeatKeysMask, XkbRepeatKeysMask);
  XSync(display_, False);
  pressKey(display_, XK_Left);
  ASSERT_TRUE(pumpUntil([&] { return receivedOf(WM_KEYDOWN).size() >= 4; }));
  releaseKey(display_, XK_Left);
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_KEYUP); }));
  pumpFor(50);
  EXPECT_EQ(receivedOf(WM_KEYUP).size(), 1u);
  for (WPARAM key : wParamsOf(WM_KEYDOWN)) EXPECT_EQ(key, static_cast<WPARAM>(VK_LEFT));
}

TEST_F(InputTest, ButtonsMapToLeftMiddleRightAndTheWheelIsIgnored) {
  ASSERT_NE(openFocusedWindow(), nullptr);
  movePointer(display_, kLeft + 30, kTop + 40);
  for (unsigned int button : {1u, 2u, 3u, 4u, 5u}) clickButton(display_, button);
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_RBUTTONUP); }));
  pumpFor(50);  // any wheel message would have arrived by now

  std::vector<UINT> buttons;
  for (const Received& each : received())
    if (each.message >= WM_LBUTTONDOWN && each.message <= WM_MBUTTONDBLCLK) {
      buttons.push_back(each.message);
      EXPECT_EQ(GET_X_LPARAM(each.lParam), 30);
      EXPECT_EQ(GET_Y_LPARAM(each.lParam), 40);
    }
  const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MBUTTONDOWN,
                                      WM_MBUTTONUP,   WM_RBUTTONDOWN, WM_RBUTTONUP};
  EXPECT_EQ(buttons, expected);
  // The button that goes down is held in its own message's key state, and no longer in
  // that of its release.
  EXPECT_EQ(receivedOf(WM_LBUTTONDOWN)[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(receivedOf(WM_LBUTTONUP)[0].wParam, 0u);
  EXPECT_EQ(receivedOf(WM_MBUTTONDOWN)[0].wParam, static_cast<WPARAM>(MK_MBUTTON));
  EXPECT_EQ(receivedOf(WM_RBUTTONDOWN)[0].wParam, static_cast<WPARAM>(MK_RBUTTON));
}

TEST_F(InputTest, MotionCarriesHeldButtonsAndModifiers) {
  ASSERT_NE(openFocusedWindow(), nullptr);
  pressKey(display_, XK_Shift_L);
  pressKey(display_, XK_Control_L);
  pressButton(display_, 3);
  movePointer(display_, kLeft + 50, kTop + 60);
  ASSERT_TRUE(pumpUntil([&] {
    auto moves = receivedOf(WM_MOUSEMOVE);
    return !moves.empty() && GET_X_LPARAM(moves.back().lParam) == 50;
  }));
  const Received move = receivedOf(WM_MOUSEMOVE).back();
  EXPECT_EQ(GET_Y_LPARAM(move.lParam), 60);
  EXPECT_EQ(move.wParam, static_cast<WPARAM>(MK_RBUTTON | MK_SHIFT | MK_CONTROL));
  releaseButton(display_, 3);
  releaseKey(display_, XK_Control_L);
  releaseKey(display_, XK_Shift_L);

  POINT cursor{};
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor.x, kLeft + 50);
  EXPECT_EQ(cursor.y, kTop + 60);
}

TEST_F(InputTest, CaptureKeepsReportingOutsideTheWindowUntilReleased) {
  HWND window = openFocusedWindow();
  ASSERT_NE(window, nullptr);
  // Press inside, capture as the framework does, release above and left of the window.
  movePointer(display_, kLeft + 5, kTop + 5);
  pressButton(display_, 1);
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_LBUTTONDOWN); }));
  SetCapture(window);
  movePointer(display_, kLeft - 20, kTop - 30);
  releaseButton(display_, 1);
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_LBUTTONUP); }));
  EXPECT_EQ(GET_X_LPARAM(receivedOf(WM_LBUTTONUP)[0].lParam), -20);
  EXPECT_EQ(GET_Y_LPARAM(receivedOf(WM_LBUTTONUP)[0].lParam), -30);

  // Without a button held the capture alone keeps motion coming, beyond the size too.
  forgetReceived();
  movePointer(display_, kLeft + kWidth + 15, kTop + kHeight + 25);
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_MOUSEMOVE); }));
  EXPECT_EQ(GET_X_LPARAM(receivedOf(WM_MOUSEMOVE).back().lParam), kWidth + 15);
  EXPECT_EQ(GET_Y_LPARAM(receivedOf(WM_MOUSEMOVE).back().lParam), kHeight + 25);

  // Released: outside the window nothing more arrives.
  ReleaseCapture();
  forgetReceived();
  movePointer(display_, kLeft + kWidth + 100, kTop + kHeight + 100);
  clickButton(display_, 1);
  pumpFor(100);
  EXPECT_FALSE(hasReceived(WM_MOUSEMOVE));
  EXPECT_FALSE(hasReceived(WM_LBUTTONUP));
}

}  // namespace
}  // namespace x11test
