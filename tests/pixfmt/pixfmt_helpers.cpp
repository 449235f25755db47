// Test helpers that need nothing but the platform's ordinary operations.
#include "tests/pixfmt/pixfmt_fixture.h"

namespace pixfmttest {

int drainWaiting(HWND window, UINT message) {
  int count = 0;
  MSG msg;
  while (PeekMessageA(&msg, window, message, message, PM_REMOVE)) ++count;
  return count;
}

std::vector<PALETTEENTRY> paletteEntries(HPALETTE palette) {
  const UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
  std::vector<PALETTEENTRY> entries(count);
  if (count > 0) GetPaletteEntries(palette, 0, count, entries.data());
  return entries;
}

HPALETTE distinctPalette(int count, int shade) {
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* request = reinterpret_cast<LOGPALETTE*>(buffer.data());
  request->palVersion = 0x300;
  request->palNumEntries = static_cast<WORD>(count);
  PALETTEENTRY* entries = request->palPalEntry;
  for (int i = 0; i < count; ++i) {
    entries[i] = PALETTEENTRY{static_cast<BYTE>(3 + i), static_cast<BYTE>(7 + 20 * shade),
                              static_cast<BYTE>(250 - i), 0};
  }
  return CreatePalette(request);
}

void occupySystemPalette() {
  HDC other = nullptr;
  HWND none = nullptr;
  openDeviceContext(false, &none, &other);
  HPALETTE occupier = distinctPalette(16, 5);
  SelectPalette(other, occupier, FALSE);
  RealizePalette(other);
}

bool holdsFirstFreeSlot(HPALETTE palette) {
  PALETTEENTRY first;
  if (GetPaletteEntries(palette, 0, 1, &first) != 1) return false;
  first.peFlags = 0;
  return systemPaletteColours().at(10) == first;
}

PIXELFORMATDESCRIPTOR rgbaFormat(BYTE colourBits, DWORD extraFlags) {
  PIXELFORMATDESCRIPTOR f = {};
  f.nSize = sizeof f;
  f.nVersion = 1;
  f.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | extraFlags;
  f.iPixelType = PFD_TYPE_RGBA;
  f.cColorBits = colourBits;
  f.iLayerType = PFD_MAIN_PLANE;
  return f;
}

PIXELFORMATDESCRIPTOR indexFormat(BYTE colourBits, DWORD extraFlags) {
  PIXELFORMATDESCRIPTOR f = rgbaFormat(colourBits, extraFlags);
  f.iPixelType = PFD_TYPE_COLORINDEX;
  return f;
}

PIXELFORMATDESCRIPTOR threeThreeTwoFormat(DWORD extraFlags) {
  PIXELFORMATDESCRIPTOR f = rgbaFormat(8, PFD_DOUBLEBUFFER | PFD_NEED_PALETTE | extraFlags);
  f.cRedBits = 3;
  f.cRedShift = 0;
  f.cGreenBits = 3;
  f.cGreenShift = 3;
  f.cBlueBits = 2;
  f.cBlueShift = 6;
  return f;
}

}  // namespace pixfmttest
