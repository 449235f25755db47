// The window's logical palette: RGB palettes of palette-device formats, colour-index
// palettes, the static colours' places, and the system-palette flush.
#include "tests/pixfmt/pixfmt_fixture.h"

using namespace pixfmttest;

namespace {

// The system's 20 static colours, as the display's default palette holds them.
const PALETTEENTRY kStatic[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};
const BYTE kLevels2[4] = {0, 116, 191, 255};
const BYTE kLevels3[8] = {0, 63, 104, 139, 171, 200, 229, 255};

class RgbPalette : public PixfmtTest {};

TEST_F(RgbPalette, TheStaticColoursGoToTheirExactOrNearestEntries) {
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 1);
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  const int expectedSlots[20] = {0,   3,   24,  27,  64,  67, 88, 173, 181, 236,
                                 247, 164, 91,  7,   56,  63, 192, 199, 248, 255};
  for (int k = 0; k < 20; ++k) EXPECT_EQ(wfStaticSlots[k], expectedSlots[k]) << "colour " << k;

  const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
  ASSERT_EQ(entries.size(), 256u);
  int flagsZero = 0;
  for (int i = 0; i < 256; ++i) {
    if (entries[i].peFlags == 0) {
      ++flagsZero;
    } else {
      EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE) << "entry " << i;
    }
  }
  EXPECT_EQ(flagsZero, 20);
  for (int k = 0; k < 20; ++k) EXPECT_EQ(entries[expectedSlots[k]], kStatic[k]) << "colour " << k;
  EXPECT_EQ(wfUseWholePalette, 0);
}

TEST_F(RgbPalette, EntriesHoldTheRampColoursOfTheirBitsExceptTheStaticSlots) {
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 1);
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
  ASSERT_EQ(entries.size(), 256u);
  // 77 = blue 01, green 001, red 101.
  EXPECT_EQ(entries[77], (PALETTEENTRY{200, 63, 116, PC_NOCOLLAPSE}));
  // 181 would be 200, 229, 191 by its bits; it is the slot of static colour 8.
  EXPECT_EQ(entries[181], (PALETTEENTRY{192, 220, 192, 0}));
  for (int i : {1, 100, 130, 254}) {
    EXPECT_EQ(entries[i],
              (PALETTEENTRY{kLevels3[i % 8], kLevels3[(i / 8) % 8], kLevels2[i / 64], PC_NOCOLLAPSE}))
        << "entry " << i;
  }
}

TEST_F(RgbPalette, TheWholePaletteClaimPlacesNoStaticColours) {
  for (bool byMode : {true, false}) {
    SCOPED_TRACE(byMode ? "asked by the display mode" : "needed by the format");
    wfRestoreInitialState();
    wfRestorePaletteState();
    resetPlatform();
    HDC dc = deviceContextWith({threeThreeTwoFormat(byMode ? 0 : PFD_NEED_SYSTEM_PALETTE)}, 1);
    if (byMode) wfDisplayMode = WF_DOUBLE | WF_WHOLE_PALETTE;
    ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
    EXPECT_EQ(wfUseWholePalette, 1);
    const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(entries[0], (PALETTEENTRY{0, 0, 0, 0}));
    EXPECT_EQ(entries[255], (PALETTEENTRY{255, 255, 255, 0}));
    EXPECT_EQ(entries[181], (PALETTEENTRY{200, 229, 191, PC_NOCOLLAPSE}));
    for (int i = 1; i < 255; ++i) ASSERT_EQ(entries[i].peFlags, PC_NOCOLLAPSE) << "entry " << i;
  }
}

TEST_F(RgbPalette, OtherLayoutsFollowTheRampsWithoutStaticColours) {
  PIXELFORMATDESCRIPTOR twoBits = threeThreeTwoFormat();  // 8 colour bits: 256 entries
  twoBits.cRedBits = 2;
  twoBits.cGreenBits = 2;
  twoBits.cGreenShift = 2;
  twoBits.cBlueBits = 2;
  twoBits.cBlueShift = 4;
  HDC dc = deviceContextWith({twoBits}, 1);
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
  ASSERT_EQ(entries.size(), 256u);
  // 27 = 01 10 11: red 3, green 2, blue 1; 0xC0 has no colour bits at all.
  EXPECT_EQ(entries[27], (PALETTEENTRY{255, 191, 116, PC_NOCOLLAPSE}));
  EXPECT_EQ(entries[0xC0], (PALETTEENTRY{0, 0, 0, PC_NOCOLLAPSE}));
  EXPECT_EQ(entries[0], (PALETTEENTRY{0, 0, 0, PC_NOCOLLAPSE}));
  EXPECT_EQ(entries[255], (PALETTEENTRY{255, 255, 255, PC_NOCOLLAPSE}));
}

TEST_F(RgbPalette, AFourBitFormatGetsSixteenEntriesAndNoFlush) {
  PIXELFORMATDESCRIPTOR small = rgbaFormat(4, PFD_NEED_PALETTE);
  small.cRedBits = 1;
  small.cGreenBits = 2;
  small.cGreenShift = 1;
  small.cBlueBits = 1;
  small.cBlueShift = 3;
  HDC dc = deviceContextWith({small}, 1);
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
  ASSERT_EQ(entries.size(), 16u);
  EXPECT_EQ(entries[13], (PALETTEENTRY{255, 191, 255, PC_NOCOLLAPSE}));  // 1 10 1
  EXPECT_EQ(entries[2], (PALETTEENTRY{0, 116, 0, PC_NOCOLLAPSE}));
  EXPECT_EQ(callCount("CreatePalette"), 1);  // no temporary flush palette
}

TEST_F(RgbPalette, AFormatDeeperThanAPaletteGetsTwoHundredAndFiftySixEntries) {
  PIXELFORMATDESCRIPTOR deep = rgbaFormat(24, PFD_NEED_PALETTE);
  deep.cRedBits = 8;
  deep.cGreenBits = 8;
  deep.cGreenShift = 8;
  deep.cBlueBits = 8;
  deep.cBlueShift = 16;
  HDC dc = deviceContextWith({deep}, 1);
  ASSERT_NE(wfBuildRgbPalette(dc), nullptr);
  const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
  ASSERT_EQ(entries.size(), 256u);
  EXPECT_EQ(entries[200], (PALETTEENTRY{200, 0, 0, PC_NOCOLLAPSE}));  // 8 bits: unscaled
}

TEST_F(RgbPalette, NoPaletteWithoutTheNeedOrWithoutAFormat) {
  HDC dc = deviceContextWith({rgbaFormat(24), indexFormat(8)}, 1);
  EXPECT_EQ(wfBuildRgbPalette(dc), nullptr);
  EXPECT_EQ(wfBuildIndexPalette(dc), nullptr);
  EXPECT_EQ(callCount("CreatePalette"), 0);

  resetPlatform();
  dc = deviceContextWith({threeThreeTwoFormat()}, 0);  // no format set
  EXPECT_EQ(wfBuildRgbPalette(dc), nullptr);
  EXPECT_EQ(errorTexts().size(), 1u);
}

TEST_F(RgbPalette, NoMemoryOrNoPaletteObjectMeansNoPaletteAndNoRealisation) {
  HDC dc = deviceContextWith({threeThreeTwoFormat(PFD_NEED_SYSTEM_PALETTE)}, 1);
  failNext("LocalAlloc", 1);
  EXPECT_EQ(wfBuildRgbPalette(dc), nullptr);
  EXPECT_EQ(wfUseWholePalette, 1);  // known before the buffer was asked for

  failNext("CreatePalette", 1);
  EXPECT_EQ(wfBuildRgbPalette(dc), nullptr);
  // Nothing to realise, so the static colours are not taken.
  EXPECT_EQ(wfStaticColoursTaken, 0);
  EXPECT_EQ(systemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(callCount("RealizePalette"), 0);
}

TEST_F(RgbPalette, TheNewPaletteIsRealisedSelectedInTheForeground) {
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 1);
  HPALETTE palette = wfBuildRgbPalette(dc);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(callCount("RealizePalette"), 2);  // the flush, then the palette
  EXPECT_EQ(SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE),
            palette);
}

// ---- Placing the static colours ----------------------------------------------------------------

class StaticPlacement : public PixfmtTest {};

TEST_F(StaticPlacement, ExactMatchesAreSettledBeforeNearestAndTiesGoLow) {
  std::vector<PALETTEENTRY> entries(256, PALETTEENTRY{250, 250, 250, 0});
  entries[10] = PALETTEENTRY{128, 0, 0, 0};  // exactly static colour 1, and nearest to black
  entries[40] = PALETTEENTRY{130, 0, 0, 0};  // black's nearest once 10 is taken ...
  entries[30] = PALETTEENTRY{0, 130, 0, 0};  // ... tied with this lower entry
  wfPlaceStaticColours(entries.data());
  EXPECT_EQ(wfStaticSlots[1], 10);
  EXPECT_EQ(wfStaticSlots[0], 30);
  // White has no exact match: of the equally near light entries, the lowest still free.
  int lowestFree = 0;
  auto taken = [&](int i) {
    if (i == 10 || i == 30 || i == 40) return true;
    for (int k = 0; k < 19; ++k)
      if (wfStaticSlots[k] == i) return true;
    return false;
  };
  while (taken(lowestFree)) ++lowestFree;
  EXPECT_EQ(wfStaticSlots[19], lowestFree);
  for (const PALETTEENTRY& e : entries) ASSERT_EQ(e.peFlags, PC_NOCOLLAPSE);
  for (int k = 0; k < 20; ++k) EXPECT_EQ(wfStaticColours[k].peFlags, 0);
  // Every colour has a slot of its own here.
  for (int a = 0; a < 20; ++a) {
    for (int b = a + 1; b < 20; ++b) EXPECT_NE(wfStaticSlots[a], wfStaticSlots[b]);
  }
}

TEST_F(StaticPlacement, RampLevelsOfUnusualWidthsAndShifts) {
  EXPECT_EQ(wfRampComponent(0x1234, 5, 4), 0x23);  // other widths: low 8 bits, unscaled
  EXPECT_EQ(wfRampComponent(6, 1, 1), 255);
  EXPECT_EQ(wfRampComponent(0xFF, 2, 6), 255);
  EXPECT_EQ(wfRampComponent(200, 8, 40), 0);  // a shift past the index leaves nothing
}

// ---- The flush ----------------------------------------------------------------------------------

class SystemPaletteFlush : public PixfmtTest {};

TEST_F(SystemPaletteFlush, ABlankPaletteIsRealisedAndTheOldOneSelectedBack) {
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 1);
  LOGPALETTE* request = static_cast<LOGPALETTE*>(
      LocalAlloc(LPTR, sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY)));
  request->palVersion = 0x300;
  request->palNumEntries = 4;
  HPALETTE own = CreatePalette(request);
  LocalFree(request);
  SelectPalette(dc, own, FALSE);
  const int created = callCount("CreatePalette");

  wfFlushSystemPalette(dc, 16);
  EXPECT_EQ(callCount("RealizePalette"), 0);

  wfFlushSystemPalette(dc, 256);
  EXPECT_EQ(callCount("CreatePalette"), created + 1);
  EXPECT_EQ(callCount("RealizePalette"), 1);
  EXPECT_EQ(callCount("DeleteObject"), 1);
  EXPECT_EQ(SelectPalette(dc, own, FALSE), own);  // selected back
  DeleteObject(own);
}

// ---- Colour-index palettes ---------------------------------------------------------------------

class IndexPalette : public PixfmtTest {};

TEST_F(IndexPalette, AFourBitFormatCopiesTheFirstSixteenDefaultColours) {
  for (bool whole : {false, true}) {
    SCOPED_TRACE(whole ? "with the whole-palette claim" : "without a claim");
    wfRestorePaletteState();
    resetPlatform();
    HDC dc = deviceContextWith({indexFormat(4)}, 1);
    wfDisplayMode = whole ? WF_INDEX | WF_WHOLE_PALETTE : WF_INDEX;
    ASSERT_NE(wfBuildIndexPalette(dc), nullptr);
    EXPECT_EQ(wfUseWholePalette, whole ? 1 : 0);
    // The claim pins black and white only in a full palette.
    const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
    ASSERT_EQ(entries.size(), 16u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(entries[i], kStatic[i]) << "entry " << i;
    EXPECT_EQ(wfBuildRgbPalette(dc), wfPalette);
  }
}

TEST_F(IndexPalette, AnEightBitFormatFillsPastTheDefaultsWithBlack) {
  HDC dc = deviceContextWith({indexFormat(8)}, 1);
  ASSERT_NE(wfBuildIndexPalette(dc), nullptr);
  const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
  ASSERT_EQ(entries.size(), 256u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(entries[i], kStatic[i]) << "entry " << i;
  for (int i = 20; i < 256; ++i) ASSERT_EQ(entries[i], (PALETTEENTRY{0, 0, 0, 0})) << i;
  EXPECT_EQ(wfUseWholePalette, 0);
}

TEST_F(IndexPalette, TheWholePaletteClaimPinsBlackAndWhiteAtTheEnds) {
  HDC dc = deviceContextWith({indexFormat(8)}, 1);
  wfDisplayMode = WF_INDEX | WF_WHOLE_PALETTE;
  ASSERT_NE(wfBuildIndexPalette(dc), nullptr);
  EXPECT_EQ(wfUseWholePalette, 1);
  const std::vector<PALETTEENTRY> entries = paletteEntries(wfPalette);
  ASSERT_EQ(entries.size(), 256u);
  EXPECT_EQ(entries[0], (PALETTEENTRY{0, 0, 0, 0}));
  for (int i = 1; i < 20; ++i) {
    PALETTEENTRY expected = kStatic[i];
    expected.peFlags = PC_NOCOLLAPSE;
    EXPECT_EQ(entries[i], expected) << "entry " << i;
  }
  for (int i = 20; i < 255; ++i) ASSERT_EQ(entries[i], (PALETTEENTRY{0, 0, 0, PC_NOCOLLAPSE})) << i;
  EXPECT_EQ(entries[255], (PALETTEENTRY{255, 255, 255, 0}));
}

TEST_F(IndexPalette, ABuilderCalledWhileAPaletteExistsChangesNothing) {
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 1);
  HPALETTE palette = wfBuildRgbPalette(dc);
  ASSERT_NE(palette, nullptr);
  const int created = callCount("CreatePalette");
  wfDisplayMode |= WF_WHOLE_PALETTE;  // would change the claim of a new build
  EXPECT_EQ(wfBuildRgbPalette(dc), palette);
  EXPECT_EQ(wfBuildIndexPalette(dc), palette);
  EXPECT_EQ(wfBuildIndexPalette(nullptr), palette);
  EXPECT_EQ(wfUseWholePalette, 0);
  EXPECT_EQ(callCount("CreatePalette"), created);
}

TEST_F(IndexPalette, NoDeviceContextOrAnRgbaFormatBuildsNothing) {
  EXPECT_EQ(wfBuildIndexPalette(nullptr), nullptr);
  HDC dc = deviceContextWith({threeThreeTwoFormat()}, 1);
  EXPECT_EQ(wfBuildIndexPalette(dc), nullptr);
  EXPECT_EQ(callCount("CreatePalette"), 0);
}

}  // namespace
