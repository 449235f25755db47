// Handles, stock objects and logical palettes.
#include <cstdio>
#include <string>

#include "tests/platform/platform_fixture.h"

namespace {

using GdiObjects = FreshPlatform;

HPALETTE twoColourPalette() { return makePalette({{1, 2, 3, 0}, {4, 5, 6, PC_NOCOLLAPSE}}); }

TEST_F(GdiObjects, HandlesAreNonNullAndPrintInEightHexDigits) {
  HPALETTE palette = twoColourPalette();
  ASSERT_NE(palette, nullptr);
  char text[32];
  std::snprintf(text, sizeof text, "0x%08lX",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(palette)));
  EXPECT_EQ(std::string(text).size(), 10u);
  EXPECT_LE(reinterpret_cast<uintptr_t>(palette), 0xffffffffu);
}

TEST_F(GdiObjects, ADeletedHandleIsInvalidAndStaysInvalidWhenItsSlotIsReused) {
  HPALETTE first = twoColourPalette();
  ASSERT_TRUE(DeleteObject(first));
  EXPECT_FALSE(DeleteObject(first));
  EXPECT_EQ(GetPaletteEntries(first, 0, 0, nullptr), 0u);

  HPALETTE second = twoColourPalette();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(GetPaletteEntries(second, 0, 0, nullptr), 2u);
  EXPECT_EQ(GetPaletteEntries(first, 0, 0, nullptr), 0u);
  EXPECT_FALSE(DeleteObject(first));
  EXPECT_EQ(GetPaletteEntries(second, 0, 0, nullptr), 2u);  // the stale delete did not hit it
}

TEST_F(GdiObjects, AHandleOfOneKindIsNoHandleOfAnother) {
  HDC dc = platformtest::createDeviceContext();
  HGDIOBJ brush = GetStockObject(BLACK_BRUSH);
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(SelectPalette(dc, static_cast<HPALETTE>(brush), FALSE), nullptr);
  EXPECT_EQ(GetPaletteEntries(static_cast<HPALETTE>(brush), 0, 0, nullptr), 0u);
  EXPECT_EQ(SelectPalette(reinterpret_cast<HDC>(twoColourPalette()), twoColourPalette(), FALSE),
            nullptr);
  EXPECT_FALSE(DeleteObject(nullptr));
}

TEST_F(GdiObjects, TheDefaultPaletteHoldsTheTwentyStaticColoursAndSurvivesDeletion) {
  HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  ASSERT_NE(stock, nullptr);
  EXPECT_EQ(GetStockObject(DEFAULT_PALETTE), stock);
  ASSERT_EQ(GetPaletteEntries(stock, 0, 0, nullptr), 20u);
  PALETTEENTRY entries[20];
  ASSERT_EQ(GetPaletteEntries(stock, 0, 20, entries), 20u);
  const auto expected = staticColours();
  for (int i = 0; i < 20; ++i) {
    EXPECT_TRUE(sameColour(entries[i], expected[i])) << "entry " << i;
    EXPECT_EQ(entries[i].peFlags, 0) << "entry " << i;
  }
  EXPECT_TRUE(DeleteObject(stock));
  EXPECT_EQ(GetPaletteEntries(stock, 0, 0, nullptr), 20u);
  const PALETTEENTRY red{255, 0, 0, 0};
  EXPECT_EQ(SetPaletteEntries(stock, 0, 1, &red), 0u);
  EXPECT_EQ(GetStockObject(12345), nullptr);
}

TEST_F(GdiObjects, PaletteCreationChecksTheVersionAndTheCount) {
  LOGPALETTE logical = {0x300, 1, {{1, 2, 3, 0}}};
  EXPECT_NE(CreatePalette(&logical), nullptr);
  logical.palVersion = 0x200;
  EXPECT_EQ(CreatePalette(&logical), nullptr);
  logical.palVersion = 0x300;
  logical.palNumEntries = 0;
  EXPECT_EQ(CreatePalette(&logical), nullptr);
  EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

TEST_F(GdiObjects, PaletteEntriesAreCopiedWithinRange) {
  HPALETTE palette = makePalette({{10, 0, 0, 0}, {20, 0, 0, 0}, {30, 0, 0, PC_RESERVED}});
  PALETTEENTRY out[4] = {};
  EXPECT_EQ(GetPaletteEntries(palette, 1, 4, out), 2u);  // only two from index 1
  EXPECT_EQ(out[0].peRed, 20);
  EXPECT_EQ(out[1].peRed, 30);
  EXPECT_EQ(out[1].peFlags, PC_RESERVED);
  EXPECT_EQ(GetPaletteEntries(palette, 3, 1, out), 0u);

  const PALETTEENTRY replacement[2] = {{99, 1, 1, PC_NOCOLLAPSE}, {98, 1, 1, 0}};
  EXPECT_EQ(SetPaletteEntries(palette, 2, 2, replacement), 1u);
  ASSERT_EQ(GetPaletteEntries(palette, 0, 3, out), 3u);
  EXPECT_EQ(out[0].peRed, 10);
  EXPECT_EQ(out[2].peRed, 99);
  EXPECT_EQ(out[2].peFlags, PC_NOCOLLAPSE);
}

TEST_F(GdiObjects, SelectingAPaletteReturnsThePreviousOneStartingWithTheDefault) {
  HDC dc = platformtest::createDeviceContext();
  HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  HPALETTE first = twoColourPalette();
  HPALETTE second = twoColourPalette();
  EXPECT_EQ(SelectPalette(dc, first, FALSE), stock);
  EXPECT_EQ(SelectPalette(dc, second, TRUE), first);
  EXPECT_EQ(SelectPalette(dc, nullptr, FALSE), nullptr);  // refused, selection unchanged
  EXPECT_EQ(SelectPalette(dc, stock, FALSE), second);
}

TEST_F(GdiObjects, DeletingASelectedPaletteLeavesTheDefaultSelected) {
  HDC dc = platformtest::createDeviceContext();
  HPALETTE palette = twoColourPalette();
  SelectPalette(dc, palette, FALSE);
  ASSERT_TRUE(DeleteObject(palette));
  EXPECT_EQ(SelectPalette(dc, twoColourPalette(), FALSE), GetStockObject(DEFAULT_PALETTE));
}

TEST_F(GdiObjects, UnrealizeAcceptsPalettesAndBrushesOnly) {
  EXPECT_TRUE(UnrealizeObject(twoColourPalette()));
  EXPECT_TRUE(UnrealizeObject(GetStockObject(BLACK_BRUSH)));
  EXPECT_FALSE(UnrealizeObject(platformtest::createDeviceContext()));
}

}  // namespace
