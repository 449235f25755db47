// Where the system's 20 static colours go in a 3-3-2 RGB palette: each replaces the entry
// that matches it exactly, or else the nearest entry still free.
#include "pixfmt/pixfmt.h"
#include "pixfmt/static_colour_table.h"

PALETTEENTRY wfStaticColours[WF_STATIC_COLOUR_COUNT] = WF_INITIAL_STATIC_COLOURS;
int wfStaticSlots[WF_STATIC_COLOUR_COUNT] = {};

namespace {

constexpr int kEntries = 256;
// While placing, flags 1 marks a static colour as placed and an entry as taken.
constexpr BYTE kMarked = 1;

bool sameColour(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

int squaredDistance(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  const int red = a.peRed - b.peRed;
  const int green = a.peGreen - b.peGreen;
  const int blue = a.peBlue - b.peBlue;
  return red * red + green * green + blue * blue;
}

void placeExactMatches(PALETTEENTRY* entries) {
  for (int k = 0; k < WF_STATIC_COLOUR_COUNT; ++k) {
    // Taken entries are not excluded: two equal static colours share their entry.
    for (int i = 0; i < kEntries; ++i) {
      if (sameColour(entries[i], wfStaticColours[k])) {
        wfStaticColours[k].peFlags = kMarked;
        entries[i].peFlags = kMarked;
        wfStaticSlots[k] = i;
        break;
      }
    }
  }
}

void placeNearestMatches(PALETTEENTRY* entries) {
  for (int k = 0; k < WF_STATIC_COLOUR_COUNT; ++k) {
    if (wfStaticColours[k].peFlags == kMarked) continue;
    int nearest = -1;
    int nearestDistance = 0;
    for (int i = 0; i < kEntries; ++i) {
      if (entries[i].peFlags == kMarked) continue;
      const int distance = squaredDistance(entries[i], wfStaticColours[k]);
      // Only a strictly smaller distance replaces: ties go to the lower index.
      if (nearest < 0 || distance < nearestDistance) {
        nearest = i;
        nearestDistance = distance;
      }
    }
    // 20 colours can take at most 20 of the 256 entries, so a free one always exists.
    if (nearest >= 0) {
      wfStaticSlots[k] = nearest;
      entries[nearest].peFlags = kMarked;
    }
  }
}

}  // namespace

void wfPlaceStaticColours(PALETTEENTRY* entries) {
  // The system's own static colours; if it reports none, the known ones stay.
  GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0,
                    WF_STATIC_COLOUR_COUNT, wfStaticColours);

  for (PALETTEENTRY& colour : wfStaticColours) colour.peFlags = 0;
  for (int i = 0; i < kEntries; ++i) entries[i].peFlags = 0;

  // Every exact match is settled before any nearest match is sought.
  placeExactMatches(entries);
  placeNearestMatches(entries);

  for (PALETTEENTRY& colour : wfStaticColours) colour.peFlags = 0;
  for (int i = 0; i < kEntries; ++i) entries[i].peFlags = PC_NOCOLLAPSE;
}
