// Settings, the error reporter and the small accessors.
#include <string>

#include "tests/support/framework_fixture.h"

namespace {

using Settings = FreshFramework;

TEST_F(Settings, InitialValues) {
  EXPECT_EQ(wfClientX, 0);
  EXPECT_EQ(wfClientY, 0);
  EXPECT_EQ(wfClientWidth, 100);
  EXPECT_EQ(wfClientHeight, 100);
  EXPECT_EQ(wfDefaultPlacement, 1);
  EXPECT_EQ(wfGetDisplayMode(), 1);
  EXPECT_EQ(wfRequestedMode, 0);
  EXPECT_EQ(wfGetPixelFormatPolicy(), WF_PF_BEST);
  EXPECT_EQ(wfGetPixelFormatNumber(), 0);
  EXPECT_EQ(wfErrorBoxes, 1);
  EXPECT_EQ(wfGetWindowHandle(), nullptr);
  EXPECT_EQ(wfGetDeviceContext(), nullptr);
  EXPECT_EQ(wfGetRenderContext(), nullptr);
}

class Placement : public FreshFramework {
 protected:
  void SetUp() override {
    FreshFramework::SetUp();
    platformtest::setSystemMetric(SM_CXFRAME, 4);
    platformtest::setSystemMetric(SM_CYFRAME, 5);
    platformtest::setSystemMetric(SM_CYBORDER, 1);
    platformtest::setSystemMetric(SM_CYCAPTION, 19);
  }
};

TEST_F(Placement, AnExplicitPositionAddsTheFrameAndCaptionOffsets) {
  wfSetWindowPosition(10, 20, 985, 730);
  EXPECT_EQ(wfDefaultPlacement, 0);
  EXPECT_EQ(wfClientX, 10 + 4);
  EXPECT_EQ(wfClientY, 20 - 1 + 19 + 5);
  EXPECT_EQ(wfClientWidth, 985);
  EXPECT_EQ(wfClientHeight, 730);
}

TEST_F(Placement, UseDefaultIgnoresYAndLeavesPlacementToTheSystem) {
  wfSetWindowPosition(10, 20, 1, 1);
  wfSetWindowPosition(WF_USE_DEFAULT, 500, 640, 480);
  EXPECT_EQ(wfDefaultPlacement, 1);
  EXPECT_EQ(wfClientX, 4);
  EXPECT_EQ(wfClientY, -1 + 19 + 5);
  EXPECT_EQ(wfClientWidth, 640);
  EXPECT_EQ(wfClientHeight, 480);
}

TEST_F(Settings, DisplayModePolicyAndNumber) {
  wfSetDisplayMode(258);
  EXPECT_EQ(wfGetDisplayMode(), 258);
  EXPECT_EQ(wfRequestedMode, 258);
  wfSetPixelFormatPolicy(WF_PF_EXACT);
  EXPECT_EQ(wfGetPixelFormatPolicy(), WF_PF_EXACT);
  EXPECT_EQ(wfSetPixelFormatNumber(7), 1);
  EXPECT_EQ(wfGetPixelFormatNumber(), 7);
}

TEST_F(Settings, ErrorBoxesKeepOnlyTheLowEightBits) {
  wfSetErrorBoxes(256);
  EXPECT_EQ(wfErrorBoxes, 0);
  wfSetErrorBoxes(0x1ff);
  EXPECT_NE(wfErrorBoxes, 0);
}

TEST_F(Settings, ReportsAreBoxedWithCaptionErrorAndTheFocusWindowAsOwner) {
  HWND owner = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10002));
  platformtest::setFocusWindow(owner);
  wfReportError("Could not get a description of pixel format %d\n", 7);
  const auto& boxes = platformtest::messageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "Could not get a description of pixel format 7\n");
  EXPECT_EQ(boxes[0].owner, owner);
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
}

TEST_F(Settings, ReportsAreSilentWhileBoxesAreOff) {
  wfSetErrorBoxes(256);
  wfReportError("SetPixelFormat failed\n");
  EXPECT_TRUE(platformtest::messageBoxes().empty());
  wfSetErrorBoxes(1);
  wfReportError("SetPixelFormat failed\n");
  ASSERT_EQ(platformtest::messageBoxes().size(), 1u);
  EXPECT_EQ(platformtest::messageBoxes()[0].text, "SetPixelFormat failed\n");
}

TEST_F(Settings, ALongReportIsCutAt255Characters) {
  std::string longText(1000, 'x');
  wfReportError("%s%s", longText.c_str(), "tail");
  ASSERT_EQ(platformtest::messageBoxes().size(), 1u);
  EXPECT_EQ(platformtest::messageBoxes()[0].text, std::string(255, 'x'));
}

TEST_F(Settings, MouseLocationIsClientRelative) {
  wfClientX = 14;
  wfClientY = 43;
  platformtest::setCursorPos(10, 500);
  int32_t x = 99, y = 99;
  wfGetMouseLocation(&x, &y);
  EXPECT_EQ(x, -4);
  EXPECT_EQ(y, 457);
}

TEST_F(Settings, SwapBuffersReachesThePlatform) {
  int before = platformtest::swapCount();
  wfSwapBuffers();
  wfSwapBuffers();
  EXPECT_EQ(platformtest::swapCount(), before + 2);
}

}  // namespace
