// The message queue: posted messages first in first out, WM_QUIT, WM_PAINT only when
// nothing else waits and once per invalid region, filters, PM_NOREMOVE, blocking, key
// translation and broadcasts.
#include "tests/platform/window_fixture.h"

namespace {

class MessageQueue : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = createWindow();
    ShowWindow(window, SW_SHOWDEFAULT);  // leaves it invalid: a WM_PAINT is due
  }

  UINT next(UINT removeFlags = PM_REMOVE, HWND filter = nullptr, UINT min = 0, UINT max = 0) {
    MSG msg;
    return PeekMessageA(&msg, filter, min, max, removeFlags) ? msg.message : WM_NULL;
  }

  void validate() {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
  }

  HWND window = nullptr;
};

TEST_F(MessageQueue, PostedMessagesComeFirstInOrderThenQuitThenPaint) {
  PostMessageA(window, WM_USER + 1, 0, 0);
  PostQuitMessage(7);
  PostMessageA(window, WM_USER + 2, 0, 0);
  EXPECT_EQ(next(), static_cast<UINT>(WM_USER + 1));
  EXPECT_EQ(next(), static_cast<UINT>(WM_USER + 2));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(next(), static_cast<UINT>(WM_PAINT));
}

TEST_F(MessageQueue, OnePaintPerInvalidRegionUntilItIsValidated) {
  InvalidateRect(window, nullptr, FALSE);
  InvalidateRect(window, nullptr, FALSE);
  EXPECT_EQ(next(), static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(next(), static_cast<UINT>(WM_PAINT));  // taking it does not validate
  validate();
  EXPECT_EQ(next(), static_cast<UINT>(WM_NULL));
  InvalidateRect(window, nullptr, FALSE);
  EXPECT_EQ(next(), static_cast<UINT>(WM_PAINT));
  MSG msg = {window, WM_PAINT, 0, 0, 0, {0, 0}};
  DispatchMessageA(&msg);  // the default processing validates
  EXPECT_EQ(next(), static_cast<UINT>(WM_NULL));
}

TEST_F(MessageQueue, AHiddenWindowIsNotPainted) {
  HWND hidden = createWindow();
  InvalidateRect(hidden, nullptr, FALSE);
  validate();
  EXPECT_EQ(next(), static_cast<UINT>(WM_NULL));
}

TEST_F(MessageQueue, NoRemoveLeavesTheMessageWaiting) {
  validate();
  PostMessageA(window, WM_USER, 1, 2);
  EXPECT_EQ(next(PM_NOREMOVE), static_cast<UINT>(WM_USER));
  EXPECT_EQ(next(PM_NOREMOVE), static_cast<UINT>(WM_USER));
  EXPECT_EQ(next(PM_REMOVE), static_cast<UINT>(WM_USER));
  EXPECT_EQ(next(PM_REMOVE), static_cast<UINT>(WM_NULL));
}

TEST_F(MessageQueue, FiltersPickByWindowAndByRange) {
  HWND other = createWindow();
  ShowWindow(other, SW_SHOWDEFAULT);
  PostMessageA(other, WM_USER + 5, 0, 0);
  PostMessageA(window, WM_USER + 9, 0, 0);
  PostMessageA(window, WM_USER, 0, 0);
  PostQuitMessage(0);

  // The paint of this window is found past the others' messages when it is what is asked.
  EXPECT_EQ(next(PM_NOREMOVE, window, WM_PAINT, WM_PAINT), static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(next(PM_NOREMOVE, window, WM_USER, WM_USER), static_cast<UINT>(WM_USER));
  EXPECT_EQ(next(PM_REMOVE, window, 0, 0), static_cast<UINT>(WM_USER + 9));
  EXPECT_EQ(next(PM_REMOVE, nullptr, WM_USER + 1, WM_USER + 8), static_cast<UINT>(WM_USER + 5));
  EXPECT_EQ(next(PM_REMOVE, window, WM_QUIT, WM_QUIT), static_cast<UINT>(WM_NULL));
  EXPECT_EQ(next(PM_REMOVE, nullptr, WM_QUIT, WM_QUIT), static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(next(PM_REMOVE, nullptr, 0, 0), static_cast<UINT>(WM_USER));
}

TEST_F(MessageQueue, GetMessageReturnsZeroForQuitAndWaitsForTheDriver) {
  validate();
  platformtest::queueDriverEvent([this] { platformPostKeyDown(window, VK_LEFT, 0); });
  MSG msg;
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);  // the pump before waiting reports it
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_LEFT));

  PostQuitMessage(0);
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
}

TEST_F(MessageQueue, TheDriverIsPumpedBeforeTheQueueIsLookedAt) {
  validate();
  platformtest::queueDriverEvent([this] { platformNotifyExposed(window); });
  EXPECT_EQ(next(PM_NOREMOVE), static_cast<UINT>(WM_PAINT));
}

TEST_F(MessageQueue, AKeyThatTypesACharacterIsFollowedByItsCharacterFirst) {
  validate();
  platformPostKeyDown(window, 'A', 'a');
  platformPostKeyDown(window, VK_F1, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_TRUE(TranslateMessage(&msg));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('a'));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_F1));
  EXPECT_TRUE(TranslateMessage(&msg));  // a key message, though it types nothing
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  MSG notAKey = {window, WM_USER, 0, 0, 0, {0, 0}};
  EXPECT_FALSE(TranslateMessage(&notAKey));
}

TEST_F(MessageQueue, MouseInputCarriesClientPositionAndButtons) {
  validate();
  platformPostMouse(window, WM_LBUTTONUP, -3, 900, MK_SHIFT);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONUP));
  EXPECT_EQ(GET_X_LPARAM(msg.lParam), -3);
  EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 900);
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(MK_SHIFT));
}

TEST_F(MessageQueue, ABroadcastReachesEveryWindowAndIsRecordedOnce) {
  validate();
  HWND other = createWindow();
  ASSERT_TRUE(PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, window, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSCOLORCHANGE));
  ASSERT_TRUE(PeekMessageA(&msg, other, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSCOLORCHANGE));
  const auto& posted = platformtest::postedMessages();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].hwnd, HWND_BROADCAST);
  EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x01000077)), WM_USER,
                            0, 0));
}

TEST_F(MessageQueue, DispatchingAndSendingCallTheWindowProcedure) {
  reactions()[WM_USER] = [](HWND, WPARAM wParam, LPARAM lParam) -> LRESULT {
    return static_cast<LRESULT>(wParam + lParam);
  };
  MSG msg = {window, WM_USER, 40, 2, 0, {0, 0}};
  EXPECT_EQ(DispatchMessageA(&msg), 42);
  EXPECT_EQ(SendMessageA(window, WM_USER, 1, 1), 2);
  EXPECT_EQ(SendMessageA(nullptr, WM_USER, 1, 1), 0);
}

}  // namespace
