// The event loop and the window procedure: the first pass, the idle discipline, the repaint
// after a handled event, the key and character tables, capture, size changes, closing and
// the teardown, re-opening, and Escape.
#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "tests/winfw/window_fixture.h"

namespace {

// ---- Recording handlers ----------------------------------------------------------------------

template <int Code>
void keyRecorder() {
  trail().push_back("key " + std::to_string(Code));
}

void displayRecorder() { trail().push_back("display"); }

void reshapeRecorder(int32_t width, int32_t height) {
  trail().push_back("reshape " + std::to_string(width) + " " + std::to_string(height));
}

const char* kindName(int32_t kind) {
  switch (kind) {
    case WF_MOUSE_PRESS:
      return "press";
    case WF_MOUSE_RELEASE:
      return "release";
    case WF_MOUSE_MOTION:
      return "motion";
    default:
      return "?";
  }
}

void mouseRecorder(WfEvent* event) {
  trail().push_back(std::string(kindName(event->event)) + " " + std::to_string(event->button) +
                    " " + std::to_string(event->x) + " " + std::to_string(event->y));
}

// A press or release handler that also notes whether the window holds the pointer.
void mouseRecorderWithCapture(WfEvent* event) {
  mouseRecorder(event);
  trail().push_back(platformtest::captureWindow() == wfWindow ? "captured" : "free");
}

// The idle handler runs the next scripted action on each call and closes the window once
// the script is done, so every loop ends by itself.
std::vector<std::function<void()>> idleScript;
size_t idleStep = 0;

void scriptedIdle() {
  trail().push_back("idle");
  const size_t step = idleStep++;
  if (step < idleScript.size()) {
    idleScript[step]();
  } else {
    wfCloseWindow();
  }
}

void noteCapture() {
  trail().push_back(platformtest::captureWindow() == wfWindow ? "captured" : "free");
}

class EventLoop : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    idleScript.clear();
    idleStep = 0;
  }

  // The program's sequence: open, idle handler, reshape handler; the display handler is
  // handed to the loop.
  void openLikeTheProgram() {
    ASSERT_EQ(openProgramWindow(), 1);
    wfSetIdleHandler(scriptedIdle);
    wfSetReshapeHandler(reshapeRecorder);
  }

  static void key(UINT virtualKey, uint32_t character) {
    platformPostKeyDown(wfWindow, virtualKey, character);
  }
  static void mouse(UINT message, int x, int y, WPARAM keyState) {
    platformPostMouse(wfWindow, message, x, y, keyState);
  }
  using Trail = std::vector<std::string>;
};

// ---- The loop ------------------------------------------------------------------------------------

TEST_F(EventLoop, FirstPassReshapesWithTheClientSizeThenPaintsThenIdles) {
  openLikeTheProgram();
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "display", "idle"}));
}

TEST_F(EventLoop, EveryWaitingMessageIsHandledBeforeTheOneIdleCall) {
  openLikeTheProgram();
  wfAddKeyHandler(WF_KEY_LEFT, keyRecorder<37>);
  wfAddKeyHandler(WF_KEY_RIGHT, keyRecorder<39>);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, mouseRecorder);
  // Holding the Left arrow: the auto-repeat arrives as further key-downs.
  key(VK_LEFT, 0);
  key(VK_LEFT, 0);
  mouse(WM_LBUTTONDOWN, 5, 6, MK_LBUTTON);
  idleScript = {[] { key(VK_RIGHT, 0); }};
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  // The paint pending since the window was shown absorbs the repaints the handlers asked
  // for; a handled key after it brings one more.
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "key 37", "key 37", "press 1 5 6", "display",
                            "idle", "key 39", "display", "idle"}));
}

TEST_F(EventLoop, EventsNoHandlerTakesCauseNoRepaint) {
  openLikeTheProgram();
  wfAddKeyHandler('A', keyRecorder<'A'>);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, mouseRecorder);
  idleScript = {[] {
    key(VK_F1, 0);
    key(VK_DELETE, 0x7f);
    key('B', 'b');
    mouse(WM_RBUTTONDOWN, 1, 1, MK_RBUTTON);
    mouse(WM_MOUSEMOVE, 2, 2, MK_RBUTTON);
    mouse(WM_RBUTTONUP, 2, 2, 0);
  }};
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "display", "idle", "idle"}));
}

void displayThenClose() {
  displayRecorder();
  platformtest::queueDriverEvent([] { platformNotifyCloseRequest(wfWindow); });
}

TEST_F(EventLoop, WithoutAnIdleHandlerOnlyPaintRequestsDraw) {
  ASSERT_EQ(openProgramWindow(), 1);
  wfSetReshapeHandler(reshapeRecorder);
  wfAddKeyHandler(WF_KEY_LEFT, keyRecorder<37>);
  // The loop waits in GetMessageA; the driver reports a key, the paint follows, and the
  // display handler has the window closed.
  platformtest::queueDriverEvent([] { key(VK_LEFT, 0); });
  EXPECT_EQ(wfRunMainLoop(displayThenClose), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "key 37", "display"}));
}

TEST_F(EventLoop, WithNoWindowTheLoopReturnsAtOnceWithAFailure) {
  wfSetIdleHandler([] {
    std::fprintf(stderr, "the idle handler ran with no window\n");
    std::abort();
  });
  wfSetReshapeHandler(reshapeRecorder);
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 1);
  EXPECT_TRUE(trail().empty());
  EXPECT_EQ(wfDisplaySlot, nullptr);
}

TEST_F(EventLoop, AFailingMessageQueueEndsTheLoop) {
  ASSERT_EQ(openProgramWindow(), 1);
  wfSetReshapeHandler(nullptr);
  // Without an idle handler the loop waits in GetMessageA; a second wait would find no
  // event and abort the test.
  platformtest::failNext("GetMessageA");
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(platformtest::callCount("GetMessageA"), 1);
}

// ---- Keys and characters -----------------------------------------------------------------------

TEST_F(EventLoop, OnlyTheSevenKeysAndLettersAndDigitsReachTheHandlersOnceEach) {
  openLikeTheProgram();
  wfAddKeyHandler(65, keyRecorder<65>);
  wfAddKeyHandler(97, keyRecorder<97>);
  wfAddKeyHandler('5', keyRecorder<'5'>);
  wfAddKeyHandler('z', keyRecorder<'z'>);
  wfAddKeyHandler(WF_KEY_RETURN, keyRecorder<13>);
  wfAddKeyHandler(WF_KEY_SPACE, keyRecorder<32>);
  wfAddKeyHandler(WF_KEY_UP, keyRecorder<38>);
  wfAddKeyHandler(WF_KEY_DOWN, keyRecorder<40>);
  // Codes that other keys' virtual-key codes or characters would produce if passed on.
  wfAddKeyHandler(VK_F1, keyRecorder<VK_F1>);          // 112, 'p'
  wfAddKeyHandler(VK_DELETE, keyRecorder<VK_DELETE>);  // 46, '.'
  wfAddKeyHandler(VK_TAB, keyRecorder<VK_TAB>);
  wfAddKeyHandler('1', keyRecorder<'1'>);
  wfAddKeyHandler('!', keyRecorder<'!'>);
  wfAddKeyHandler(0x7f, keyRecorder<0x7f>);

  key('A', 'A');  // Shift+A
  key('A', 'a');
  key('5', '5');
  key('Z', 'z');
  key(VK_RETURN, '\r');
  key(VK_SPACE, ' ');
  key(VK_UP, 0);
  key(VK_DOWN, 0);
  key(VK_F1, 0);
  key(VK_DELETE, 0x7f);
  key(VK_TAB, '\t');
  key('1', '!');  // Shift+1
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "key 65", "key 97", "key 53", "key 122", "key 13",
                            "key 32", "key 38", "key 40", "display", "idle"}));
}

// ---- The mouse and capture ------------------------------------------------------------------------

TEST_F(EventLoop, CaptureFollowsADragOutsideTheWindow) {
  openLikeTheProgram();
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, mouseRecorderWithCapture);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_MOTION, mouseRecorder);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_RELEASE, mouseRecorderWithCapture);
  mouse(WM_LBUTTONDOWN, 10, 20, MK_LBUTTON);
  mouse(WM_MOUSEMOVE, -30, 900, MK_LBUTTON | MK_SHIFT);
  mouse(WM_LBUTTONUP, -30, 900, 0);
  mouse(WM_MOUSEMOVE, -31, 901, 0);  // no button held: no motion handler
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "press 1 10 20", "captured", "motion 1 -30 900",
                            "release 1 -30 900", "free", "display", "idle"}));
}

TEST_F(EventLoop, CaptureIsTakenAndReleasedWithNoHandlerForTheButton) {
  openLikeTheProgram();
  idleScript = {[] { mouse(WM_RBUTTONDOWN, 3, 4, MK_RBUTTON); }, noteCapture,
                [] { mouse(WM_RBUTTONUP, 3, 4, 0); }, noteCapture,
                [] { mouse(WM_MBUTTONDOWN, 3, 4, MK_MBUTTON); }, noteCapture,
                [] { mouse(WM_MBUTTONUP, 3, 4, 0); }, noteCapture};
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "display", "idle", "idle", "captured", "idle",
                            "idle", "free", "idle", "idle", "captured", "idle", "idle", "free",
                            "idle"}));
}

TEST_F(EventLoop, RightAndMiddleButtonsAndTheHeldMaskReachTheirEntries) {
  openLikeTheProgram();
  wfAddMouseHandler(WF_BUTTON_RIGHT, WF_MOUSE_PRESS, mouseRecorder);
  wfAddMouseHandler(WF_BUTTON_MIDDLE, WF_MOUSE_RELEASE, mouseRecorder);
  wfAddMouseHandler(WF_BUTTON_MIDDLE, WF_MOUSE_MOTION, mouseRecorder);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_MOTION, mouseRecorder);
  mouse(WM_RBUTTONDOWN, 7, 8, MK_RBUTTON);
  mouse(WM_MOUSEMOVE, 9, 10, MK_MBUTTON | MK_SHIFT | MK_CONTROL);
  mouse(WM_MBUTTONUP, 11, 12, 0);
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "press 2 7 8", "motion 4 9 10",
                            "release 4 11 12", "display", "idle"}));
}

// ---- Size and position ----------------------------------------------------------------------------

TEST_F(EventLoop, ResizeAndMinimiseReachTheReshapeHandler) {
  openLikeTheProgram();
  idleScript = {[] { platformNotifyConfigured(wfWindow, 33, 44, 400, 300, false); },
                [] {
                  trail().push_back("client " + std::to_string(wfClientX) + " " +
                                    std::to_string(wfClientY) + " " +
                                    std::to_string(wfClientWidth) + " " +
                                    std::to_string(wfClientHeight));
                  platformNotifyConfigured(wfWindow, 33, 44, 400, 300, true);
                  trail().push_back("client " + std::to_string(wfClientWidth) + " " +
                                    std::to_string(wfClientHeight));
                }};
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  const Trail expectedStart{"reshape 985 730", "display", "idle",     "reshape 400 300",
                            "display",         "idle",    "client 33 44 400 300",
                            "reshape 0 0",     "client 0 0"};
  ASSERT_GE(trail().size(), expectedStart.size());
  EXPECT_EQ(Trail(trail().begin(), trail().begin() + expectedStart.size()), expectedStart);
}

// ---- Closing and the teardown -------------------------------------------------------------------

class Teardown : public EventLoop {
 protected:
  // The teardown's result: no handle, no slot, no context; tables and settings kept.
  static void expectTornDown() {
    EXPECT_EQ(wfWindow, nullptr);
    EXPECT_EQ(wfDeviceContext, nullptr);
    EXPECT_EQ(wfRenderContext, nullptr);
    EXPECT_EQ(wfPalette, nullptr);
    EXPECT_TRUE(allSlotsEmpty());
    EXPECT_EQ(platformtest::liveContextCount(), 0);
    EXPECT_FALSE(platformtest::contextCurrent());
    EXPECT_EQ(platformtest::callCount("ReleaseDC"), 1);
    EXPECT_EQ(platformtest::callCount("wglDeleteContext"), 1);
  }
};

TEST_F(Teardown, TheCloseBoxEndsTheLoopAndKeepsTheTables) {
  openLikeTheProgram();
  wfAddKeyHandler(WF_KEY_LEFT, keyRecorder<37>);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, mouseRecorder);
  idleScript = {[] { platformNotifyCloseRequest(wfWindow); }};
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "display", "idle"}));
  expectTornDown();
  EXPECT_EQ(wfKeyCount, 2);
  EXPECT_EQ(wfPressCount, 1);
  EXPECT_EQ(wfClientWidth, 985);
  EXPECT_EQ(wfGetDisplayMode(), WF_DOUBLE | WF_DEPTH16);
}

TEST_F(Teardown, AltF4ThroughTheDefaultProcessingEndsTheLoop) {
  openLikeTheProgram();
  idleScript = {[] { PostMessageA(wfWindow, WM_SYSKEYDOWN, VK_F4, 0); }};
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"reshape 985 730", "display", "idle"}));
  expectTornDown();
}

TEST_F(Teardown, DeletesTheRgbPaletteOfAPaletteDevice) {
  platformtest::setPaletteDevice(true);
  platformtest::setFormats(platformtest::paletteDeviceFormats());
  openLikeTheProgram();
  const HPALETTE palette = wfPalette;
  ASSERT_NE(palette, nullptr);
  ASSERT_GT(GetPaletteEntries(palette, 0, 0, nullptr), 0u);
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  expectTornDown();
  EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 0u);  // the handle is gone
}

TEST_F(Teardown, GivesTheStaticColoursBackUnderTheWholePaletteClaim) {
  platformtest::setPaletteDevice(true);
  platformtest::setFormats(platformtest::paletteDeviceFormats());
  wfSetWindowPosition(0, 0, 985, 730);
  wfSetDisplayMode(WF_DOUBLE | WF_DEPTH16 | WF_WHOLE_PALETTE);
  ASSERT_EQ(wfOpenWindow("whole"), 1);
  ASSERT_EQ(wfStaticColoursTaken, 1);
  ASSERT_EQ(platformtest::systemPaletteUse(), static_cast<UINT>(SYSPAL_NOSTATIC));
  wfCloseWindow();
  expectTornDown();
  EXPECT_EQ(wfStaticColoursTaken, 0);
  EXPECT_EQ(platformtest::systemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(wfUseWholePalette, 1);  // the palette flags stay
}

TEST_F(Teardown, CloseWindowThenANewOpenRunsANewLoop) {
  ASSERT_EQ(openProgramWindow(), 1);
  wfAddKeyHandler(WF_KEY_LEFT, keyRecorder<37>);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, mouseRecorder);
  wfCloseWindow();  // no loop runs: nobody takes the quit message
  expectTornDown();

  ASSERT_EQ(openProgramWindow(), 1);
  ASSERT_EQ(wfKeyCount, 1);
  EXPECT_EQ(wfKeyTable[0].key, WF_KEY_ESCAPE);
  EXPECT_EQ(wfPressCount, 0);
  EXPECT_EQ(platformtest::callCount("RegisterClassA"), 1);
  wfSetIdleHandler(scriptedIdle);
  idleScript = {[] {}};
  EXPECT_EQ(wfRunMainLoop(displayRecorder), 0);
  EXPECT_EQ(trail(), (Trail{"display", "idle", "idle"}));
}

// ---- Escape ----------------------------------------------------------------------------------------

void lateEscapeHandler() { std::fputs("late escape handler ran\n", stderr); }

// Opens, adds a later handler for Escape, presses Escape inside the loop.
void pressEscapeInTheLoop() {
  if (WindowTest::openProgramWindow() != 1) std::exit(2);
  wfAddKeyHandler(WF_KEY_ESCAPE, lateEscapeHandler);
  wfSetIdleHandler(scriptedIdle);
  idleScript = {[] { platformPostKeyDown(wfWindow, VK_ESCAPE, 0x1b); }, [] {}};
  wfRunMainLoop(displayRecorder);
  std::fputs("the loop returned\n", stderr);
  std::exit(3);
}

TEST_F(Teardown, EscapeEndsTheProcessWithStatusZeroBeforeLaterHandlers) {
  EXPECT_EXIT(pressEscapeInTheLoop(), ::testing::ExitedWithCode(0),
              ::testing::Not(::testing::HasSubstr("ran")));
}

}  // namespace
