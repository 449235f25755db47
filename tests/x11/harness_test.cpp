// The harness itself: its server, its input, its window search and its pixel reading must
// be right before any driver test can rely on them.
// The harness header first: it orders GoogleTest before Xlib.
#include "tests/x11/x11_harness.h"
// (keep this order)
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <png.h>
#include <unistd.h>

#include <string>

namespace x11test {
namespace {

class HarnessTest : public XvfbTest {
 protected:
  // A mapped top-level window of the test's own connection with a solid background.
  Window makeWindow(const std::string& title, int x, int y, int width, int height,
                    unsigned long background) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel = background;
    attributes.event_mask = KeyPressMask | ExposureMask | StructureNotifyMask;
    Window window = XCreateWindow(display_, DefaultRootWindow(display_), x, y,
                                  static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                  CopyFromParent, InputOutput, CopyFromParent,
                                  CWBackPixel | CWEventMask, &attributes);
    XStoreName(display_, window, title.c_str());
    XMapWindow(display_, window);
    XEvent event;
    do XWindowEvent(display_, window, StructureNotifyMask, &event);
    while (event.type != MapNotify);
    return window;
  }

  // The pixel value of an 8-bit-per-channel colour on the default TrueColor visual.
  unsigned long pixelOf(int r, int g, int b) {
    XColor colour{};
    colour.red = static_cast<unsigned short>(r * 257);
    colour.green = static_cast<unsigned short>(g * 257);
    colour.blue = static_cast<unsigned short>(b * 257);
    XAllocColor(display_, DefaultColormap(display_, DefaultScreen(display_)), &colour);
    return colour.pixel;
  }
};

TEST_F(HarnessTest, ServerHasTheAgreedScreenAndGlx) {
  EXPECT_EQ(DisplayWidth(display_, DefaultScreen(display_)), 1280);
  EXPECT_EQ(DisplayHeight(display_, DefaultScreen(display_)), 1024);
  EXPECT_EQ(DefaultDepth(display_, DefaultScreen(display_)), 24);
  int opcode = 0, event = 0, error = 0;
  EXPECT_TRUE(XQueryExtension(display_, "GLX", &opcode, &event, &error));
  EXPECT_TRUE(XQueryExtension(display_, "XTEST", &opcode, &event, &error));
  EXPECT_STREQ(getenv("DISPLAY"), displayName().c_str());
}

TEST_F(HarnessTest, FindsWindowsByTitleAndReadsTheirColours) {
  Window window = makeWindow("harness: orange", 40, 60, 50, 30, pixelOf(255, 128, 0));
  EXPECT_EQ(findWindowByTitle(display_, "harness: orange"), window);
  EXPECT_EQ(findWindowByTitle(display_, "harness: absent"), static_cast<Window>(None));

  Geometry geometry{};
  ASSERT_TRUE(windowGeometry(display_, window, &geometry));
  EXPECT_EQ(geometry.x, 40);
  EXPECT_EQ(geometry.y, 60);
  EXPECT_EQ(geometry.width, 50);
  EXPECT_EQ(geometry.height, 30);

  std::vector<Rgb> pixels = readPixels(display_, window, 0, 0, 50, 30);
  ASSERT_EQ(pixels.size(), 50u * 30u);
  EXPECT_EQ(pixels.front(), (Rgb{255, 128, 0}));
  EXPECT_EQ(pixels.back(), (Rgb{255, 128, 0}));
  // Outside the window there is nothing to read.
  EXPECT_TRUE(readPixels(display_, window, 40, 20, 50, 30).empty());
}

TEST_F(HarnessTest, PngSnapshotHoldsTheWindowsPixels) {
  // Left half blue (background), right half green (a filled rectangle).
  Window window = makeWindow("harness: png", 10, 10, 8, 4, pixelOf(0, 0, 255));
  GC gc = XCreateGC(display_, window, 0, nullptr);
  XSetForeground(display_, gc, pixelOf(0, 255, 0));
  XFillRectangle(display_, window, gc, 4, 0, 4, 4);
  XFreeGC(display_, gc);
  XSync(display_, False);

  std::string path = "/tmp/x11_harness_" + std::to_string(getpid()) + ".png";
  ASSERT_TRUE(savePng(display_, window, path));

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> decoded(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr));
  unlink(path.c_str());
  ASSERT_EQ(image.width, 8u);
  ASSERT_EQ(image.height, 4u);
  auto at = [&](int x, int y) {
    size_t i = (static_cast<size_t>(y) * 8 + static_cast<size_t>(x)) * 3;
    return Rgb{decoded[i], decoded[i + 1], decoded[i + 2]};
  };
  EXPECT_EQ(at(0, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(at(3, 3), (Rgb{0, 0, 255}));
  EXPECT_EQ(at(4, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(at(7, 3), (Rgb{0, 255, 0}));
}

TEST_F(HarnessTest, FakeInputReachesTheServer) {
  movePointer(display_, 321, 123);
  Window root = None, child = None;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int mask = 0;
  ASSERT_TRUE(XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX,
                            &rootY, &x, &y, &mask));
  EXPECT_EQ(rootX, 321);
  EXPECT_EQ(rootY, 123);

  pressButton(display_, 1);
  XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &x, &y,
                &mask);
  EXPECT_TRUE(mask & Button1Mask);
  releaseButton(display_, 1);

  // A key typed into a focused window arrives as that key.
  Window window = makeWindow("harness: keys", 0, 0, 20, 20, pixelOf(0, 0, 0));
  XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
  tapKey(display_, XK_q);
  XEvent event;
  XWindowEvent(display_, window, KeyPressMask, &event);
  EXPECT_EQ(XLookupKeysym(&event.xkey, 0), static_cast<KeySym>(XK_q));
}

}  // namespace
}  // namespace x11test
