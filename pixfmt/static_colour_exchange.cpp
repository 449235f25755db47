// Taking the system's static colours for a whole-palette window in the foreground, and
// giving them back with the user's own system colours when it goes to the background.
#include "pixfmt/pixfmt.h"
#include "pixfmt/sys_colour_count.h"

int wfTakeStaticColours(HDC dc) {
  if (wfStaticColoursTaken == 1) return 1;
  // The palette use is switched first: if the system refuses, no colour has changed.
  if (SetSystemPaletteUse(dc, SYSPAL_NOSTATIC) != SYSPAL_STATIC) {
    Sleep(0);  // let whoever holds the system palette run, then try again from the queue
    wfPostRealizeRequest();
    return 0;
  }
  const int count = wfSysColoursInUse();
  for (int i = 0; i < count; ++i) wfSavedSysColours[i] = GetSysColor(i);
  SetSysColors(count, wfSysColourIndices, wfMonoSysColours);
  wfStaticColoursTaken = 1;
  PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  return 1;
}

int wfReturnStaticColours(HDC dc) {
  if (wfStaticColoursTaken == 0) return 0;
  const int count = wfSysColoursInUse();
  // The user may have changed colours meanwhile; what the registry holds wins.
  wfReadRegistryColours(wfSavedSysColours, count);
  // The colours go back before the palette use does.
  SetSysColors(count, wfSysColourIndices, wfSavedSysColours);
  SetSystemPaletteUse(dc, SYSPAL_STATIC);
  PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  wfStaticColoursTaken = 0;
  return 1;
}
