// Every platform test starts from a fresh platform on the headless driver.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"
#include "platform/testing.h"

class FreshPlatform : public ::testing::Test {
 protected:
  void SetUp() override { platformtest::resetHeadless(); }
};

// A palette of these colours, all with the same flags.
inline HPALETTE makePalette(const std::vector<PALETTEENTRY>& colours) {
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
  LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(colours.size());
  for (size_t i = 0; i < colours.size(); ++i) logical->palPalEntry[i] = colours[i];
  return CreatePalette(logical);
}

inline bool sameColour(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

// The 20 static colours of the system palette, black first and white last.
inline std::vector<PALETTEENTRY> staticColours() {
  return {{0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
          {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
          {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
          {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
          {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0}};
}
