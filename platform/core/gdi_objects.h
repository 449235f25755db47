// The core's GDI objects: logical palettes, brushes and device contexts, and the stock
// objects among them.
#pragma once

#include <vector>

#include "platform/platform.h"

// ---- Logical palettes ----------------------------------------------------------------------
struct PaletteRecord {
  std::vector<PALETTEENTRY> entries;
  bool stock = false;  // the stock default palette: never deleted, its entries never change
  // The last realisation (see system_palette.cpp): for each logical entry, the system
  // palette slot it maps to, and the slot's colour at that time; whether this palette
  // claimed the slot itself.
  bool realised = false;
  bool realisedInForeground = false;
  std::vector<int> slotOf;
  std::vector<PALETTEENTRY> slotColourAtRealisation;
  std::vector<bool> claimed;
};

PaletteRecord* platformFindPalette(HPALETTE palette);
// The stock DEFAULT_PALETTE: the 20 static colours.
HPALETTE platformStockPalette();
// The 20 static colours of the system, black first and white last.
const PALETTEENTRY* platformStaticColours();

// ---- Brushes -------------------------------------------------------------------------------------
struct BrushRecord {
  COLORREF colour = 0;
  bool stock = false;
};
BrushRecord* platformFindBrush(HBRUSH brush);

// ---- Device contexts -------------------------------------------------------------------------
struct DeviceContextRecord {
  HWND window = nullptr;       // null for a context of no window (tests)
  HPALETTE palette = nullptr;  // the selected palette; null stands for the stock default
  bool paletteBackground = false;
  int pixelFormat = 0;         // 0 until SetPixelFormat
};

HDC platformCreateDeviceContext(HWND window);
DeviceContextRecord* platformFindDeviceContext(HDC dc);
void platformDeleteDeviceContext(HDC dc);
// The palette selected into the device context (the stock default when none was selected).
HPALETTE platformSelectedPalette(const DeviceContextRecord& dc);

// ---- State ----------------------------------------------------------------------------------------
void platformResetGdiObjects();
