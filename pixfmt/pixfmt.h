// Pixel-format selection and query, the window's one logical palette, its realisation
// as the window gains and loses the foreground, and the system colours. Used by the
// window framework's window creation, event loop and colour-map helpers.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// ---- State -------------------------------------------------------------------------------------
extern HPALETTE wfPalette;            // the window's logical palette; null while there is none
extern int wfUseWholePalette;         // 1: the palette claims the whole system palette
extern int wfStaticColoursTaken;      // 1 while the system's static colours are taken
extern int wfSysColourCount;          // how many system colours are set and restored (21 or 25)

// The system's 20 static colours and, for each, the index of the 3-3-2 RGB palette that
// receives it (refreshed by every placement).
constexpr int WF_STATIC_COLOUR_COUNT = 20;
extern PALETTEENTRY wfStaticColours[WF_STATIC_COLOUR_COUNT];
extern int wfStaticSlots[WF_STATIC_COLOUR_COUNT];

// Levels of a 1-, 2- and 3-bit colour channel (measured levels, not a linear scale).
extern const BYTE wfRamp1Bit[2];
extern const BYTE wfRamp2Bit[4];
extern const BYTE wfRamp3Bit[8];

// The system colours set while the static colours are taken, and their registry names.
// Only the first wfSysColourCount entries are used.
constexpr int WF_MAX_SYS_COLOURS = 25;
extern const int wfSysColourIndices[WF_MAX_SYS_COLOURS];
extern const COLORREF wfMonoSysColours[WF_MAX_SYS_COLOURS];
extern const char* const wfSysColourNames[WF_MAX_SYS_COLOURS];
extern COLORREF wfSavedSysColours[WF_MAX_SYS_COLOURS];

// ---- Current pixel-format query ----------------------------------------------------------------
// The number of the format the device context carries (>= 1), its description in
// `descriptor`; 0 after reporting why not.
int wfDescribeCurrentFormat(HDC dc, PIXELFORMATDESCRIPTOR* descriptor);

// ---- Pixel-format selection ---------------------------------------------------------------------
// Gives the device context the format the display-mode word asks for (by wfFormatPolicy),
// and its RGB palette if it needs one. 1 on success, 0 after reporting the reason.
int wfSetupPixelFormat(HDC dc, int32_t displayMode);
int wfRequestPixelFormat(HDC dc, int32_t displayMode, PIXELFORMATDESCRIPTOR* descriptor);
int wfSearchPixelFormats(HDC dc, int32_t displayMode, PIXELFORMATDESCRIPTOR* descriptor);
int wfCheckPixelFormat(HDC dc, int number, PIXELFORMATDESCRIPTOR* descriptor);

// ---- Logical palettes ------------------------------------------------------------------------------
HPALETTE wfBuildRgbPalette(HDC dc);
HPALETTE wfBuildIndexPalette(HDC dc);
PALETTEENTRY* wfFillRgbEntries(const PIXELFORMATDESCRIPTOR* descriptor, PALETTEENTRY* entries,
                               int count);
BYTE wfRampComponent(int index, int bits, int shift);
void wfPlaceStaticColours(PALETTEENTRY* entries);
void wfFlushSystemPalette(HDC dc, int count);

// ---- Realisation and system colours -------------------------------------------------------------
// RealizePalette's result (changed system-palette entries), or -1 on failure.
int wfSelectAndRealize(HDC dc, HPALETTE palette, bool background);
int wfTakeStaticColours(HDC dc);
int wfReturnStaticColours(HDC dc);
int wfReadRegistryColours(COLORREF* colours, int count);
void wfPostRealizeRequest();
void wfRequestRepaint(HWND window);

// The palette messages (WM_ACTIVATE, WM_QUERYNEWPALETTE, WM_PALETTECHANGED, WM_USER,
// WM_SYSCOLORCHANGE) as the window procedure hands them over. Returns true when the message
// is one of them, with its result in *result (default processing included where it applies);
// false for any other message, which the caller handles itself.
bool wfHandlePaletteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result);

// Puts the palette state back to its initial values (tests run many scenarios per process).
void wfRestorePaletteState();
