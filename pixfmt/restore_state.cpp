#include <cstring>

#include "pixfmt/pixfmt.h"
#include "pixfmt/static_colour_table.h"

namespace {
const PALETTEENTRY kInitialStaticColours[WF_STATIC_COLOUR_COUNT] = WF_INITIAL_STATIC_COLOURS;
}  // namespace

// The palette handle is forgotten, not deleted: tests reset the platform's objects too.
void wfRestorePaletteState() {
  wfPalette = nullptr;
  wfUseWholePalette = 0;
  wfStaticColoursTaken = 0;
  wfSysColourCount = WF_MAX_SYS_COLOURS;
  std::memcpy(wfStaticColours, kInitialStaticColours, sizeof wfStaticColours);
  std::memset(wfStaticSlots, 0, sizeof wfStaticSlots);
  std::memset(wfSavedSysColours, 0, sizeof wfSavedSysColours);
}
