// The RGB palette of an RGBA pixel format that needs one: entry i holds the colour that
// the pixel value i encodes.
#include "pixfmt/logpalette_buffer.h"
#include "pixfmt/pixfmt.h"
#include "pixfmt/whole_palette_claim.h"

namespace {

constexpr int kFullPalette = 256;

bool isThreeThreeTwo(const PIXELFORMATDESCRIPTOR& format) {
  return format.cRedBits == 3 && format.cRedShift == 0 && format.cGreenBits == 3 &&
         format.cGreenShift == 3 && format.cBlueBits == 2 && format.cBlueShift == 6;
}

// A palette has at most 256 entries. Deeper formats (which never need a palette in
// practice) get the first 256 values instead of 2^24 or more, or a shift past int's width.
int paletteSizeFor(int colourBits) { return colourBits < 8 ? 1 << colourBits : kFullPalette; }

}  // namespace

PALETTEENTRY* wfFillRgbEntries(const PIXELFORMATDESCRIPTOR* descriptor, PALETTEENTRY* entries,
                               int count) {
  if (entries == nullptr) return nullptr;
  for (int i = 0; i < count; ++i) {
    entries[i].peRed = wfRampComponent(i, descriptor->cRedBits, descriptor->cRedShift);
    entries[i].peGreen = wfRampComponent(i, descriptor->cGreenBits, descriptor->cGreenShift);
    entries[i].peBlue = wfRampComponent(i, descriptor->cBlueBits, descriptor->cBlueShift);
    entries[i].peFlags = PC_NOCOLLAPSE;
  }
  if (count != kFullPalette) return entries;
  if (wfUseWholePalette == 1) {
    // Black and white stay where the system keeps them; only their flags change.
    entries[0].peFlags = 0;
    entries[kFullPalette - 1].peFlags = 0;
  } else if (isThreeThreeTwo(*descriptor)) {
    wfPlaceStaticColours(entries);
    for (int k = 0; k < WF_STATIC_COLOUR_COUNT; ++k) {
      entries[wfStaticSlots[k]] = wfStaticColours[k];
    }
  }
  return entries;
}

HPALETTE wfBuildRgbPalette(HDC dc) {
  if (wfPalette != nullptr) return wfPalette;
  PIXELFORMATDESCRIPTOR format;
  if (wfDescribeCurrentFormat(dc, &format) == 0) return wfPalette;
  if (format.iPixelType != PFD_TYPE_RGBA || (format.dwFlags & PFD_NEED_PALETTE) == 0) {
    return nullptr;
  }
  wfUseWholePalette = wfClaimsWholePalette(format);

  const int count = paletteSizeFor(format.cColorBits);
  LOGPALETTE* request = wfAllocLogPalette(count, false);
  if (request == nullptr) return nullptr;
  wfFillRgbEntries(&format, wfLogPaletteEntries(request), count);
  wfPalette = CreatePalette(request);
  LocalFree(request);
  // Without a palette there is nothing to realise, and realising nothing must not take the
  // system's static colours, which no teardown would then give back.
  if (wfPalette == nullptr) return nullptr;

  wfFlushSystemPalette(dc, count);
  wfSelectAndRealize(dc, wfPalette, false);
  return wfPalette;
}
