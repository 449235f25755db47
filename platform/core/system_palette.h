// The display's system palette, emulated in-process (see system_palette.cpp for the model).
#pragma once

#include <vector>

#include "platform/core/gdi_objects.h"

// Maps the palette into the system palette; returns how many system-palette entries changed.
// Zero on a true-colour display.
int platformRealisePalette(HPALETTE handle, PaletteRecord& palette, bool foreground);
// Gives back every slot the palette claimed (it is being deleted).
void platformReleasePaletteSlots(HPALETTE handle);

std::vector<PALETTEENTRY> platformSystemPaletteColours();
UINT platformSystemPaletteUse();
void platformResetSystemPalette();
