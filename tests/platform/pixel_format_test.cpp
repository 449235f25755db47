// Pixel formats: numbering from the driver's list, description, the closest-match chooser,
// and setting a format once per device context.
#include "tests/platform/platform_fixture.h"

namespace {

using PixelFormats = FreshPlatform;

PIXELFORMATDESCRIPTOR request(BYTE pixelType, BYTE colourBits, DWORD flags, BYTE depth) {
  PIXELFORMATDESCRIPTOR r = {};
  r.nSize = sizeof r;
  r.nVersion = 1;
  r.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | flags;
  r.iPixelType = pixelType;
  r.cColorBits = colourBits;
  r.cDepthBits = depth;
  return r;
}

TEST_F(PixelFormats, DescribingReturnsTheCountAndFillsOnlyAValidNumberWithRoomEnough) {
  const auto formats = platformtest::paletteDeviceFormats();
  platformtest::setFormats(formats);
  HDC dc = platformtest::createDeviceContext();
  const int count = static_cast<int>(formats.size());

  PIXELFORMATDESCRIPTOR described = {};
  EXPECT_EQ(DescribePixelFormat(dc, 5, sizeof described, &described), count);
  EXPECT_EQ(described.iPixelType, PFD_TYPE_COLORINDEX);  // number 5 is the fifth entry
  EXPECT_EQ(described.cDepthBits, 16);

  PIXELFORMATDESCRIPTOR untouched = {};
  untouched.cColorBits = 99;
  EXPECT_EQ(DescribePixelFormat(dc, 1, 39, &untouched), count);
  EXPECT_EQ(untouched.cColorBits, 99);
  EXPECT_EQ(DescribePixelFormat(dc, 1, 0, nullptr), count);
  EXPECT_EQ(DescribePixelFormat(dc, 0, sizeof described, &described), 0);
  EXPECT_EQ(DescribePixelFormat(dc, count + 1, sizeof described, &described), 0);
  EXPECT_EQ(DescribePixelFormat(nullptr, 1, sizeof described, &described), 0);
}

TEST_F(PixelFormats, TheChooserPrefersTheRequestedBufferingThenDepthThenBuffers) {
  HDC dc = platformtest::createDeviceContext();  // the true-colour script
  PIXELFORMATDESCRIPTOR wanted = request(PFD_TYPE_RGBA, 24, PFD_DOUBLEBUFFER, 16);
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 3);  // RGBA 24, double, depth 16: exact
  wanted = request(PFD_TYPE_RGBA, 24, 0, 16);
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 4);  // the single-buffered one
  wanted = request(PFD_TYPE_RGBA, 24, PFD_DOUBLEBUFFER, 0);
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 5);  // no depth asked: the one without
  wanted = request(PFD_TYPE_RGBA, 32, PFD_DOUBLEBUFFER, 24);
  wanted.cAlphaBits = 8;
  wanted.cStencilBits = 8;
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 1);  // 7 also matches but has accumulation
  wanted.cAccumBits = 32;
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 7);
  wanted = request(PFD_TYPE_COLORINDEX, 8, PFD_DOUBLEBUFFER, 16);
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 0);  // no colour-index format on this display
}

TEST_F(PixelFormats, TheChooserSettlesForTheOtherBufferingRatherThanNothing) {
  platformtest::setFormats({platformtest::rgbaFormat(8, 16, 8, 8, 8, 0, 0)});
  HDC dc = platformtest::createDeviceContext();
  const PIXELFORMATDESCRIPTOR wanted = request(PFD_TYPE_RGBA, 24, PFD_DOUBLEBUFFER, 16);
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 1);
}

TEST_F(PixelFormats, TheChooserNeverOffersAFormatMissingARequiredCapability) {
  PIXELFORMATDESCRIPTOR bitmapOnly = platformtest::rgbaFormat(8, 16, 8, 8, 8, 0, PFD_DOUBLEBUFFER);
  bitmapOnly.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  PIXELFORMATDESCRIPTOR overlay = platformtest::rgbaFormat(8, 16, 8, 8, 8, 0, PFD_DOUBLEBUFFER);
  overlay.iLayerType = 1;
  platformtest::setFormats({bitmapOnly, overlay});
  HDC dc = platformtest::createDeviceContext();
  const PIXELFORMATDESCRIPTOR wanted = request(PFD_TYPE_RGBA, 24, PFD_DOUBLEBUFFER, 0);
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 0);
}

TEST_F(PixelFormats, OnAPaletteDeviceTheEightBitFormatsAreTheClosest) {
  platformtest::setFormats(platformtest::paletteDeviceFormats());
  HDC dc = platformtest::createDeviceContext();
  PIXELFORMATDESCRIPTOR wanted = request(PFD_TYPE_RGBA, 24, PFD_DOUBLEBUFFER, 16);
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 1);
  wanted = request(PFD_TYPE_COLORINDEX, 8, 0, 0);
  EXPECT_EQ(ChoosePixelFormat(dc, &wanted), 7);
}

TEST_F(PixelFormats, AFormatIsSetOncePerDeviceContext) {
  HDC dc = platformtest::createDeviceContext();
  HDC other = platformtest::createDeviceContext();
  EXPECT_EQ(GetPixelFormat(dc), 0);
  EXPECT_FALSE(SetPixelFormat(dc, 8, nullptr));  // beyond the seven formats
  EXPECT_FALSE(SetPixelFormat(dc, 0, nullptr));
  EXPECT_EQ(GetPixelFormat(dc), 0);
  EXPECT_TRUE(SetPixelFormat(dc, 3, nullptr));
  EXPECT_EQ(GetPixelFormat(dc), 3);
  EXPECT_FALSE(SetPixelFormat(dc, 3, nullptr));
  EXPECT_FALSE(SetPixelFormat(dc, 2, nullptr));
  EXPECT_EQ(GetPixelFormat(dc), 3);
  EXPECT_TRUE(SetPixelFormat(other, 2, nullptr));
  EXPECT_EQ(GetPixelFormat(nullptr), 0);
}

}  // namespace
