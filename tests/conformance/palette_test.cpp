// Palettes on a true-colour display, as the palette code makes, selects and realises
// them, and the system palette's use.
#include <cstring>

#include "tests/conformance/conformance_fixture.h"

namespace conformance {
namespace {

class Palettes : public Win32Test {
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
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// A LOGPALETTE of `count` entries whose entry i is (i, 2i, 3i) with the given flags.
std::vector<BYTE> logicalPalette(int count, BYTE flags) {
  std::vector<BYTE> bytes(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(bytes.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (int i = 0; i < count; ++i)
    palette->palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(2 * i),
                                           static_cast<BYTE>(3 * i), flags};
  return bytes;
}

HPALETTE createPalette(const std::vector<BYTE>& bytes) {
  return CreatePalette(reinterpret_cast<const LOGPALETTE*>(bytes.data()));
}

bool sameEntry(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue &&
         a.peFlags == b.peFlags;
}

TEST_F(Palettes, TheDefaultPaletteHoldsTheTwentyStaticColours) {
  HPALETTE defaults = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  ASSERT_NE(defaults, nullptr);
  ASSERT_EQ(GetPaletteEntries(defaults, 0, 0, nullptr), 20u);
  const BYTE expected[20][3] = {
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
      {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
      {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  PALETTEENTRY entries[20];
  ASSERT_EQ(GetPaletteEntries(defaults, 0, 20, entries), 20u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(entries[i].peRed, expected[i][0]) << i;
    EXPECT_EQ(entries[i].peGreen, expected[i][1]) << i;
    EXPECT_EQ(entries[i].peBlue, expected[i][2]) << i;
  }
}

TEST_F(Palettes, EntriesAreKeptWithTheirFlagsAndRangesAreCutAtTheEnd) {
  HPALETTE palette = createPalette(logicalPalette(8, PC_NOCOLLAPSE));
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 8u);
  PALETTEENTRY entries[8];
  ASSERT_EQ(GetPaletteEntries(palette, 2, 3, entries), 3u);
  EXPECT_TRUE(sameEntry(entries[0], PALETTEENTRY{2, 4, 6, PC_NOCOLLAPSE}));
  EXPECT_TRUE(sameEntry(entries[2], PALETTEENTRY{4, 8, 12, PC_NOCOLLAPSE}));
  // Past the end: cut to what is there, nothing at or after it.
  EXPECT_EQ(GetPaletteEntries(palette, 6, 5, entries), 2u);
  EXPECT_EQ(GetPaletteEntries(palette, 8, 1, entries), 0u);
  const PALETTEENTRY changed[3] = {{9, 9, 9, PC_RESERVED}, {7, 7, 7, 0}, {5, 5, 5, 0}};
  EXPECT_EQ(SetPaletteEntries(palette, 6, 3, changed), 2u);
  ASSERT_EQ(GetPaletteEntries(palette, 6, 2, entries), 2u);
  EXPECT_TRUE(sameEntry(entries[0], changed[0]));
  EXPECT_TRUE(sameEntry(entries[1], changed[1]));
  EXPECT_EQ(SetPaletteEntries(palette, 8, 1, changed), 0u);
  EXPECT_TRUE(DeleteObject(palette));
}

TEST_F(Palettes, SelectingSwapsWithThePreviousAndRealisingChangesNothingHere) {
  HPALETTE defaults = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  HPALETTE palette = createPalette(logicalPalette(16, 0));
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(SelectPalette(dc_, palette, FALSE), defaults);
  // A true-colour display has no system palette to map into.
  EXPECT_EQ(RealizePalette(dc_), 0u);
  EXPECT_TRUE(UnrealizeObject(palette));
  EXPECT_EQ(SelectPalette(dc_, palette, TRUE), palette);
  EXPECT_EQ(RealizePalette(dc_), 0u);
  EXPECT_EQ(SelectPalette(dc_, defaults, FALSE), palette);
  EXPECT_TRUE(DeleteObject(palette));
  EXPECT_EQ(SelectPalette(dc_, palette, FALSE), nullptr);  // deleted
}

TEST_F(Palettes, TheSystemPaletteUseOfATrueColourDisplay) {
  EXPECT_EQ(GetSystemPaletteUse(dc_), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(SetSystemPaletteUse(dc_, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_ERROR));
  EXPECT_EQ(GetSystemPaletteUse(dc_), static_cast<UINT>(SYSPAL_STATIC));
  EXPECT_EQ(SetSystemPaletteUse(dc_, SYSPAL_STATIC), static_cast<UINT>(SYSPAL_ERROR));
}

}  // namespace
}  // namespace conformance
