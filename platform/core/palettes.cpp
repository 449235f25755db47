// Logical palettes: creation, entries, selection into a device context.
#include <memory>

#include "platform/core/failure_injection.h"
#include "platform/core/gdi_objects.h"

HPALETTE platformCreatePaletteRecord(std::unique_ptr<PaletteRecord> record);

HPALETTE CreatePalette(const LOGPALETTE* logical) {
  if (platformInjectedFailure("CreatePalette")) return nullptr;
  if (logical == nullptr || logical->palVersion != 0x300 || logical->palNumEntries == 0)
    return nullptr;
  auto record = std::make_unique<PaletteRecord>();
  record->entries.assign(logical->palPalEntry, logical->palPalEntry + logical->palNumEntries);
  return platformCreatePaletteRecord(std::move(record));
}

// With no destination the result is the palette's number of entries, whatever the range.
UINT GetPaletteEntries(HPALETTE palette, UINT first, UINT count, PALETTEENTRY* entries) {
  if (platformInjectedFailure("GetPaletteEntries")) return 0;
  const PaletteRecord* record = platformFindPalette(palette);
  if (record == nullptr) return 0;
  const UINT size = static_cast<UINT>(record->entries.size());
  if (entries == nullptr) return size;
  if (first >= size) return 0;
  const UINT copied = count < size - first ? count : size - first;
  for (UINT i = 0; i < copied; ++i) entries[i] = record->entries[first + i];
  return copied;
}

// The new colours take effect at the next realisation, which maps the palette afresh.
UINT SetPaletteEntries(HPALETTE palette, UINT first, UINT count, const PALETTEENTRY* entries) {
  if (platformInjectedFailure("SetPaletteEntries")) return 0;
  PaletteRecord* record = platformFindPalette(palette);
  if (record == nullptr || record->stock || entries == nullptr) return 0;
  const UINT size = static_cast<UINT>(record->entries.size());
  if (first >= size) return 0;
  const UINT copied = count < size - first ? count : size - first;
  for (UINT i = 0; i < copied; ++i) record->entries[first + i] = entries[i];
  if (copied > 0) record->realised = false;
  return copied;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
  if (platformInjectedFailure("SelectPalette")) return nullptr;
  DeviceContextRecord* record = platformFindDeviceContext(dc);
  if (record == nullptr || platformFindPalette(palette) == nullptr) return nullptr;
  HPALETTE previous = platformSelectedPalette(*record);
  record->palette = palette;
  record->paletteBackground = forceBackground != FALSE;
  return previous;
}
