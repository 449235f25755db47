// Pixel formats as the palette code reads them: numbered from 1, each described alike,
// the chooser's answer for the display-mode words the program and its tests use, and the
// format set once.
#include "pixfmt/pixfmt.h"
#include "tests/conformance/conformance_fixture.h"
#include "winfw/winfw.h"

namespace conformance {
namespace {

class PixelFormats : public Win32Test {
 protected:
  void SetUp() override {
    Win32Test::SetUp();
    window_ = createWindow();  // hidden: a device context is all it needs
    ASSERT_NE(window_, nullptr);
    dc_ = GetDC(window_);
    ASSERT_NE(dc_, nullptr);
  }
  void TearDown() override {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
    Win32Test::TearDown();
  }
  int formatCount() {
    PIXELFORMATDESCRIPTOR format{};
    return DescribePixelFormat(dc_, 1, sizeof format, &format);
  }
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

TEST_F(PixelFormats, AreNumberedFromOneAndEachIsDescribedWithTheCount) {
  const int count = formatCount();
  ASSERT_GT(count, 0);
  EXPECT_EQ(DescribePixelFormat(dc_, 1, 0, nullptr), count);
  int windowFormats = 0;
  for (int number = 1; number <= count; ++number) {
    PIXELFORMATDESCRIPTOR format{};
    ASSERT_EQ(DescribePixelFormat(dc_, number, sizeof format, &format), count) << number;
    EXPECT_EQ(format.nSize, sizeof format);
    EXPECT_EQ(format.nVersion, 1);
    // A true-colour display: no format needs a palette.
    EXPECT_EQ(format.dwFlags & (PFD_NEED_PALETTE | PFD_NEED_SYSTEM_PALETTE), 0u) << number;
    const DWORD windowAndOpenGl = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((format.dwFlags & windowAndOpenGl) == windowAndOpenGl &&
        format.iPixelType == PFD_TYPE_RGBA) {
      ++windowFormats;
    }
  }
  EXPECT_GT(windowFormats, 0);
  PIXELFORMATDESCRIPTOR none{};
  EXPECT_EQ(DescribePixelFormat(dc_, count + 1, sizeof none, &none), 0);
  EXPECT_EQ(DescribePixelFormat(dc_, 0, sizeof none, &none), 0);
}

// The chooser's answer has what the request names: double buffering, depth (only when
// asked), stencil. Alpha is left out: see platform/README.md.
TEST_F(PixelFormats, TheChooserAnswersEveryModeWithAFormatThatHasWhatItAsks) {
  const int count = formatCount();
  const int32_t modes[] = {
      WF_DOUBLE | WF_DEPTH16,  // the program's
      WF_DOUBLE,
      WF_DEPTH16,
      WF_DOUBLE | WF_DEPTH | WF_STENCIL,
      WF_DOUBLE | WF_DEPTH16 | WF_WHOLE_PALETTE,
  };
  for (int32_t mode : modes) {
    SCOPED_TRACE(::testing::Message() << "mode " << mode);
    PIXELFORMATDESCRIPTOR request{};
    const int number = wfRequestPixelFormat(dc_, mode, &request);
    ASSERT_GE(number, 1);
    ASSERT_LE(number, count);
    PIXELFORMATDESCRIPTOR format{};
    ASSERT_EQ(DescribePixelFormat(dc_, number, sizeof format, &format), count);
    EXPECT_EQ(format.dwFlags & (PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL),
              static_cast<DWORD>(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL));
    EXPECT_EQ(format.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(format.iLayerType, PFD_MAIN_PLANE);
    EXPECT_GE(format.cColorBits, 24);
    EXPECT_TRUE(!(mode & WF_DOUBLE) || (format.dwFlags & PFD_DOUBLEBUFFER));
    EXPECT_TRUE(!(mode & WF_DEPTH16) || format.cDepthBits >= 16);
    EXPECT_TRUE(!(mode & WF_DEPTH) || format.cDepthBits >= 24);
    EXPECT_TRUE(!(mode & WF_STENCIL) || format.cStencilBits > 0);
    EXPECT_EQ(format.cDepthBits == 0, (mode & (WF_DEPTH | WF_DEPTH16)) == 0)
        << "depth " << int(format.cDepthBits);
  }
}

TEST_F(PixelFormats, AreSetOnceAndCarryARenderingContext) {
  EXPECT_EQ(GetPixelFormat(dc_), 0);
  PIXELFORMATDESCRIPTOR request{};
  const int number = wfRequestPixelFormat(dc_, WF_DOUBLE | WF_DEPTH16, &request);
  ASSERT_GT(number, 0);
  ASSERT_TRUE(SetPixelFormat(dc_, number, &request));
  EXPECT_EQ(GetPixelFormat(dc_), number);
  const int other = number == 1 ? 2 : 1;
  if (formatCount() > 1) {
    EXPECT_FALSE(SetPixelFormat(dc_, other, &request));
    EXPECT_EQ(GetPixelFormat(dc_), number);
  }
  HGLRC context = wglCreateContext(dc_);
  ASSERT_NE(context, nullptr);
  EXPECT_TRUE(wglMakeCurrent(dc_, context));
  EXPECT_TRUE(SwapBuffers(dc_));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_TRUE(wglDeleteContext(context));
}

}  // namespace
}  // namespace conformance
