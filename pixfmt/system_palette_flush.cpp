// Empties the system palette before a full RGB palette is realised, so that its entries
// are mapped afresh rather than onto what earlier palettes left behind.
#include "pixfmt/logpalette_buffer.h"
#include "pixfmt/pixfmt.h"

void wfFlushSystemPalette(HDC dc, int count) {
  constexpr int kFullPalette = 256;
  if (count != kFullPalette) return;
  LOGPALETTE* request = wfAllocLogPalette(kFullPalette, false);
  if (request == nullptr) return;
  PALETTEENTRY* entries = wfLogPaletteEntries(request);
  for (int i = 0; i < kFullPalette; ++i) {
    entries[i] = PALETTEENTRY{0, 0, 0, PC_RESERVED | PC_NOCOLLAPSE};
  }
  HPALETTE blank = CreatePalette(request);
  LocalFree(request);
  if (blank == nullptr) return;

  HPALETTE previous = SelectPalette(dc, blank, FALSE);
  if (previous != nullptr) {
    RealizePalette(dc);
    SelectPalette(dc, previous, FALSE);
  }
  DeleteObject(blank);
}
