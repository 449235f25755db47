// The colour maps of a colour-index window on an 8-bit palette device: the map's size, one
// colour, the grey and fog ramps, the RGB decoding, the whole-palette flag rules, and what
// happens without a palette.
#include <cmath>
#include <limits>

#include "tests/winfw/window_fixture.h"

namespace {

const int kColourIndexDouble = 5;  // in the palette device's script: colour index 8, double

class ColourMaps : public WindowTest {
 protected:
  void openColourIndexWindow(int32_t extraMode = 0) {
    platformtest::setPaletteDevice(true);
    platformtest::setFormats(platformtest::paletteDeviceFormats());
    wfSetDisplayMode(WF_INDEX | WF_DOUBLE | WF_DEPTH16 | extraMode);
    ASSERT_EQ(wfOpenWindow("colour index"), 1);
    HeadlessWindowCheck();
  }

  static void HeadlessWindowCheck() {
    platformtest::HeadlessWindow native;
    ASSERT_TRUE(platformtest::headlessWindow(wfWindow, &native));
    ASSERT_EQ(native.format, kColourIndexDouble);
  }

  static PALETTEENTRY entry(int index) {
    PALETTEENTRY e{0, 0, 0, 0};
    EXPECT_EQ(GetPaletteEntries(wfPalette, static_cast<UINT>(index), 1, &e), 1u);
    return e;
  }

  static std::vector<PALETTEENTRY> allEntries() {
    std::vector<PALETTEENTRY> entries(256);
    EXPECT_EQ(GetPaletteEntries(wfPalette, 0, 256, entries.data()), 256u);
    return entries;
  }

  static int waitingRealisations() {
    int count = 0;
    for (const MSG& message : platformtest::waitingMessages())
      if (message.message == WM_USER && message.hwnd == wfWindow) ++count;
    return count;
  }
};

#define EXPECT_ENTRY(e, r, g, b, f)                               \
  do {                                                            \
    const PALETTEENTRY actual = (e);                              \
    EXPECT_EQ(actual.peRed, (r));                                 \
    EXPECT_EQ(actual.peGreen, (g));                               \
    EXPECT_EQ(actual.peBlue, (b));                                \
    EXPECT_EQ(actual.peFlags, (f));                               \
  } while (0)

TEST_F(ColourMaps, AColourIndexMapHas256EntriesAndTakesOneColour) {
  openColourIndexWindow();
  EXPECT_EQ(wfPalette, nullptr);  // built on first use
  EXPECT_EQ(wfGetColourMapSize(), 256);
  ASSERT_NE(wfPalette, nullptr);
  EXPECT_NE(wfSetOneColour(5, 1.0f, 0.5f, 0.0f), 0);
  EXPECT_ENTRY(entry(5), 255, 128, 0, 0);
  // Components outside 0..1 wrap to their low 8 bits: 2.0 -> 510 -> 254, -0.5 -> -127 ->
  // 129, 1e10 -> 2550000000000 = 256 x 9960937500 -> 0.
  EXPECT_NE(wfSetOneColour(6, 2.0f, -0.5f, 1e10f), 0);
  EXPECT_ENTRY(entry(6), 254, 129, 0, 0);
  EXPECT_EQ(platformtest::liveLocalAllocations(), 0);
}

TEST_F(ColourMaps, AComponentWithNoLowBitsGivesLevelZero) {
  openColourIndexWindow();
  ASSERT_EQ(wfGetColourMapSize(), 256);
  const float infinity = std::numeric_limits<float>::infinity();
  EXPECT_NE(wfSetOneColour(7, infinity, -infinity, std::nanf("")), 0);
  EXPECT_ENTRY(entry(7), 0, 0, 0, 0);
}

TEST_F(ColourMaps, AnIndexOutsideTheMapChangesNothing) {
  openColourIndexWindow();
  ASSERT_EQ(wfGetColourMapSize(), 256);
  platformtest::clearPostedMessages();
  EXPECT_EQ(wfSetOneColour(256, 1.0f, 1.0f, 1.0f), 0);
  EXPECT_EQ(wfSetOneColour(-1, 1.0f, 1.0f, 1.0f), 0);
  EXPECT_EQ(waitingRealisations(), 0);
}

TEST_F(ColourMaps, GreyRampSetsEntryIToGreyI) {
  openColourIndexWindow();
  EXPECT_NE(wfSetGreyRamp(), 0);
  const auto entries = allEntries();
  for (int i = 0; i < 256; ++i) EXPECT_ENTRY(entries[i], i, i, i, 0);
  EXPECT_EQ(platformtest::liveLocalAllocations(), 0);
}

TEST_F(ColourMaps, FogRampsOfSixteenBySixteen) {
  openColourIndexWindow();
  EXPECT_NE(wfSetFogRamp(4, 4), 0);
  const auto entries = allEntries();
  // Ramp r starts at level 16 r and climbs by 16, capped at 255.
  for (int r = 0; r < 16; ++r) {
    for (int k = 0; k < 16; ++k) {
      const int level = std::min(255, 16 * r + 16 * k);
      EXPECT_ENTRY(entries[16 * r + k], level, level, level, 0);
    }
  }
  EXPECT_ENTRY(entries[15], 240, 240, 240, 0);
  EXPECT_ENTRY(entries[31], 255, 255, 255, 0);
}

TEST_F(ColourMaps, FogRampsLargerThanTheMapWriteOnlyTheMap) {
  openColourIndexWindow();
  EXPECT_NE(wfSetFogRamp(4, 5), 0);  // 16 x 32 = 512 entries asked of a 256-entry map
  const auto entries = allEntries();
  EXPECT_ENTRY(entries[1], 32, 32, 32, 0);
  EXPECT_ENTRY(entries[16], 16, 16, 16, 0);
  EXPECT_ENTRY(entries[255], 255, 255, 255, 0);
  EXPECT_EQ(wfSetFogRamp(-1, 2), 0);
  EXPECT_EQ(wfSetFogRamp(40, 40), 0);
}

TEST_F(ColourMaps, FogRampsSmallerThanTheMapLeaveTheRestAsItWas) {
  openColourIndexWindow();
  ASSERT_NE(wfSetGreyRamp(), 0);
  EXPECT_NE(wfSetFogRamp(2, 2), 0);  // 4 x 4 = 16 entries
  const auto entries = allEntries();
  EXPECT_ENTRY(entries[1], 4, 4, 4, 0);
  EXPECT_ENTRY(entries[4], 4, 4, 4, 0);
  EXPECT_ENTRY(entries[15], 24, 24, 24, 0);
  for (int i = 16; i < 256; ++i) EXPECT_ENTRY(entries[i], i, i, i, 0);
}

TEST_F(ColourMaps, WholePaletteClaimKeepsBlackAndWhiteAndMarksTheRest) {
  openColourIndexWindow(WF_WHOLE_PALETTE);
  ASSERT_EQ(wfGetColourMapSize(), 256);
  ASSERT_EQ(wfUseWholePalette, 1);
  const PALETTEENTRY white = entry(255);
  EXPECT_NE(wfSetOneColour(255, 0.2f, 0.4f, 0.6f), 0);
  EXPECT_NE(wfSetOneColour(0, 0.2f, 0.4f, 0.6f), 0);
  EXPECT_ENTRY(entry(255), white.peRed, white.peGreen, white.peBlue, white.peFlags);
  EXPECT_ENTRY(entry(0), 0, 0, 0, 0);
  EXPECT_NE(wfSetOneColour(7, 1.0f, 1.0f, 1.0f), 0);
  EXPECT_ENTRY(entry(7), 255, 255, 255, PC_NOCOLLAPSE | PC_RESERVED);
  EXPECT_NE(wfSetOneColour(8, 1.0f, 1.0f, 0.0f), 0);
  EXPECT_ENTRY(entry(8), 255, 255, 0, PC_NOCOLLAPSE);

  EXPECT_NE(wfSetGreyRamp(), 0);
  const auto grey = allEntries();
  EXPECT_ENTRY(grey[0], 0, 0, 0, 0);
  EXPECT_ENTRY(grey[255], 255, 255, 255, 0);
  for (int i = 1; i < 255; ++i) EXPECT_ENTRY(grey[i], i, i, i, PC_NOCOLLAPSE);

  // The fog ramp, unlike the grey ramp, reserves the white it writes between the ends.
  EXPECT_NE(wfSetFogRamp(4, 4), 0);
  const auto fog = allEntries();
  EXPECT_ENTRY(fog[0], 0, 0, 0, 0);
  EXPECT_ENTRY(fog[1], 16, 16, 16, PC_NOCOLLAPSE);
  EXPECT_ENTRY(fog[31], 255, 255, 255, PC_NOCOLLAPSE | PC_RESERVED);
  EXPECT_ENTRY(fog[255], 255, 255, 255, 0);
}

TEST_F(ColourMaps, SeveralChangesLeaveOneRealisationRequestWaiting) {
  openColourIndexWindow();
  ASSERT_EQ(wfGetColourMapSize(), 256);
  EXPECT_EQ(waitingRealisations(), 0);
  EXPECT_NE(wfSetOneColour(3, 0.0f, 1.0f, 0.0f), 0);
  EXPECT_NE(wfSetOneColour(4, 0.0f, 0.0f, 1.0f), 0);
  EXPECT_NE(wfSetGreyRamp(), 0);
  EXPECT_NE(wfSetFogRamp(3, 5), 0);
  EXPECT_EQ(waitingRealisations(), 1);
}

TEST_F(ColourMaps, RgbMapDecodesTheFormatAndRealisesAtOnce) {
  openColourIndexWindow();
  ASSERT_NE(wfSetGreyRamp(), 0);
  ASSERT_NE(wfSetOneColour(9, 1.0f, 0.0f, 0.0f), 0);
  const int selectsBefore = platformtest::callCount("RealizePalette");
  // A colour-index format has no red, green or blue fields: each index decodes to its own
  // low 8 bits in every channel.
  const int32_t result = wfSetRGBMap(123, 456);
  EXPECT_GE(result, 0);
  EXPECT_GT(platformtest::callCount("RealizePalette"), selectsBefore);
  const auto entries = allEntries();
  for (int i = 0; i < 256; ++i) EXPECT_ENTRY(entries[i], i, i, i, PC_NOCOLLAPSE);
  EXPECT_EQ(platformtest::liveLocalAllocations(), 0);
}

TEST_F(ColourMaps, RgbMapOfADeepFormatStaysWithinTheMap) {
  // A 32-bit colour-index format: 2^32 decoded values, but the map has 256 entries.
  platformtest::setFormats({platformtest::colourIndexFormat(32, PFD_DOUBLEBUFFER)});
  wfSetDisplayMode(WF_INDEX | WF_DOUBLE);
  ASSERT_EQ(wfOpenWindow("deep"), 1);
  ASSERT_EQ(wfGetColourMapSize(), 256);
  EXPECT_GE(wfSetRGBMap(0, 0), 0);
  const auto entries = allEntries();
  EXPECT_ENTRY(entries[200], 200, 200, 200, PC_NOCOLLAPSE);
  EXPECT_EQ(platformtest::liveLocalAllocations(), 0);
}

TEST_F(ColourMaps, NoMemoryLeavesTheMapUnchanged) {
  openColourIndexWindow();
  ASSERT_EQ(wfGetColourMapSize(), 256);
  const auto before = allEntries();
  platformtest::failNext("LocalAlloc", 3);
  EXPECT_EQ(wfSetGreyRamp(), 0);
  EXPECT_EQ(wfSetFogRamp(4, 4), 0);
  EXPECT_EQ(wfSetRGBMap(0, 0), 0);
  const auto after = allEntries();
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(after[i].peRed, before[i].peRed) << i;
    EXPECT_EQ(after[i].peFlags, before[i].peFlags) << i;
  }
  EXPECT_EQ(waitingRealisations(), 0);
}

TEST_F(ColourMaps, AnRgbaWindowWithoutPaletteDoesNothing) {
  ASSERT_EQ(openProgramWindow(), 1);  // the true-colour display: no palette needed
  EXPECT_EQ(wfGetColourMapSize(), 0);
  EXPECT_EQ(wfSetOneColour(5, 1.0f, 0.5f, 0.0f), 0);
  EXPECT_EQ(wfSetGreyRamp(), 0);
  EXPECT_EQ(wfSetFogRamp(4, 4), 0);
  EXPECT_EQ(wfSetRGBMap(0, 0), 0);
  EXPECT_EQ(wfPalette, nullptr);
  EXPECT_EQ(platformtest::callCount("SetPaletteEntries"), 0);
  EXPECT_EQ(platformtest::callCount("CreatePalette"), 0);
  EXPECT_EQ(waitingRealisations(), 0);
}

TEST_F(ColourMaps, WithNoWindowEverythingIsZero) {
  EXPECT_EQ(wfGetColourMapSize(), 0);
  EXPECT_EQ(wfSetOneColour(5, 1.0f, 0.5f, 0.0f), 0);
  EXPECT_EQ(wfSetGreyRamp(), 0);
  EXPECT_EQ(wfSetFogRamp(4, 4), 0);
  EXPECT_EQ(wfSetRGBMap(0, 0), 0);
  EXPECT_TRUE(platformtest::messageBoxes().empty());
}

}  // namespace
