// Starting point of every palette and pixel-format test: a fresh framework, fresh palette
// state, a fresh platform, and helpers to script formats and read what the code did.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pixfmt/pixfmt.h"
#include "winfw/state.h"

namespace pixfmttest {

// ---- Platform seams (platform_seams.cpp) ------------------------------------------------
void resetPlatform();
// The formats the display offers, numbered from 1 in this order.
void scriptFormats(const std::vector<PIXELFORMATDESCRIPTOR>& formats);
// A window of this process (null when `withWindow` is false) and a device context, no pixel
// format set yet.
void openDeviceContext(bool withWindow, HWND* window, HDC* dc);
// The next `times` calls of the named platform operation fail.
void failNext(const char* operation, int times = 1);
void failAfter(const char* operation, int successes, int times = 1);
// How often the named platform operation has been called since the reset.
int callCount(const char* operation);
void setRegistryString(const char* name, const std::string& text);
void setRegistryValue(const char* name, DWORD type, const void* data, DWORD bytes);
// Removes "Control Panel\Colors" altogether.
void removeColoursKey();
UINT systemPaletteUse();
std::vector<PALETTEENTRY> systemPaletteColours();
// Messages posted to HWND_BROADCAST since the reset, of this kind.
int broadcastCount(UINT message);
// Error-box texts shown since the reset (caption "Error").
std::vector<std::string> errorTexts();

// ---- Helpers built on the platform's own operations ------------------------------------
// Takes and counts every waiting message of this kind for the window.
int drainWaiting(HWND window, UINT message);
std::vector<PALETTEENTRY> paletteEntries(HPALETTE palette);
// A palette of `count` entries of its own colours, none of them a static colour; palettes
// of different `shade` share no colour.
HPALETTE distinctPalette(int count, int shade = 0);
// Another palette, realised in the foreground on a device context of its own, holds the
// first free slots of the system palette (10 onwards).
void occupySystemPalette();
// True when the palette's first colour sits in slot 10, the first free slot: it was last
// realised in the foreground, since a background realisation leaves the occupier's slots.
bool holdsFirstFreeSlot(HPALETTE palette);

// Descriptions of scripted formats.
PIXELFORMATDESCRIPTOR rgbaFormat(BYTE colourBits, DWORD extraFlags = PFD_DOUBLEBUFFER);
PIXELFORMATDESCRIPTOR indexFormat(BYTE colourBits, DWORD extraFlags = PFD_DOUBLEBUFFER);
// An 8-bit RGBA format of a palette device: 3-3-2 (red at 0, green at 3, blue at 6).
PIXELFORMATDESCRIPTOR threeThreeTwoFormat(DWORD extraFlags = 0);

}  // namespace pixfmttest

inline bool operator==(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue &&
         a.peFlags == b.peFlags;
}

inline void PrintTo(const PALETTEENTRY& e, std::ostream* os) {
  *os << "{" << int(e.peRed) << ", " << int(e.peGreen) << ", " << int(e.peBlue) << ", flags "
      << int(e.peFlags) << "}";
}

class PixfmtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wfRestoreInitialState();
    wfRestorePaletteState();
    pixfmttest::resetPlatform();
  }

  // A device context that carries `number` of `formats` (0: no format set), of a window
  // when asked; they become the framework's.
  HDC deviceContextWith(const std::vector<PIXELFORMATDESCRIPTOR>& formats, int number,
                        bool withWindow = false) {
    pixfmttest::scriptFormats(formats);
    HWND window = nullptr;
    HDC dc = nullptr;
    pixfmttest::openDeviceContext(withWindow, &window, &dc);
    if (number > 0) {
      PIXELFORMATDESCRIPTOR described;
      DescribePixelFormat(dc, number, sizeof described, &described);
      EXPECT_TRUE(SetPixelFormat(dc, number, &described));
    }
    wfWindow = window;
    wfDeviceContext = dc;
    return dc;
  }
};
