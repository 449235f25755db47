#include "pixfmt/logpalette_buffer.h"

#include <cstddef>

LOGPALETTE* wfAllocLogPalette(int count, bool zeroFilled) {
  if (count < 1) count = 1;
  const SIZE_T bytes = offsetof(LOGPALETTE, palPalEntry) +
                       static_cast<SIZE_T>(count) * sizeof(PALETTEENTRY);
  auto* palette = static_cast<LOGPALETTE*>(LocalAlloc(zeroFilled ? LPTR : LMEM_FIXED, bytes));
  if (palette == nullptr) return nullptr;
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  return palette;
}
