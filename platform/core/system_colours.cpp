// The system colours, emulated in-process: indices 0 to 30, starting from a classic grey
// desktop scheme. Setting them changes only the colours: telling the windows about it
// (WM_SYSCOLORCHANGE) is the caller's business, as the framework broadcasts it itself.
#include <array>

#include "platform/core/failure_injection.h"
#include "platform/core/system_colours.h"
#include "platform/platform.h"

namespace {

using Colours = std::array<COLORREF, PLATFORM_SYS_COLOUR_COUNT>;

const Colours kDefaultColours = {
    RGB(200, 200, 200),  //  0 scroll bar
    RGB(58, 110, 165),   //  1 desktop background
    RGB(10, 36, 106),    //  2 active title
    RGB(128, 128, 128),  //  3 inactive title
    RGB(212, 208, 200),  //  4 menu
    RGB(255, 255, 255),  //  5 window
    RGB(0, 0, 0),        //  6 window frame
    RGB(0, 0, 0),        //  7 menu text
    RGB(0, 0, 0),        //  8 window text
    RGB(255, 255, 255),  //  9 title text
    RGB(212, 208, 200),  // 10 active border
    RGB(212, 208, 200),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application workspace
    RGB(10, 36, 106),    // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(212, 208, 200),  // 15 button face
    RGB(128, 128, 128),  // 16 button shadow
    RGB(128, 128, 128),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(212, 208, 200),  // 19 inactive title text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(64, 64, 64),     // 21 button dark shadow
    RGB(212, 208, 200),  // 22 button light
    RGB(0, 0, 0),        // 23 tooltip text
    RGB(255, 255, 225),  // 24 tooltip background
    RGB(0, 0, 0),        // 25 unused
    RGB(0, 0, 128),      // 26 hot-tracked item
    RGB(166, 202, 240),  // 27 active title gradient
    RGB(192, 192, 192),  // 28 inactive title gradient
    RGB(49, 106, 197),   // 29 menu highlight
    RGB(236, 233, 216),  // 30 menu bar
};

Colours colours = kDefaultColours;

bool validIndex(int index) { return index >= 0 && index < PLATFORM_SYS_COLOUR_COUNT; }

}  // namespace

void platformResetSystemColours() { colours = kDefaultColours; }

DWORD GetSysColor(int index) {
  if (platformInjectedFailure("GetSysColor")) return 0;
  return validIndex(index) ? colours[index] : 0;
}

// All or nothing: one bad index changes no colour. The palette-relative form (0x02 in the
// high byte) is kept as given, as the framework sets its black and white that way.
BOOL SetSysColors(int count, const int* indices, const COLORREF* values) {
  if (platformInjectedFailure("SetSysColors")) return FALSE;
  if (count < 0 || (count > 0 && (indices == nullptr || values == nullptr))) return FALSE;
  for (int i = 0; i < count; ++i)
    if (!validIndex(indices[i])) return FALSE;
  for (int i = 0; i < count; ++i) colours[indices[i]] = values[i];
  return TRUE;
}
