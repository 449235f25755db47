// The system palette of a palette device: realisation counts, foreground and background
// realisation, PC_NOCOLLAPSE and PC_RESERVED, and the static / no-static use.
#include "tests/platform/platform_fixture.h"

namespace {

class SystemPalette : public FreshPlatform {
 protected:
  void SetUp() override {
    FreshPlatform::SetUp();
    platformtest::setPaletteDevice(true);
    dc = platformtest::createDeviceContext();
    otherDc = platformtest::createDeviceContext();
  }

  // Selects the palette into the device context and realises it.
  UINT realise(HDC into, HPALETTE palette, bool background) {
    SelectPalette(into, palette, background ? TRUE : FALSE);
    return RealizePalette(into);
  }

  HDC dc = nullptr;
  HDC otherDc = nullptr;
};

// `count` colours that are all different and none of them static.
std::vector<PALETTEENTRY> distinctColours(int count, BYTE flags, BYTE blue = 77) {
  std::vector<PALETTEENTRY> colours;
  for (int i = 0; i < count; ++i)
    colours.push_back({static_cast<BYTE>(i % 256), static_cast<BYTE>(i / 256 + 1), blue, flags});
  return colours;
}

TEST_F(SystemPalette, StartsWithTheStaticColoursAtBothEndsAndBlackBetween) {
  const auto system = platformtest::systemPalette();
  ASSERT_EQ(system.size(), 256u);
  const auto statics = staticColours();
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(sameColour(system[i], statics[i])) << "slot " << i;
    EXPECT_TRUE(sameColour(system[246 + i], statics[10 + i])) << "slot " << 246 + i;
  }
  for (int i = 10; i < 246; ++i) EXPECT_TRUE(sameColour(system[i], {0, 0, 0, 0})) << "slot " << i;
  EXPECT_EQ(platformtest::systemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
}

TEST_F(SystemPalette, ATrueColourDisplayRealisesNothing) {
  platformtest::setPaletteDevice(false);
  const auto before = platformtest::systemPalette();
  EXPECT_EQ(realise(dc, makePalette(distinctColours(10, PC_NOCOLLAPSE)), false), 0u);
  const auto after = platformtest::systemPalette();
  for (int i = 0; i < 256; ++i) EXPECT_TRUE(sameColour(before[i], after[i])) << "slot " << i;
  EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_ERROR));
}

TEST_F(SystemPalette, NewColoursClaimTheLowestFreeSlotsOnce) {
  const auto colours = distinctColours(10, 0);
  HPALETTE palette = makePalette(colours);
  EXPECT_EQ(realise(dc, palette, false), 10u);
  const auto system = platformtest::systemPalette();
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(sameColour(system[10 + i], colours[i])) << i;

  EXPECT_EQ(RealizePalette(dc), 0u);  // already realised: nothing to do
  ASSERT_TRUE(UnrealizeObject(palette));
  EXPECT_EQ(RealizePalette(dc), 0u);  // mapped afresh into the same slots: nothing changed
}

TEST_F(SystemPalette, StaticColoursAreMatchedUnlessNoCollapseForcesSlotsOfTheirOwn) {
  const std::vector<PALETTEENTRY> plain = {{0, 0, 0, 0}, {255, 255, 255, 0}, {255, 0, 0, 0}};
  EXPECT_EQ(realise(dc, makePalette(plain), false), 0u);

  std::vector<PALETTEENTRY> forced = plain;
  for (auto& entry : forced) entry.peFlags = PC_NOCOLLAPSE;
  EXPECT_EQ(realise(dc, makePalette(forced), false), 3u);
  const auto system = platformtest::systemPalette();
  EXPECT_TRUE(sameColour(system[10], {0, 0, 0, 0}));
  EXPECT_TRUE(sameColour(system[11], {255, 255, 255, 0}));
  EXPECT_TRUE(sameColour(system[12], {255, 0, 0, 0}));
}

TEST_F(SystemPalette, RepeatedColoursShareASlotUnlessNoCollapse) {
  EXPECT_EQ(realise(dc, makePalette({{7, 7, 7, 0}, {7, 7, 7, 0}}), false), 1u);
  EXPECT_EQ(realise(otherDc, makePalette({{7, 7, 7, PC_NOCOLLAPSE}, {7, 7, 7, PC_NOCOLLAPSE}}),
                    false),
            2u);
}

TEST_F(SystemPalette, AReservedSlotIsNeverMatchedByAnotherPalette) {
  EXPECT_EQ(realise(dc, makePalette({{50, 60, 70, PC_RESERVED}}), false), 1u);
  EXPECT_EQ(realise(otherDc, makePalette({{50, 60, 70, 0}}), true), 1u);  // a slot of its own

  platformtest::resetHeadless();
  platformtest::setPaletteDevice(true);
  dc = platformtest::createDeviceContext();
  otherDc = platformtest::createDeviceContext();
  EXPECT_EQ(realise(dc, makePalette({{50, 60, 70, PC_NOCOLLAPSE}}), false), 1u);
  EXPECT_EQ(realise(otherDc, makePalette({{50, 60, 70, 0}}), true), 0u);  // matched
}

TEST_F(SystemPalette, TheForegroundHasFirstChoiceAndTheBackgroundOnlyFreeSlots) {
  const auto first = distinctColours(236, PC_NOCOLLAPSE);
  HPALETTE full = makePalette(first);
  EXPECT_EQ(realise(dc, full, false), 236u);  // every slot between the static colours

  const std::vector<PALETTEENTRY> second = {{1, 2, 200, 0}, {3, 4, 201, 0}, {5, 6, 202, 0}};
  HPALETTE small = makePalette(second);
  EXPECT_EQ(realise(otherDc, small, true), 0u);  // no free slot: nearest colours, no change
  auto system = platformtest::systemPalette();
  for (int i = 0; i < 236; ++i) ASSERT_TRUE(sameColour(system[10 + i], first[i])) << i;

  EXPECT_EQ(realise(otherDc, small, false), 3u);  // the foreground takes slots 10 to 12
  system = platformtest::systemPalette();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(sameColour(system[10 + i], second[i])) << i;

  // The first palette lost its slots; in the background it gets the 233 still free.
  EXPECT_EQ(realise(dc, full, true), 233u);
  system = platformtest::systemPalette();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(sameColour(system[10 + i], second[i])) << i;
}

TEST_F(SystemPalette, AReservedBlackPaletteFlushesEverySlotBetweenTheStaticColours) {
  const std::vector<PALETTEENTRY> black(256, PALETTEENTRY{0, 0, 0, PC_RESERVED | PC_NOCOLLAPSE});
  EXPECT_EQ(realise(dc, makePalette(distinctColours(20, PC_NOCOLLAPSE)), false), 20u);
  EXPECT_EQ(realise(otherDc, makePalette(black), false), 236u);
  const auto system = platformtest::systemPalette();
  for (int i = 10; i < 246; ++i) EXPECT_TRUE(sameColour(system[i], {0, 0, 0, 0})) << i;
  EXPECT_TRUE(sameColour(system[9], staticColours()[9]));
}

TEST_F(SystemPalette, DeletingAPaletteFreesItsSlots) {
  HPALETTE full = makePalette(distinctColours(236, PC_NOCOLLAPSE));
  EXPECT_EQ(realise(dc, full, false), 236u);
  SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  ASSERT_TRUE(DeleteObject(full));
  const auto colours = distinctColours(5, 0, 99);
  EXPECT_EQ(realise(otherDc, makePalette(colours), true), 5u);
  const auto system = platformtest::systemPalette();
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(sameColour(system[10 + i], colours[i])) << i;
}

TEST_F(SystemPalette, ChangedEntriesTakeEffectAtTheNextRealisation) {
  HPALETTE palette = makePalette(distinctColours(3, PC_NOCOLLAPSE));
  EXPECT_EQ(realise(dc, palette, false), 3u);
  const PALETTEENTRY changed{200, 100, 50, PC_NOCOLLAPSE};
  ASSERT_EQ(SetPaletteEntries(palette, 1, 1, &changed), 1u);
  EXPECT_EQ(RealizePalette(dc), 1u);  // only slot 11 shows another colour
  EXPECT_TRUE(sameColour(platformtest::systemPalette()[11], changed));
}

TEST_F(SystemPalette, TheUseSwitchReportsThePreviousUse) {
  EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(platformtest::systemPaletteUse(), static_cast<UINT>(SYSPAL_NOSTATIC));
  EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
  EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_STATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
  EXPECT_EQ(SetSystemPaletteUse(dc, 7), static_cast<UINT>(SYSPAL_ERROR));
  EXPECT_EQ(SetSystemPaletteUse(nullptr, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_ERROR));
  EXPECT_EQ(platformtest::systemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
}

TEST_F(SystemPalette, NoStaticUseLeavesOnlyBlackAndWhiteToTheSystem) {
  const auto colours = distinctColours(254, PC_NOCOLLAPSE);
  EXPECT_EQ(realise(dc, makePalette(colours), false), 236u);

  platformtest::resetHeadless();
  platformtest::setPaletteDevice(true);
  dc = platformtest::createDeviceContext();
  ASSERT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(realise(dc, makePalette(colours), false), 254u);
  const auto system = platformtest::systemPalette();
  EXPECT_TRUE(sameColour(system[0], {0, 0, 0, 0}));
  EXPECT_TRUE(sameColour(system[255], {255, 255, 255, 0}));
  for (int i = 0; i < 254; ++i) EXPECT_TRUE(sameColour(system[1 + i], colours[i])) << i;
}

TEST_F(SystemPalette, BackToStaticUseTheStaticColoursReturnAndThePaletteMapsAnew) {
  // A palette claiming the whole system palette: black and white at the ends, matched.
  std::vector<PALETTEENTRY> whole = distinctColours(256, PC_NOCOLLAPSE);
  whole[0] = {0, 0, 0, 0};
  whole[255] = {255, 255, 255, 0};
  HPALETTE palette = makePalette(whole);
  ASSERT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(realise(dc, palette, false), 254u);

  ASSERT_EQ(SetSystemPaletteUse(dc, SYSPAL_STATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
  auto system = platformtest::systemPalette();
  const auto statics = staticColours();
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(sameColour(system[i], statics[i])) << i;
    EXPECT_TRUE(sameColour(system[246 + i], statics[10 + i])) << i;
  }
  // Its mapping no longer holds, so realising again maps it into slots 10 to 245, each
  // now showing another of its colours.
  EXPECT_EQ(RealizePalette(dc), 236u);
  system = platformtest::systemPalette();
  EXPECT_TRUE(sameColour(system[10], whole[1]));
}

TEST_F(SystemPalette, RealisingThroughNoDeviceContextFails) {
  EXPECT_EQ(RealizePalette(nullptr), GDI_ERROR);
}

}  // namespace
