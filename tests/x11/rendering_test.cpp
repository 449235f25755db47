// Pixel formats and OpenGL rendering through the X11 driver, checked on the pixels the X
// server holds.
#include "tests/x11/driver_fixture.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>

namespace x11test {
namespace {

class RenderingTest : public X11DriverTest {
 protected:
  // Every format's description, numbered from 1 (entry 0 unused).
  std::vector<PIXELFORMATDESCRIPTOR> describeAll(HDC dc) {
    PIXELFORMATDESCRIPTOR first{};
    int count = DescribePixelFormat(dc, 1, sizeof first, &first);
    std::vector<PIXELFORMATDESCRIPTOR> all(static_cast<size_t>(count > 0 ? count + 1 : 1));
    for (int number = 1; number <= count; ++number)
      EXPECT_EQ(DescribePixelFormat(dc, number, sizeof(PIXELFORMATDESCRIPTOR), &all[number]),
                count);
    return all;
  }

  // Clears the window to a colour with a context on the given format and shows it; returns
  // the pixels at the corners and the centre as the server holds them. The image travels
  // on the program's own connection, so it is waited for (up to 3 s) on the test's.
  std::vector<Rgb> clearAndRead(HWND window, const std::string& title, int format,
                                const Rgb& colour) {
    HDC dc = GetDC(window);
    PIXELFORMATDESCRIPTOR descriptor{};
    DescribePixelFormat(dc, format, sizeof descriptor, &descriptor);
    EXPECT_TRUE(SetPixelFormat(dc, format, &descriptor));
    HGLRC context = wglCreateContext(dc);
    EXPECT_NE(context, nullptr);
    EXPECT_TRUE(wglMakeCurrent(dc, context));
    glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(SwapBuffers(dc));
    glFinish();
    std::vector<Rgb> seen;
    Window native = nativeWindow(title);
    Geometry geometry{};
    if (native != None && windowGeometry(display_, native, &geometry)) {
      for (int attempt = 0; attempt < 300; ++attempt) {
        seen = cornersAndCentre(native, geometry);
        if (std::all_of(seen.begin(), seen.end(), [&](const Rgb& p) { return p == colour; }))
          break;
        usleep(10000);
      }
    }
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_TRUE(wglDeleteContext(context));
    return seen;
  }

  std::vector<Rgb> cornersAndCentre(Window native, const Geometry& geometry) {
    std::vector<Rgb> seen;
    for (auto [x, y] : {std::pair{0, 0}, {geometry.width - 1, 0}, {0, geometry.height - 1},
                        {geometry.width - 1, geometry.height - 1},
                        {geometry.width / 2, geometry.height / 2}}) {
      std::vector<Rgb> pixel = readPixels(display_, native, x, y, 1, 1);
      seen.push_back(pixel.empty() ? Rgb{1, 2, 3} : pixel[0]);
    }
    return seen;
  }
};

TEST_F(RenderingTest, FormatsAreNumberedFromOneAndDescribedAsTheDisplayHasThem) {
  HWND window = openWindow("formats", 0, 0, 64, 64);
  ASSERT_NE(window, nullptr);
  HDC dc = GetDC(window);
  std::vector<PIXELFORMATDESCRIPTOR> formats = describeAll(dc);
  const int count = static_cast<int>(formats.size()) - 1;
  ASSERT_GE(count, 1);
  PIXELFORMATDESCRIPTOR beyond{};
  EXPECT_EQ(DescribePixelFormat(dc, count + 1, sizeof beyond, &beyond), 0);
  EXPECT_EQ(DescribePixelFormat(dc, 0, sizeof beyond, &beyond), 0);

  // The screen's own visual tells where each channel lives in a pixel.
  Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
  ASSERT_EQ(visual->c_class, TrueColor);
  const int redShift = __builtin_ctzl(visual->red_mask);
  const int greenShift = __builtin_ctzl(visual->green_mask);
  const int blueShift = __builtin_ctzl(visual->blue_mask);

  int doubleBufferedRgbaWithDepth = 0;
  for (int number = 1; number <= count; ++number) {
    const PIXELFORMATDESCRIPTOR& f = formats[static_cast<size_t>(number)];
    SCOPED_TRACE("format " + std::to_string(number));
    EXPECT_EQ(f.nSize, 40);
    EXPECT_EQ(f.nVersion, 1);
    EXPECT_EQ(f.dwFlags & (PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL),
              static_cast<DWORD>(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL));
    EXPECT_EQ(f.dwFlags & (PFD_NEED_PALETTE | PFD_NEED_SYSTEM_PALETTE), 0u)
        << "a TrueColor display needs no palette";
    EXPECT_EQ(f.iLayerType, PFD_MAIN_PLANE);
    if (f.iPixelType != PFD_TYPE_RGBA) continue;
    EXPECT_EQ(f.cColorBits, f.cRedBits + f.cGreenBits + f.cBlueBits);
    EXPECT_EQ(f.cRedBits, 8);
    EXPECT_EQ(f.cRedShift, redShift);
    EXPECT_EQ(f.cGreenShift, greenShift);
    EXPECT_EQ(f.cBlueShift, blueShift);
    EXPECT_EQ(f.cAccumBits,
              f.cAccumRedBits + f.cAccumGreenBits + f.cAccumBlueBits + f.cAccumAlphaBits);
    if ((f.dwFlags & PFD_DOUBLEBUFFER) && f.cDepthBits >= 16) ++doubleBufferedRgbaWithDepth;
  }
  EXPECT_GE(doubleBufferedRgbaWithDepth, 1);

  // The framework's request (double-buffered RGBA, 24 colour bits, 16 depth bits) finds
  // a format that has what it asked for.
  PIXELFORMATDESCRIPTOR request{};
  request.nSize = sizeof request;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 24;
  request.cDepthBits = 16;
  int chosen = ChoosePixelFormat(dc, &request);
  ASSERT_GE(chosen, 1);
  ASSERT_LE(chosen, count);
  EXPECT_TRUE(formats[static_cast<size_t>(chosen)].dwFlags & PFD_DOUBLEBUFFER);
  EXPECT_GE(formats[static_cast<size_t>(chosen)].cDepthBits, 16);
}

TEST_F(RenderingTest, ClearColourReachesTheWindowThroughACurrentContext) {
  HWND window = openWindow("clear colour", 30, 40, 160, 120);
  ASSERT_NE(window, nullptr);
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR request{};
  request.nSize = sizeof request;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.cColorBits = 24;
  request.cDepthBits = 16;
  int format = ChoosePixelFormat(dc, &request);
  ASSERT_GE(format, 1);

  for (const Rgb& pixel : clearAndRead(window, "clear colour", format, Rgb{255, 0, 255}))
    EXPECT_EQ(pixel, (Rgb{255, 0, 255}));
}

// A window on the screen before its format is set has the default visual.
TEST_F(RenderingTest, FormatOfAnotherVisualRecreatesTheWindowInPlace) {
  HWND window = openWindow("other visual", 70, 80, 120, 90);
  ASSERT_NE(window, nullptr);
  Window before = nativeWindow("other visual");
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display_, before, &attributes));
  const VisualID createdWith = XVisualIDFromVisual(attributes.visual);

  // A format whose visual is not the one the window was created with.
  HDC dc = GetDC(window);
  const int count = DescribePixelFormat(dc, 1, 0, nullptr);
  int other = 0;
  int visualOfOther = 0;
  for (int number = 1; number <= count && other == 0; ++number) {
    PIXELFORMATDESCRIPTOR f{};
    DescribePixelFormat(dc, number, sizeof f, &f);
    if (!(f.dwFlags & PFD_DOUBLEBUFFER) || f.iPixelType != PFD_TYPE_RGBA) continue;
    // The GLX visual of a format is only known to the driver; a 32-bit pixel with alpha
    // above the colour channels can only be a visual other than the 24-bit default.
    if (f.cAlphaBits == 8 && f.cAlphaShift == 24) {
      other = number;
      visualOfOther = 32;
    }
  }
  if (other == 0) GTEST_SKIP() << "the display offers no format on a second visual";

  for (const Rgb& pixel : clearAndRead(window, "other visual", other, Rgb{0, 255, 255}))
    EXPECT_EQ(pixel, (Rgb{0, 255, 255}));

  Window after = nativeWindow("other visual");
  ASSERT_NE(after, static_cast<Window>(None));
  ASSERT_TRUE(XGetWindowAttributes(display_, after, &attributes));
  EXPECT_NE(XVisualIDFromVisual(attributes.visual), createdWith);
  EXPECT_EQ(attributes.depth, visualOfOther);
  EXPECT_EQ(attributes.map_state, IsViewable);
  Geometry geometry{};
  ASSERT_TRUE(windowGeometry(display_, after, &geometry));
  EXPECT_EQ(geometry.x, 70);
  EXPECT_EQ(geometry.y, 80);
  EXPECT_EQ(geometry.width, 120);
  EXPECT_EQ(geometry.height, 90);

  // The same handle still hears from the new native window.
  keepWindowsOnClose(true);
  sendWmDeleteWindow(display_, after);
  ASSERT_TRUE(pumpUntil([&] { return hasReceived(WM_CLOSE); }));
  EXPECT_EQ(receivedOf(WM_CLOSE).back().window, window);
}

}  // namespace
}  // namespace x11test
