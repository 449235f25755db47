// Windows of the X11 driver as the window system and a person see them: place, size,
// title, background, and the changes the window system reports back.
#include "tests/x11/driver_fixture.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace x11test {
namespace {

const char kTitle[] = "Diagrama Voronogo. Velmarosh k-23";

class WindowTest : public X11DriverTest {};

TEST_F(WindowTest, OpensVisibleAtTheRequestedPlaceWithTheExactClientSize) {
  HWND window = openWindow(kTitle, 40, 50, 985, 730);
  ASSERT_NE(window, nullptr);

  // Visible once the queue has been looked at: a window is mapped when its pixel format is
  // set, and one without a format when events are next pumped.
  Window native = nativeWindow(kTitle);
  ASSERT_NE(native, static_cast<Window>(None));
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display_, native, &attributes));
  EXPECT_EQ(attributes.map_state, IsViewable);
  Geometry geometry{};
  ASSERT_TRUE(windowGeometry(display_, native, &geometry));
  EXPECT_EQ(geometry.x, 40);
  EXPECT_EQ(geometry.y, 50);
  EXPECT_EQ(geometry.width, 985);
  EXPECT_EQ(geometry.height, 730);

  // The core was told the same.
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right - client.left, 985);
  EXPECT_EQ(client.bottom - client.top, 730);
  std::vector<Received> sizes = receivedOf(WM_SIZE);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(LOWORD(sizes.back().lParam), 985);
  EXPECT_EQ(HIWORD(sizes.back().lParam), 730);
  std::vector<Received> moves = receivedOf(WM_MOVE);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), 40);
  EXPECT_EQ(GET_Y_LPARAM(moves.back().lParam), 50);

  // The background is black until something is drawn.
  std::vector<Rgb> corner = readPixels(display_, native, 0, 0, 4, 4);
  ASSERT_EQ(corner.size(), 16u);
  EXPECT_EQ(corner.front(), (Rgb{0, 0, 0}));
  EXPECT_EQ(corner.back(), (Rgb{0, 0, 0}));

  // The first expose becomes a paint.
  EXPECT_TRUE(pumpUntil([&] { return hasReceived(WM_PAINT); }));
}

TEST_F(WindowTest, CarriesTheTitleClassAndCloseProtocolAWindowManagerReads) {
  const std::string title = "Voronoi \xD0\x94\xD0\xB8\xD0\xB0 \xC3\xA9";  // "Voronoi Диа é"
  ASSERT_NE(openWindow(title, 0, 0, 200, 100), nullptr);
  Window native = nativeWindow(title);
  ASSERT_NE(native, static_cast<Window>(None));
  EXPECT_EQ(netWmName(display_, native), title);
  // WM_NAME is Latin-1: é survives as its own byte, Cyrillic does not.
  EXPECT_EQ(wmName(display_, native), "Voronoi ??? \xE9");

  XClassHint hint{};
  ASSERT_TRUE(XGetClassHint(display_, native, &hint));
  EXPECT_STRNE(hint.res_name, "");
  EXPECT_STRNE(hint.res_class, "");
  XFree(hint.res_name);
  XFree(hint.res_class);

  Atom* protocols = nullptr;
  int count = 0;
  ASSERT_TRUE(XGetWMProtocols(display_, native, &protocols, &count));
  ASSERT_EQ(count, 1);
  EXPECT_EQ(protocols[0], XInternAtom(display_, "WM_DELETE_WINDOW", False));
  XFree(protocols);

  // A manager keeps an explicitly placed client where it is asked to be.
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(display_, native, &hints, &supplied));
  EXPECT_TRUE(hints.flags & USPosition);
  EXPECT_TRUE(hints.flags & PWinGravity);
  EXPECT_EQ(hints.win_gravity, StaticGravity);
}

TEST_F(WindowTest, WindowPlacedByTheSystemReportsWhereItLanded) {
  HWND window = openWindowAnywhere("placed anywhere", 300, 200);
  ASSERT_NE(window, nullptr);
  Geometry geometry{};
  ASSERT_TRUE(windowGeometry(display_, nativeWindow("placed anywhere"), &geometry));
  EXPECT_EQ(geometry.width, 300);
  EXPECT_EQ(geometry.height, 200);
  std::vector<Received> moves = receivedOf(WM_MOVE);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(GET_X_LPARAM(moves.back().lParam), geometry.x);
  EXPECT_EQ(GET_Y_LPARAM(moves.back().lParam), geometry.y);
  // Without a manager the window has no frame, so the metrics say so.
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
}

TEST_F(WindowTest, ResizeMoveMinimiseAndRestoreFromOutsideAreReported) {
  HWND window = openWindow("changed from outside", 10, 20, 500, 400);
  ASSERT_NE(window, nullptr);
  Window native = nativeWindow("changed from outside");
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_PAINT); }));

  forgetReceived();
  XMoveResizeWindow(display_, native, 100, 120, 400, 300);
  XSync(display_, False);
  ASSERT_TRUE(pumpUntil([&] {
    auto sizes = receivedOf(WM_SIZE);
    return !sizes.empty() && LOWORD(sizes.back().lParam) == 400;
  }));
  EXPECT_EQ(HIWORD(receivedOf(WM_SIZE).back().lParam), 300);
  EXPECT_EQ(receivedOf(WM_SIZE).back().wParam, static_cast<WPARAM>(SIZE_RESTORED));
  ASSERT_FALSE(receivedOf(WM_MOVE).empty());
  EXPECT_EQ(GET_X_LPARAM(receivedOf(WM_MOVE).back().lParam), 100);
  EXPECT_EQ(GET_Y_LPARAM(receivedOf(WM_MOVE).back().lParam), 120);

  // Unmapped (as a manager iconifies): minimised, 0 x 0.
  forgetReceived();
  XUnmapWindow(display_, native);
  XSync(display_, False);
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_SIZE); }));
  EXPECT_EQ(receivedOf(WM_SIZE).back().wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
  EXPECT_EQ(receivedOf(WM_SIZE).back().lParam, 0);

  // Mapped again: the size comes back and the window is painted.
  forgetReceived();
  XMapWindow(display_, native);
  XSync(display_, False);
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_SIZE) && hasReceived(WM_PAINT); }));
  EXPECT_EQ(receivedOf(WM_SIZE).back().wParam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(LOWORD(receivedOf(WM_SIZE).back().lParam), 400);
  EXPECT_EQ(HIWORD(receivedOf(WM_SIZE).back().lParam), 300);
}

TEST_F(WindowTest, FocusChangesActivateAndDeactivate) {
  HWND window = openWindow("focus", 0, 0, 200, 100);
  ASSERT_NE(window, nullptr);
  // Without a manager the shown window is given the keyboard.
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_ACTIVATE); }));
  EXPECT_EQ(LOWORD(receivedOf(WM_ACTIVATE).back().wParam), WA_ACTIVE);
  EXPECT_EQ(GetFocus(), window);

  forgetReceived();
  XSetInputFocus(display_, PointerRoot, RevertToPointerRoot, CurrentTime);
  XSync(display_, False);
  movePointer(display_, 900, 900);  // away from the window
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_ACTIVATE); }));
  EXPECT_EQ(LOWORD(receivedOf(WM_ACTIVATE).back().wParam), WA_INACTIVE);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowTest, CloseRequestBecomesWmCloseAndDestroyingRemovesTheWindow) {
  keepWindowsOnClose(true);
  HWND window = openWindow("closing", 0, 0, 200, 100);
  ASSERT_NE(window, nullptr);
  Window native = nativeWindow("closing");

  sendWmDeleteWindow(display_, native);  // what a manager sends when its close box is clicked
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_CLOSE); }));
  EXPECT_EQ(receivedOf(WM_CLOSE).back().window, window);
  EXPECT_NE(nativeWindow("closing"), static_cast<Window>(None)) << "closing is the program's choice";

  EXPECT_TRUE(DestroyWindow(window));
  XSync(display_, False);
  EXPECT_EQ(nativeWindow("closing"), static_cast<Window>(None));
}

}  // namespace
}  // namespace x11test
