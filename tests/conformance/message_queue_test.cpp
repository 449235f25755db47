// The queue as the event loop uses it: posted messages in order, peeking without removing,
// filters, the quit message, and paints only for an invalid window when nothing else waits.
#include "tests/conformance/conformance_fixture.h"

namespace conformance {
namespace {

// One shown window for the whole suite: a shown window is slow to destroy under some
// window systems (Wine waits for a window manager to withdraw it).
class Queue : public Win32Test {
 protected:
  static void TearDownTestSuite() {
    if (shared_ != nullptr) DestroyWindow(shared_);
    shared_ = nullptr;
  }
  HWND sharedWindow() {
    if (shared_ == nullptr) {
      shared_ = createWindow(20, 20, 200, 150);
      keep(shared_);
      if (shared_ != nullptr) ShowWindow(shared_, SW_SHOWDEFAULT);
    }
    pumpUntilQuiet();
    return shared_;
  }
  static HWND shared_;
};
HWND Queue::shared_ = nullptr;

constexpr UINT kFirst = WM_USER + 100;

// The next message, removed; WM_NULL when there is none.
UINT take(HWND window = nullptr, UINT filterMin = 0, UINT filterMax = 0, MSG* out = nullptr) {
  MSG message{};
  if (!PeekMessageA(&message, window, filterMin, filterMax, PM_REMOVE)) return WM_NULL;
  if (out != nullptr) *out = message;
  return message.message;
}

UINT peek(HWND window = nullptr, UINT filterMin = 0, UINT filterMax = 0) {
  MSG message{};
  if (!PeekMessageA(&message, window, filterMin, filterMax, PM_NOREMOVE)) return WM_NULL;
  return message.message;
}

TEST_F(Queue, PostedMessagesArriveInOrderAndPeekingLeavesThemThere) {
  HWND window = sharedWindow();
  ASSERT_NE(window, nullptr);
  for (UINT i = 0; i < 3; ++i) ASSERT_TRUE(PostMessageA(window, kFirst + i, i, 10 + i));
  EXPECT_EQ(peek(), kFirst);
  EXPECT_EQ(peek(), kFirst);
  MSG message{};
  EXPECT_EQ(take(nullptr, 0, 0, &message), kFirst);
  EXPECT_EQ(message.hwnd, window);
  EXPECT_EQ(message.wParam, 0u);
  EXPECT_EQ(message.lParam, 10);
  EXPECT_EQ(take(), kFirst + 1);
  EXPECT_EQ(take(), kFirst + 2);
  EXPECT_EQ(take(), static_cast<UINT>(WM_NULL));
}

TEST_F(Queue, FiltersTakeTheFirstMatchingMessageAndLeaveTheOthersInOrder) {
  HWND first = sharedWindow();
  HWND second = createWindow(300, 20, 200, 150);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  PostMessageA(first, kFirst + 1, 0, 0);
  PostMessageA(second, kFirst + 5, 0, 0);
  PostMessageA(first, kFirst + 2, 0, 0);
  PostMessageA(second, kFirst + 3, 0, 0);
  EXPECT_EQ(peek(nullptr, kFirst + 2, kFirst + 5), kFirst + 5);
  EXPECT_EQ(take(nullptr, kFirst + 2, kFirst + 3), kFirst + 2);
  MSG message{};
  EXPECT_EQ(take(second, 0, 0, &message), kFirst + 5);
  EXPECT_EQ(message.hwnd, second);
  EXPECT_EQ(take(first, kFirst + 3, kFirst + 9), static_cast<UINT>(WM_NULL));
  EXPECT_EQ(take(), kFirst + 1);
  EXPECT_EQ(take(), kFirst + 3);
  EXPECT_EQ(take(), static_cast<UINT>(WM_NULL));
}

TEST_F(Queue, QuitComesAfterThePostedMessagesAndEndsGetMessage) {
  HWND window = sharedWindow();
  ASSERT_NE(window, nullptr);
  PostMessageA(window, kFirst, 0, 0);
  PostQuitMessage(7);
  PostMessageA(window, kFirst + 1, 0, 0);
  MSG message{};
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, kFirst);
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, kFirst + 1);
  // Peeking without removing shows the quit and leaves it for GetMessageA.
  EXPECT_EQ(peek(), static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(peek(), static_cast<UINT>(WM_NULL));  // taken once, gone
}

TEST_F(Queue, AQuitFilterTakesTheQuitPastWaitingMessages) {
  HWND window = sharedWindow();
  ASSERT_NE(window, nullptr);
  PostMessageA(window, kFirst, 0, 0);
  PostQuitMessage(3);
  MSG message{};
  EXPECT_EQ(take(nullptr, WM_QUIT, WM_QUIT, &message), static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 3u);
  EXPECT_EQ(take(nullptr, WM_QUIT, WM_QUIT), static_cast<UINT>(WM_NULL));
  EXPECT_EQ(take(), kFirst);
  EXPECT_EQ(take(), static_cast<UINT>(WM_NULL));
}

TEST_F(Queue, APaintComesOnlyForAnInvalidVisibleWindowAndOnlyWhenNothingElseWaits) {
  HWND window = sharedWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(peek(), static_cast<UINT>(WM_NULL));  // shown, painted, valid: nothing due

  ASSERT_TRUE(InvalidateRect(window, nullptr, FALSE));
  PostMessageA(window, kFirst, 0, 0);
  PostQuitMessage(0);
  EXPECT_EQ(take(), kFirst);
  EXPECT_EQ(take(), static_cast<UINT>(WM_QUIT));
  // Taking a paint does not validate: it is offered until the window is painted.
  MSG message{};
  EXPECT_EQ(take(nullptr, 0, 0, &message), static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(message.hwnd, window);
  EXPECT_EQ(peek(nullptr, WM_PAINT, WM_PAINT), static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(take(), static_cast<UINT>(WM_PAINT));
  forgetReceived();
  DispatchMessageA(&message);  // the default processing paints, and so validates
  EXPECT_EQ(messagesOf({WM_PAINT}), std::vector<UINT>{WM_PAINT});
  EXPECT_EQ(peek(), static_cast<UINT>(WM_NULL));

  // A hidden window gets no paint however invalid it is.
  HWND hidden = createWindow(400, 300, 100, 100);
  ASSERT_NE(hidden, nullptr);
  InvalidateRect(hidden, nullptr, TRUE);
  EXPECT_EQ(peek(hidden, WM_PAINT, WM_PAINT), static_cast<UINT>(WM_NULL));
}

TEST_F(Queue, APaintLeftInvalidIsOfferedAgain) {
  HWND window = sharedWindow();
  ASSERT_NE(window, nullptr);
  leavePaintsInvalid(true);
  InvalidateRect(window, nullptr, FALSE);
  MSG message{};
  ASSERT_EQ(take(nullptr, 0, 0, &message), static_cast<UINT>(WM_PAINT));
  DispatchMessageA(&message);  // answered without painting
  EXPECT_EQ(peek(), static_cast<UINT>(WM_PAINT));
  leavePaintsInvalid(false);
  pumpUntilQuiet(50);
  EXPECT_EQ(peek(), static_cast<UINT>(WM_NULL));
}

}  // namespace
}  // namespace conformance
