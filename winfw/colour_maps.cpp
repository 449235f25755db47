// The colour-map operations for colour-index windows: one entry, a grey ramp, fog ramps,
// the RGB decoding of the pixel format, and the map's size. Each asks for the window's
// index palette first (created on first use) and does nothing without one; the deferred
// ones leave a single realisation request in the window's queue.
#include "pixfmt/pixfmt.h"
#include "winfw/colour_entries.h"
#include "winfw/state.h"
#include "winfw/window.h"

namespace {

int32_t entryCount(HPALETTE palette) {
  return static_cast<int32_t>(GetPaletteEntries(palette, 0, 0, nullptr));
}

// A work array for one call, freed by the caller before it returns.
PALETTEENTRY* allocateEntries(int32_t count) {
  if (count <= 0) return nullptr;
  return static_cast<PALETTEENTRY*>(
      LocalAlloc(LMEM_FIXED, static_cast<SIZE_T>(count) * sizeof(PALETTEENTRY)));
}

PALETTEENTRY greyEntry(int32_t index, BYTE level, bool reserveWhite) {
  return PALETTEENTRY{level, level, level,
                      wfColourEntryFlags(index, level, level, level, reserveWhite)};
}

// Hands `count` entries from index 0 to the palette and asks for a deferred realisation.
int32_t storeEntries(HPALETTE palette, int32_t count, PALETTEENTRY* entries) {
  const UINT stored = SetPaletteEntries(palette, 0, static_cast<UINT>(count), entries);
  LocalFree(entries);
  if (stored == 0) return 0;
  wfPostRealizeRequest();
  return 1;
}

}  // namespace

int32_t wfSetOneColour(int32_t index, float red, float green, float blue) {
  HPALETTE palette = wfBuildIndexPalette(wfDeviceContext);
  if (palette == nullptr) return 0;
  // The system's black and white stay where the whole-palette claim put them.
  if (wfUseWholePalette == 1 && (index == 0 || index == 255)) return 1;
  // An index outside the map changes nothing and is no success.
  if (index < 0 || index >= entryCount(palette)) return 0;

  PALETTEENTRY entry{wfColourLevel(red), wfColourLevel(green), wfColourLevel(blue), 0};
  entry.peFlags = wfColourEntryFlags(index, entry.peRed, entry.peGreen, entry.peBlue, true);
  if (SetPaletteEntries(palette, static_cast<UINT>(index), 1, &entry) == 0) return 0;
  wfPostRealizeRequest();
  return 1;
}

int32_t wfSetGreyRamp() {
  HPALETTE palette = wfBuildIndexPalette(wfDeviceContext);
  if (palette == nullptr) return 0;
  const int32_t count = entryCount(palette);
  PALETTEENTRY* entries = allocateEntries(count);
  if (entries == nullptr) return 0;
  for (int32_t i = 0; i < count; ++i) {
    // A single-entry map is the ramp's start, black, rather than a division by zero.
    const double fraction = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
    const BYTE level = static_cast<BYTE>(static_cast<int32_t>(fraction * 255 + 0.5));
    entries[i] = greyEntry(i, level, false);
  }
  return storeEntries(palette, count, entries);
}

int32_t wfSetFogRamp(int32_t lengthLog2, int32_t countLog2) {
  HPALETTE palette = wfBuildIndexPalette(wfDeviceContext);
  if (palette == nullptr) return 0;
  // Ramps of 2^31 entries or more, or of a negative power, are no ramps.
  if (lengthLog2 < 0 || lengthLog2 > 30 || countLog2 < 0 || countLog2 > 30) return 0;
  const int64_t length = int64_t{1} << lengthLog2;
  const int64_t rampCount = int64_t{1} << countLog2;
  const int32_t count = entryCount(palette);
  // Only the entries the ramps cover are written, and never more than the map holds; the
  // rest of the map keeps its colours.
  const int64_t covered = length * rampCount;
  const int32_t written = static_cast<int32_t>(covered < count ? covered : count);
  PALETTEENTRY* entries = allocateEntries(written);
  if (entries == nullptr) return 0;
  for (int32_t i = 0; i < written; ++i) {
    const int64_t ramp = i / length;
    const int64_t step = i % length;
    int64_t level = ramp * length + step * rampCount;
    if (level > 255) level = 255;
    entries[i] = greyEntry(i, static_cast<BYTE>(level), true);
  }
  return storeEntries(palette, written, entries);
}

int32_t wfSetRGBMap(int32_t, int32_t) {
  HPALETTE palette = wfBuildIndexPalette(wfDeviceContext);
  if (palette == nullptr) return 0;
  PIXELFORMATDESCRIPTOR descriptor{};
  if (!wfDescribeCurrentFormat(wfDeviceContext, &descriptor)) return 0;
  // The format decodes 2^colour-bits values, but the map holds no more than its entries:
  // a deep format must not size the work by millions of entries.
  const int32_t mapSize = entryCount(palette);
  int32_t count = mapSize;
  if (descriptor.cColorBits < 31 && (int64_t{1} << descriptor.cColorBits) < mapSize) {
    count = static_cast<int32_t>(int64_t{1} << descriptor.cColorBits);
  }
  PALETTEENTRY* entries = allocateEntries(count);
  if (entries == nullptr) return 0;
  wfFillRgbEntries(&descriptor, entries, count);
  SetPaletteEntries(palette, 0, static_cast<UINT>(count), entries);
  LocalFree(entries);
  return wfSelectAndRealize(wfDeviceContext, wfPalette, false);
}

int32_t wfGetColourMapSize() {
  wfBuildIndexPalette(wfDeviceContext);
  if (wfPalette == nullptr) return 0;
  return entryCount(wfPalette);
}
