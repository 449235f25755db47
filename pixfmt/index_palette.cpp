// The palette of a colour-index pixel format: a copy of the system's default palette that
// the colour-map helpers then fill.
#include <algorithm>

#include "pixfmt/logpalette_buffer.h"
#include "pixfmt/pixfmt.h"
#include "pixfmt/whole_palette_claim.h"

HPALETTE wfBuildIndexPalette(HDC dc) {
  if (dc == nullptr || wfPalette != nullptr) return wfPalette;
  PIXELFORMATDESCRIPTOR format;
  if (wfDescribeCurrentFormat(dc, &format) == 0) return wfPalette;
  if (format.iPixelType != PFD_TYPE_COLORINDEX) return wfPalette;
  wfUseWholePalette = wfClaimsWholePalette(format);

  constexpr int kFullPalette = 256;
  const int count = format.cColorBits < 8 ? 1 << format.cColorBits : kFullPalette;
  // Zero-filled: entries the default palette does not cover stay black with flags 0.
  LOGPALETTE* request = wfAllocLogPalette(count, true);
  if (request == nullptr) return wfPalette;
  PALETTEENTRY* entries = wfLogPaletteEntries(request);

  auto defaults = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  const UINT defaultCount = GetPaletteEntries(defaults, 0, 0, nullptr);
  GetPaletteEntries(defaults, 0, std::min<UINT>(defaultCount, count), entries);

  if (wfUseWholePalette == 1 && count == kFullPalette) {
    // The two ends hold the system's black and white; everything between is the program's.
    entries[0] = PALETTEENTRY{0, 0, 0, 0};
    entries[kFullPalette - 1] = PALETTEENTRY{255, 255, 255, 0};
    for (int i = 1; i < kFullPalette - 1; ++i) entries[i].peFlags = PC_NOCOLLAPSE;
  }

  wfPalette = CreatePalette(request);
  LocalFree(request);
  if (wfPalette != nullptr) wfSelectAndRealize(dc, wfPalette, false);
  return wfPalette;
}
