// The window's one logical palette and the state of its realisation.
#include "pixfmt/pixfmt.h"

HPALETTE wfPalette = nullptr;
int wfUseWholePalette = 0;
int wfStaticColoursTaken = 0;
int wfSysColourCount = WF_MAX_SYS_COLOURS;
