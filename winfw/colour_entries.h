// Building single colour-map entries: the 8-bit level of a floating-point component and
// the flags an entry carries while the palette does or does not claim the whole system
// palette.
#pragma once

#include "platform/platform.h"

// trunc(component x 255 + 0.5), reduced to its low 8 bits: 0.0 -> 0, 0.5 -> 128,
// 1.0 -> 255; values outside 0..1 wrap (and a NaN or an infinity gives 0).
BYTE wfColourLevel(float component);

// The flags of palette entry `index` holding (red, green, blue). Without the whole-palette
// claim every entry has flags 0. With it, entries 0 and 255 (the system's black and white)
// keep 0, the others get PC_NOCOLLAPSE, and when `reserveWhite` an all-255 entry gets
// PC_NOCOLLAPSE | PC_RESERVED.
BYTE wfColourEntryFlags(int index, BYTE red, BYTE green, BYTE blue, bool reserveWhite);
