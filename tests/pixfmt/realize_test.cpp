// Realising the window's palette: the static colours taken in the foreground, given back
// in the background, deferred through the window's queue when the system refuses.
#include <cstring>

#include "tests/pixfmt/pixfmt_fixture.h"

using namespace pixfmttest;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
// The black-and-white scheme, by system colour index.
const COLORREF kMono[25] = {kWhite, kBlack, kBlack, kWhite, kWhite, kWhite, kBlack,
                            kBlack, kBlack, kWhite, kWhite, kWhite, kWhite, kBlack,
                            kWhite, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack,
                            kBlack, kWhite, kBlack, kWhite};

COLORREF rgbOf(COLORREF c) { return c & 0xFFFFFF; }

class Realisation : public PixfmtTest {
 protected:
  void SetUp() override {
    PixfmtTest::SetUp();
    for (int i = 0; i < 25; ++i) before[i] = GetSysColor(i);
  }
  // A palette-device window whose palette claims the whole system palette.
  HDC wholePaletteWindow() {
    return deviceContextWith({threeThreeTwoFormat(PFD_NEED_SYSTEM_PALETTE)}, 1, true);
  }
  COLORREF before[25] = {};
};

TEST_F(Realisation, WithoutTheClaimBothDirectionsSelectInTheForeground) {
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 1);
  occupySystemPalette();
  HPALETTE palette = distinctPalette(30);
  wfPalette = palette;
  EXPECT_GT(wfSelectAndRealize(dc, palette, true), 0);
  EXPECT_TRUE(holdsFirstFreeSlot(palette)) << "realised in the background";
  EXPECT_EQ(systemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(callCount("SetSysColors"), 0);
  EXPECT_EQ(callCount("UnrealizeObject"), 0);
}

TEST_F(Realisation, TheForegroundTakesTheStaticColoursOnce) {
  HDC dc = wholePaletteWindow();
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);  // realised in the foreground
  EXPECT_EQ(wfStaticColoursTaken, 1);
  EXPECT_EQ(systemPaletteUse(), static_cast<UINT>(SYSPAL_NOSTATIC));
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(rgbOf(GetSysColor(i)), kMono[i]) << "colour " << i;
    EXPECT_EQ(wfSavedSysColours[i], before[i]) << "colour " << i;
  }
  EXPECT_EQ(broadcastCount(WM_SYSCOLORCHANGE), 1);

  // The user changes a colour meanwhile; a second activation saves and sets nothing.
  const int changed[] = {3};
  const COLORREF red[] = {0x0000FF};
  SetSysColors(1, changed, red);
  EXPECT_GE(wfSelectAndRealize(dc, wfPalette, false), 0);
  EXPECT_EQ(GetSysColor(3), 0x0000FFu);
  EXPECT_EQ(wfSavedSysColours[3], before[3]);
  EXPECT_EQ(broadcastCount(WM_SYSCOLORCHANGE), 1);
}

TEST_F(Realisation, OnlyTheCountedSystemColoursAreTaken) {
  wfSysColourCount = 21;
  HDC dc = wholePaletteWindow();
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  EXPECT_EQ(rgbOf(GetSysColor(20)), kMono[20]);
  for (int i = 21; i < 25; ++i) EXPECT_EQ(GetSysColor(i), before[i]) << "colour " << i;
}

TEST_F(Realisation, ACountBeyondTheTablesStopsAtTheirTwentyFiveColours) {
  const COLORREF beyond = GetSysColor(25);
  wfSysColourCount = 40;
  HDC dc = wholePaletteWindow();
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  EXPECT_EQ(rgbOf(GetSysColor(24)), kMono[24]);
  EXPECT_EQ(GetSysColor(25), beyond);
  setRegistryString("InfoWindow", "1 2 3");
  EXPECT_EQ(wfReturnStaticColours(dc), 1);
  EXPECT_EQ(GetSysColor(24), 0x00030201u);
  EXPECT_EQ(GetSysColor(25), beyond);
}

TEST_F(Realisation, TheBackgroundGivesTheColoursBackFromTheRegistryAndTheSavedValues) {
  HDC dc = wholePaletteWindow();
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  setRegistryString("Scrollbar", "10 20 300");
  setRegistryString("Menu", "1 2");  // too few numbers: the saved colour stays
  const DWORD number = 0x00112233;
  setRegistryValue("Window", REG_DWORD, &number, sizeof number);
  setRegistryString("WindowFrame", std::string(70, '1'));  // longer than 64 bytes
  setRegistryString("InfoWindow", " 255\t128 -1");

  EXPECT_GE(wfSelectAndRealize(dc, wfPalette, true), 0);
  EXPECT_EQ(GetSysColor(0), 0x002C140Au);
  EXPECT_EQ(GetSysColor(24), 0x00FF80FFu);
  for (int i = 1; i < 24; ++i) EXPECT_EQ(GetSysColor(i), before[i]) << "colour " << i;
  EXPECT_EQ(systemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(broadcastCount(WM_SYSCOLORCHANGE), 2);
  EXPECT_EQ(wfStaticColoursTaken, 0);

  // Nothing taken: nothing to give back.
  EXPECT_EQ(wfReturnStaticColours(dc), 0);
  EXPECT_EQ(broadcastCount(WM_SYSCOLORCHANGE), 2);
}

TEST_F(Realisation, WithoutTheRegistryKeyTheSavedColoursComeBack) {
  removeColoursKey();
  HDC dc = wholePaletteWindow();
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  EXPECT_EQ(wfReturnStaticColours(dc), 1);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(GetSysColor(i), before[i]) << "colour " << i;
  COLORREF colours[2] = {7, 8};
  EXPECT_EQ(wfReadRegistryColours(colours, 2), 0);
  EXPECT_EQ(colours[0], 7u);
  EXPECT_EQ(colours[1], 8u);
}

TEST_F(Realisation, AValueFillingTheWholeBufferIsReadWithinIt) {
  // 64 bytes, no terminating NUL, the last number ending in the last byte.
  const std::string full = std::string(59, ' ') + "7 8 9";
  ASSERT_EQ(full.size(), 64u);
  setRegistryValue("Scrollbar", REG_SZ, full.data(), 64);
  std::string digits(64, '9');  // one huge number and nothing after it
  setRegistryValue("Background", REG_SZ, digits.data(), 64);
  COLORREF colours[2] = {1, 2};
  EXPECT_EQ(wfReadRegistryColours(colours, 2), 1);
  EXPECT_EQ(colours[0], 0x00090807u);
  EXPECT_EQ(colours[1], 2u);
}

TEST_F(Realisation, ATakeRefusedTwiceLeavesOneRequestWaiting) {
  HDC dc = wholePaletteWindow();
  SetSystemPaletteUse(dc, SYSPAL_NOSTATIC);  // someone else holds the system palette
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  EXPECT_EQ(wfSelectAndRealize(dc, wfPalette, false), -1);
  EXPECT_EQ(wfStaticColoursTaken, 0);
  EXPECT_EQ(callCount("SetSysColors"), 0);
  EXPECT_GE(callCount("Sleep"), 2);

  // The request, once handled, tries again and now succeeds.
  SetSystemPaletteUse(dc, SYSPAL_STATIC);
  MSG request;
  ASSERT_TRUE(PeekMessageA(&request, wfWindow, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(drainWaiting(wfWindow, WM_USER), 0) << "a second request was waiting";
  LRESULT result = -7;
  ASSERT_TRUE(wfHandlePaletteMessage(wfWindow, WM_USER, 0, 0, &result));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(wfStaticColoursTaken, 1);
  EXPECT_EQ(drainWaiting(wfWindow, WM_USER), 0);
}

TEST_F(Realisation, ARefusalWhileHandlingTheRequestPostsANewOne) {
  HDC dc = wholePaletteWindow();
  SetSystemPaletteUse(dc, SYSPAL_NOSTATIC);
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  ASSERT_EQ(drainWaiting(wfWindow, WM_USER), 1);
  LRESULT result = -7;
  ASSERT_TRUE(wfHandlePaletteMessage(wfWindow, WM_USER, 0, 0, &result));
  EXPECT_EQ(drainWaiting(wfWindow, WM_USER), 1);
  EXPECT_EQ(wfStaticColoursTaken, 0);
}

TEST_F(Realisation, FailuresToUnrealizeOrSelectGiveMinusOne) {
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 1);
  HPALETTE palette = distinctPalette(8);
  failNext("SelectPalette", 1);
  EXPECT_EQ(wfSelectAndRealize(dc, palette, false), -1);
  EXPECT_EQ(callCount("RealizePalette"), 0);

  wfUseWholePalette = 1;
  failNext("UnrealizeObject", 1);
  EXPECT_EQ(wfSelectAndRealize(dc, palette, false), -1);
  EXPECT_EQ(callCount("SelectPalette"), 1);
  EXPECT_EQ(wfSelectAndRealize(dc, nullptr, true), -1);
  DeleteObject(palette);
}

TEST_F(Realisation, RequestsAndRepaintsAreNotDoubled) {
  deviceContextWith({threeThreeTwoFormat()}, 1, true);
  wfPostRealizeRequest();
  wfPostRealizeRequest();
  EXPECT_EQ(drainWaiting(wfWindow, WM_USER), 1);

  wfRequestRepaint(wfWindow);
  wfRequestRepaint(wfWindow);
  EXPECT_EQ(callCount("InvalidateRect"), 1);
  MSG paint;
  EXPECT_TRUE(PeekMessageA(&paint, wfWindow, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

}  // namespace
