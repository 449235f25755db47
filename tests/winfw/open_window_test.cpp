// Opening the window: placement, the defaults it installs, the initial OpenGL state, every
// failure and its message, the double-buffer retry and its warning.
#include <GL/gl.h>

#include <cctype>

#include "tests/winfw/window_fixture.h"

namespace {

using platformtest::HeadlessWindow;

const char kWarning[] =
    "Can't initialize a single buffer visual. Will use a double buffer visual instead, only "
    "drawing into the front buffer.";

void idleRecorder() { trail().push_back("idle"); }

// Closes the window on its third call, so a loop that runs normally ends by itself.
int idleCalls = 0;
void idleClosesOnThird() {
  trail().push_back("idle");
  if (++idleCalls == 3) wfCloseWindow();
}

class OpenWindow : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    idleCalls = 0;
  }
};

TEST_F(OpenWindow, ProgramSettingsGiveTheExactClientAreaAtTheRequestedPlace) {
  // A frame and caption, so that the adjusted outer rectangle differs from the client area.
  platformtest::setSystemMetric(SM_CXFRAME, 4);
  platformtest::setSystemMetric(SM_CYFRAME, 4);
  platformtest::setSystemMetric(SM_CYCAPTION, 19);
  platformtest::setSystemMetric(SM_CYBORDER, 1);
  ASSERT_EQ(openProgramWindow(), 1);

  HeadlessWindow native;
  ASSERT_TRUE(platformtest::headlessWindow(wfWindow, &native));
  EXPECT_EQ(native.title, "Diagrama Voronogo. Velmarosh k-23");
  EXPECT_FALSE(native.systemPlacement);
  EXPECT_TRUE(native.visible);
  EXPECT_NE(native.format, 0);
  EXPECT_EQ(native.width, 985);
  EXPECT_EQ(native.height, 730);
  // The outer window's corner at (0, 0): the client area sits inside the frame and caption.
  EXPECT_EQ(native.clientX, 4);
  EXPECT_EQ(native.clientY, 0 - 1 + 19 + 4);
  EXPECT_EQ(platformtest::callCount("RegisterClassA"), 1);
  EXPECT_EQ(platformtest::callCount("CreateWindowExA"), 1);
  EXPECT_TRUE(platformtest::messageBoxes().empty());
}

TEST_F(OpenWindow, InstallsTheDefaultsAndTheEscapeEntryAndMakesTheContextCurrent) {
  wfAddKeyHandler(WF_KEY_LEFT, idleRecorder);  // registered before the open: kept
  wfSetIdleHandler(idleRecorder);
  ASSERT_EQ(openProgramWindow(), 1);
  EXPECT_NE(wfDeviceContext, nullptr);
  EXPECT_NE(wfRenderContext, nullptr);
  EXPECT_EQ(platformtest::currentContext(), wfRenderContext);
  EXPECT_EQ(wfReshapeSlot, wfDefaultReshape);
  EXPECT_EQ(wfKeySlot, wfDispatchKey);
  EXPECT_EQ(wfPressSlot, wfDispatchPress);
  EXPECT_EQ(wfReleaseSlot, wfDispatchRelease);
  EXPECT_EQ(wfMotionSlot, wfDispatchMotion);
  EXPECT_EQ(wfIdleSlot, idleRecorder);  // not touched
  EXPECT_EQ(wfDisplaySlot, nullptr);
  ASSERT_EQ(wfKeyCount, 2);
  EXPECT_EQ(wfKeyTable[1].key, WF_KEY_ESCAPE);
  EXPECT_EQ(wfKeyTable[1].handler, wfExitOnEscape);
}

TEST_F(OpenWindow, InitialOpenGlStateIsBlackClearIndexZeroAndIdentity) {
  ASSERT_EQ(openProgramWindow(), 1);
  // Nothing drew before the open: on a first open no reshape handler is set while showing.
  const auto& calls = glrec::calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].op, glrec::Op::ClearColor);
  EXPECT_EQ(calls[0].a[0], 0.0);
  EXPECT_EQ(calls[0].a[1], 0.0);
  EXPECT_EQ(calls[0].a[2], 0.0);
  EXPECT_EQ(calls[0].a[3], 1.0);
  EXPECT_EQ(calls[1].op, glrec::Op::ClearIndex);
  EXPECT_EQ(calls[1].a[0], 0.0);
  EXPECT_EQ(calls[2].op, glrec::Op::LoadIdentity);
  EXPECT_EQ(glrec::countCalls(glrec::Op::DrawBuffer), 0u);
}

TEST_F(OpenWindow, DefaultReshapeMapsWindowPixelsOneToOne) {
  wfDefaultReshape(640, 480);
  const auto& calls = glrec::calls();
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].op, glrec::Op::Viewport);
  EXPECT_EQ(calls[0].a[2], 640.0);
  EXPECT_EQ(calls[0].a[3], 480.0);
  EXPECT_EQ(calls[1].op, glrec::Op::MatrixMode);
  EXPECT_EQ(calls[1].e, static_cast<uint32_t>(GL_PROJECTION));
  EXPECT_EQ(calls[2].op, glrec::Op::LoadIdentity);
  EXPECT_EQ(calls[3].op, glrec::Op::Ortho);
  const double ortho[6] = {0, 640, 0, 480, -1, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(calls[3].a[i], ortho[i]) << i;
  EXPECT_EQ(calls[4].op, glrec::Op::MatrixMode);
  EXPECT_EQ(calls[4].e, static_cast<uint32_t>(GL_MODELVIEW));
  EXPECT_EQ(calls[5].op, glrec::Op::LoadIdentity);
}

TEST_F(OpenWindow, SystemPlacementLearnsWhereTheClientAreaLanded) {
  platformtest::setSystemPlacement(70, 90);
  ASSERT_EQ(wfDefaultPlacement, 1);
  wfSetDisplayMode(WF_DOUBLE);
  ASSERT_EQ(wfOpenWindow("placed"), 1);
  HeadlessWindow native;
  ASSERT_TRUE(platformtest::headlessWindow(wfWindow, &native));
  EXPECT_TRUE(native.systemPlacement);
  EXPECT_EQ(wfClientX, 70);
  EXPECT_EQ(wfClientY, 90);
  EXPECT_EQ(native.width, 100);
  EXPECT_EQ(native.height, 100);
}

TEST_F(OpenWindow, WideFormRegistersAndCreatesInUtf16) {
  wfSetDisplayMode(WF_DOUBLE);
  ASSERT_EQ(wfOpenWindowWide(u"Diagrama Вороного"), 1);
  EXPECT_EQ(platformtest::callCount("RegisterClassW"), 1);
  EXPECT_EQ(platformtest::callCount("CreateWindowExW"), 1);
  EXPECT_EQ(platformtest::callCount("CreateWindowExA"), 0);
  HeadlessWindow native;
  ASSERT_TRUE(platformtest::headlessWindow(wfWindow, &native));
  EXPECT_EQ(native.title, "Diagrama Вороного");
}

TEST_F(OpenWindow, SystemColourCountFollowsTheVersion) {
  struct Case {
    DWORD platform, major, minor;
    int expected;
  };
  const Case cases[] = {{VER_PLATFORM_WIN32_NT, 3, 51, 21},
                        {VER_PLATFORM_WIN32_NT, 3, 5, 21},
                        {VER_PLATFORM_WIN32_NT, 3, 50, 25},
                        {VER_PLATFORM_WIN32_NT, 4, 0, 25},
                        {VER_PLATFORM_WIN32_WINDOWS, 3, 51, 25}};
  wfSetDisplayMode(WF_DOUBLE);
  for (const Case& c : cases) {
    platformtest::setVersion(c.platform, c.major, c.minor);
    wfSysColourCount = 0;
    ASSERT_EQ(wfOpenWindow("version"), 1);
    EXPECT_EQ(wfSysColourCount, c.expected) << c.major << "." << c.minor;
    wfCloseWindow();
  }
}

// ---- The failure table -------------------------------------------------------------------

struct FailureRow {
  const char* operation;  // the platform operation made to fail once
  const char* message;    // what the user is told ('#' stands for one upper-case hex digit)
  bool windowCreated;     // the row comes after the window exists
};

const FailureRow kFailureRows[] = {
    {"RegisterClassA", "Failed to register window class\n", false},
    {"CreateWindowExA", "create window failed\n", false},
    {"GetDC", "Could not get an HDC for window 0x########\n", true},
    {"ChoosePixelFormat", "Selecting a pixel format failed\n", true},
    {"SetPixelFormat", "SetPixelFormat failed\n", true},
    {"wglCreateContext", "wglCreateContext Failed\n", true},
    {"wglMakeCurrent", "wglMakeCurrent Failed\n", true},
};

// The text against the row's message, where '#' takes one hex digit printed upper-case.
bool matchesMessage(const std::string& text, const std::string& pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (pattern[i] != '#') {
      if (text[i] != pattern[i]) return false;
    } else if (!std::isxdigit(static_cast<unsigned char>(text[i])) ||
               std::islower(static_cast<unsigned char>(text[i]))) {
      return false;
    }
  }
  return true;
}

class OpenFailure : public WindowTest, public ::testing::WithParamInterface<FailureRow> {};

void checkFailedOpenState(const FailureRow& row) {
  EXPECT_EQ(wfWindow, nullptr);
  EXPECT_EQ(wfDeviceContext, nullptr);
  EXPECT_EQ(wfRenderContext, nullptr);
  EXPECT_EQ(platformtest::liveContextCount(), 0);
  EXPECT_FALSE(platformtest::contextCurrent());
  EXPECT_EQ(wfKeyCount, 0);  // no Escape entry
  EXPECT_EQ(wfKeySlot, nullptr);
  // A window that existed was destroyed; none was before that.
  EXPECT_EQ(platformtest::callCount("DestroyWindow"), row.windowCreated ? 1 : 0);
  // Only the teardown of a created window empties the slots the application had set.
  if (row.windowCreated) {
    EXPECT_EQ(wfIdleSlot, nullptr);
  } else {
    EXPECT_EQ(wfIdleSlot, idleRecorder);
  }
  // Nothing is left to end a later event loop.
  EXPECT_FALSE(WindowTest::quitWasPosted());
}

TEST_P(OpenFailure, ReportsItsMessageInAnErrorBoxAndLeavesNoWindow) {
  const FailureRow& row = GetParam();
  wfSetIdleHandler(idleRecorder);
  platformtest::failNext(row.operation);
  EXPECT_EQ(openProgramWindow(), 0);
  ASSERT_EQ(platformtest::messageBoxes().size(), 1u);
  EXPECT_EQ(platformtest::messageBoxes()[0].caption, "Error");
  EXPECT_TRUE(matchesMessage(platformtest::messageBoxes()[0].text, row.message))
      << platformtest::messageBoxes()[0].text;
  // A double-buffered mode is never retried.
  EXPECT_EQ(platformtest::callCount("RegisterClassA"), 1);
  EXPECT_LE(platformtest::callCount("CreateWindowExA"), 1);
  EXPECT_EQ(wfGetDisplayMode(), WF_DOUBLE | WF_DEPTH16);
  checkFailedOpenState(row);
}

TEST_P(OpenFailure, IsSilentWithErrorBoxesOff) {
  const FailureRow& row = GetParam();
  wfSetIdleHandler(idleRecorder);
  wfSetErrorBoxes(0);
  platformtest::failNext(row.operation);
  EXPECT_EQ(openProgramWindow(), 0);
  EXPECT_TRUE(platformtest::messageBoxes().empty());
  checkFailedOpenState(row);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, OpenFailure, ::testing::ValuesIn(kFailureRows),
                         [](const ::testing::TestParamInfo<FailureRow>& info) {
                           return std::string(info.param.operation);
                         });

TEST_F(OpenWindow, AFailedAttemptIsTornDownEvenWhenDestroyingIsRefused) {
  platformtest::failNext("wglMakeCurrent");
  platformtest::failNext("DestroyWindow");
  wfSetIdleHandler(idleRecorder);
  EXPECT_EQ(openProgramWindow(), 0);
  EXPECT_EQ(wfWindow, nullptr);
  EXPECT_EQ(wfDeviceContext, nullptr);
  EXPECT_EQ(wfRenderContext, nullptr);
  EXPECT_TRUE(allSlotsEmpty());
  EXPECT_EQ(platformtest::liveContextCount(), 0);
}

TEST_F(OpenWindow, WithNoDisplayTheFailureReachesStandardError) {
  platformtest::setDisplayAvailable(false);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(openProgramWindow(), 0);
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("create window failed\n"), std::string::npos) << written;
  EXPECT_EQ(wfWindow, nullptr);
  // The program returns the loop's result as its status: not a success.
  EXPECT_EQ(wfRunMainLoop(nullptr), 1);
}

// ---- The double-buffer retry ----------------------------------------------------------------

TEST_F(OpenWindow, SingleBufferFailureRetriesDoubleWarnsAndDrawsToTheFrontBuffer) {
  wfSetDisplayMode(WF_DEPTH16);  // single buffer
  platformtest::failNext("wglCreateContext");
  ASSERT_EQ(wfOpenWindow("retry"), 1);
  EXPECT_EQ(boxCaptions(), (std::vector<std::string>{"Error", "Warning"}));
  EXPECT_EQ(boxTexts()[0], "wglCreateContext Failed\n");
  EXPECT_EQ(boxTexts()[1], kWarning);
  EXPECT_EQ(platformtest::messageBoxes()[1].type & 0xF, static_cast<UINT>(MB_OK));
  EXPECT_EQ(wfGetDisplayMode(), WF_DEPTH16 | WF_DOUBLE);
  EXPECT_EQ(wfRequestedMode, WF_DEPTH16 | WF_DOUBLE);
  EXPECT_EQ(platformtest::callCount("CreateWindowExA"), 2);
  // The class registered by the first attempt serves the second.
  EXPECT_EQ(platformtest::callCount("RegisterClassA"), 1);
  ASSERT_FALSE(glrec::calls().empty());
  EXPECT_EQ(glrec::calls().back().op, glrec::Op::DrawBuffer);
  EXPECT_EQ(glrec::calls().back().e, static_cast<uint32_t>(GL_FRONT));
  ASSERT_EQ(wfKeyCount, 1);
  EXPECT_EQ(wfKeyTable[0].key, WF_KEY_ESCAPE);
}

TEST_F(OpenWindow, AfterARetryTheEventLoopRunsNormally) {
  wfSetDisplayMode(WF_DEPTH16);
  platformtest::failNext("wglMakeCurrent");
  ASSERT_EQ(wfOpenWindow("retry"), 1);
  wfSetIdleHandler(idleClosesOnThird);
  wfSetReshapeHandler(nullptr);
  // The torn-down first window must not have asked the loop to end.
  EXPECT_EQ(wfRunMainLoop(nullptr), 0);
  EXPECT_EQ(idleCalls, 3);
}

TEST_F(OpenWindow, RetryWithBoxesOffIsSilentButStillDrawsToTheFrontBuffer) {
  wfSetErrorBoxes(0);
  wfSetDisplayMode(WF_DEPTH16);
  platformtest::failNext("SetPixelFormat");
  ASSERT_EQ(wfOpenWindow("retry"), 1);
  EXPECT_TRUE(platformtest::messageBoxes().empty());
  EXPECT_EQ(glrec::countCalls(glrec::Op::DrawBuffer), 1u);
}

TEST_F(OpenWindow, NeverSettingTheModeTriesColourIndexThenRgbaDouble) {
  // The true-colour display has no colour-index format: mode 1 fails, mode 2 opens.
  ASSERT_EQ(wfOpenWindow("defaults"), 1);
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Selecting a pixel format failed\n", kWarning}));
  EXPECT_EQ(wfGetDisplayMode(), WF_DOUBLE);
  EXPECT_EQ(wfRequestedMode, WF_DOUBLE);
}

TEST_F(OpenWindow, FailedRetryKeepsTheAddedBitInTheModeOnly) {
  wfSetDisplayMode(WF_DEPTH16);
  platformtest::failNext("wglCreateContext", 2);
  EXPECT_EQ(wfOpenWindow("retry"), 0);
  EXPECT_EQ(boxTexts(), (std::vector<std::string>{"wglCreateContext Failed\n",
                                                  "wglCreateContext Failed\n"}));
  EXPECT_EQ(wfGetDisplayMode(), WF_DEPTH16 | WF_DOUBLE);
  EXPECT_EQ(wfRequestedMode, WF_DEPTH16);
  EXPECT_EQ(wfKeyCount, 0);
  EXPECT_EQ(glrec::countCalls(glrec::Op::DrawBuffer), 0u);
  EXPECT_FALSE(quitWasPosted());
}

TEST_F(OpenWindow, DoubleBufferedFailureIsNotRetried) {
  platformtest::failNext("wglCreateContext");
  EXPECT_EQ(openProgramWindow(), 0);
  EXPECT_EQ(boxCaptions(), (std::vector<std::string>{"Error"}));
  EXPECT_EQ(platformtest::callCount("CreateWindowExA"), 1);
  EXPECT_TRUE(allSlotsEmpty());
}

}  // namespace
