// Work buffers for logical palettes: a LOGPALETTE of any number of entries, allocated for
// one operation and freed as soon as the palette has been created from it.
#pragma once

#include "platform/platform.h"

// A LOGPALETTE with room for `count` entries, version and count filled in; null when the
// memory cannot be had. Zero-filled when asked. Free it with LocalFree.
LOGPALETTE* wfAllocLogPalette(int count, bool zeroFilled);

// The palette's entries, addressed through a pointer so that indexing past the declared
// one-element array stays plain pointer arithmetic.
inline PALETTEENTRY* wfLogPaletteEntries(LOGPALETTE* palette) { return palette->palPalEntry; }
