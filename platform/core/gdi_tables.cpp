// The tables behind palette, brush and device-context handles, and the stock objects.
#include <memory>

#include "platform/core/failure_injection.h"
#include "platform/core/gdi_objects.h"
#include "platform/core/handles.h"
#include "platform/core/system_palette.h"

namespace {

HandleTable<PaletteRecord> palettes(HandleKind::Palette);
HandleTable<BrushRecord> brushes(HandleKind::Brush);
HandleTable<DeviceContextRecord> deviceContexts(HandleKind::DeviceContext);
HPALETTE stockPalette = nullptr;
HBRUSH stockBlackBrush = nullptr;

}  // namespace

PaletteRecord* platformFindPalette(HPALETTE palette) { return palettes.find(palette); }
BrushRecord* platformFindBrush(HBRUSH brush) { return brushes.find(brush); }
DeviceContextRecord* platformFindDeviceContext(HDC dc) { return deviceContexts.find(dc); }

HPALETTE platformStockPalette() {
  if (stockPalette == nullptr) {
    auto record = std::make_unique<PaletteRecord>();
    record->entries.assign(platformStaticColours(), platformStaticColours() + 20);
    record->stock = true;
    stockPalette = asHandle<HPALETTE>(palettes.add(std::move(record)));
  }
  return stockPalette;
}

static HBRUSH stockBrush() {
  if (stockBlackBrush == nullptr) {
    auto record = std::make_unique<BrushRecord>();
    record->colour = RGB(0, 0, 0);
    record->stock = true;
    stockBlackBrush = asHandle<HBRUSH>(brushes.add(std::move(record)));
  }
  return stockBlackBrush;
}

HPALETTE platformCreatePaletteRecord(std::unique_ptr<PaletteRecord> record) {
  return asHandle<HPALETTE>(palettes.add(std::move(record)));
}

HDC platformCreateDeviceContext(HWND window) {
  auto record = std::make_unique<DeviceContextRecord>();
  record->window = window;
  return asHandle<HDC>(deviceContexts.add(std::move(record)));
}

void platformDeleteDeviceContext(HDC dc) { deviceContexts.remove(dc); }

HPALETTE platformSelectedPalette(const DeviceContextRecord& dc) {
  if (dc.palette != nullptr && palettes.find(dc.palette) != nullptr) return dc.palette;
  return platformStockPalette();
}

void platformResetGdiObjects() {
  palettes.clear();
  brushes.clear();
  deviceContexts.clear();
  stockPalette = nullptr;
  stockBlackBrush = nullptr;
}

HGDIOBJ GetStockObject(int kind) {
  if (platformInjectedFailure("GetStockObject")) return nullptr;
  if (kind == DEFAULT_PALETTE) return platformStockPalette();
  if (kind == BLACK_BRUSH) return stockBrush();
  return nullptr;
}

// Stock objects are not deleted (the call still succeeds, as the system's does). A palette
// that is still selected into a device context is replaced there by the default palette, so
// no device context is ever left holding a dead handle.
BOOL DeleteObject(HGDIOBJ object) {
  if (platformInjectedFailure("DeleteObject")) return FALSE;
  if (PaletteRecord* palette = palettes.find(object)) {
    if (palette->stock) return TRUE;
    HPALETTE handle = static_cast<HPALETTE>(object);
    for (uintptr_t dcHandle : deviceContexts.handles()) {
      DeviceContextRecord* dc = deviceContexts.find(asHandle<HDC>(dcHandle));
      if (dc->palette == handle) dc->palette = nullptr;
    }
    platformReleasePaletteSlots(handle);
    palettes.remove(object);
    return TRUE;
  }
  if (BrushRecord* brush = brushes.find(object)) {
    if (!brush->stock) brushes.remove(object);
    return TRUE;
  }
  return FALSE;
}

BOOL UnrealizeObject(HGDIOBJ object) {
  if (platformInjectedFailure("UnrealizeObject")) return FALSE;
  if (PaletteRecord* palette = palettes.find(object)) {
    palette->realised = false;
    return TRUE;
  }
  return brushes.find(object) != nullptr ? TRUE : FALSE;
}
