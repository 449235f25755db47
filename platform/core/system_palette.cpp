// The display's system palette on a palette device, emulated in-process.
//
// The model. The system palette has 256 slots. In static use (SYSPAL_STATIC, the start)
// slots 0-9 and 246-255 hold the 20 static colours and belong to the system; in no-static
// use (SYSPAL_NOSTATIC) only slot 0 (black) and slot 255 (white) do, and slots 1-9 and
// 246-254 become free (keeping their colours until someone claims them). Every other slot
// is free (black) until a palette claims it.
//
// Realising a logical palette maps each of its entries to a slot:
//   - PC_EXPLICIT: the slot named by the entry's low word;
//   - an entry without PC_NOCOLLAPSE and PC_RESERVED first looks for a slot that already
//     holds exactly its colour (lowest slot first, a static slot or one claimed by a
//     palette, never a PC_RESERVED slot);
//   - otherwise (or with PC_NOCOLLAPSE / PC_RESERVED, which force a slot of its own) it
//     claims the lowest free slot and writes its colour there; a PC_RESERVED entry marks
//     the slot reserved, so that no other entry or palette matches it;
//   - when no slot is free, the entry maps to the nearest colour among the static and
//     claimed, non-reserved slots (squared RGB distance, ties to the lowest slot).
// A foreground realisation first frees every slot that any palette claimed: the
// foreground palette has first choice, the others lose their colours and must realise
// again. A background realisation only gives back the slots of the palette itself, and
// otherwise uses the free slots and the colours already there.
//
// A palette that is realised already and whose slots still hold the colours it mapped to
// is not mapped again (the result is 0) unless it now realises in the foreground after a
// background realisation; UnrealizeObject and SetPaletteEntries make the next realisation
// map afresh.
//
// The result of a realisation is the number of slots it changed: slots the palette now
// claims whose colour, reserved mark or claimant differ from before the call. Slots that
// a foreground realisation frees without claiming them again do not count.
//
// On a true-colour display (the driver says it is no palette device) nothing of this
// happens: realising returns 0, and the system palette use cannot be set.
#include "platform/core/system_palette.h"

#include <array>

#include "platform/core/window_records.h"
#include "platform/core/driver_access.h"
#include "platform/core/failure_injection.h"

namespace {

enum class SlotState { Static, Free, Claimed };

struct Slot {
  PALETTEENTRY colour{0, 0, 0, 0};
  SlotState state = SlotState::Free;
  HPALETTE claimant = nullptr;
  bool reserved = false;
};

struct SystemPalette {
  std::array<Slot, 256> slots;
  UINT use = SYSPAL_STATIC;
};

bool isStaticInStaticUse(int slot) { return slot < 10 || slot >= 246; }

void makeStatic(Slot& slot, const PALETTEENTRY& colour) {
  slot.colour = colour;
  slot.colour.peFlags = 0;
  slot.state = SlotState::Static;
  slot.claimant = nullptr;
  slot.reserved = false;
}

SystemPalette initialSystemPalette() {
  SystemPalette system;
  const PALETTEENTRY* statics = platformStaticColours();
  for (int i = 0; i < 10; ++i) makeStatic(system.slots[i], statics[i]);
  for (int i = 0; i < 10; ++i) makeStatic(system.slots[246 + i], statics[10 + i]);
  return system;
}

SystemPalette& systemPalette() {
  static SystemPalette system = initialSystemPalette();
  return system;
}

void freeSlot(Slot& slot) {
  slot.state = SlotState::Free;
  slot.claimant = nullptr;
  slot.reserved = false;
}

bool sameColour(const PALETTEENTRY& a, const PALETTEENTRY& b) {
  return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

bool matchable(const Slot& slot) { return slot.state != SlotState::Free && !slot.reserved; }

int exactSlot(const PALETTEENTRY& colour) {
  const auto& slots = systemPalette().slots;
  for (int i = 0; i < 256; ++i)
    if (matchable(slots[i]) && sameColour(slots[i].colour, colour)) return i;
  return -1;
}

int firstFreeSlot() {
  const auto& slots = systemPalette().slots;
  for (int i = 0; i < 256; ++i)
    if (slots[i].state == SlotState::Free) return i;
  return -1;
}

int nearestSlot(const PALETTEENTRY& colour) {
  const auto& slots = systemPalette().slots;
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    if (!matchable(slots[i])) continue;
    const long dr = long(slots[i].colour.peRed) - colour.peRed;
    const long dg = long(slots[i].colour.peGreen) - colour.peGreen;
    const long db = long(slots[i].colour.peBlue) - colour.peBlue;
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

// Whether the palette's last mapping still holds: its claimed slots are still its own and
// every slot it maps to still shows the colour it showed then.
bool mappingHolds(HPALETTE handle, const PaletteRecord& palette) {
  if (!palette.realised || palette.slotOf.size() != palette.entries.size()) return false;
  const auto& slots = systemPalette().slots;
  for (size_t i = 0; i < palette.slotOf.size(); ++i) {
    const Slot& slot = slots[palette.slotOf[i]];
    if (palette.claimed[i] && slot.claimant != handle) return false;
    if (!sameColour(slot.colour, palette.slotColourAtRealisation[i])) return false;
  }
  return true;
}

void mapEntries(HPALETTE handle, PaletteRecord& palette) {
  auto& slots = systemPalette().slots;
  const size_t count = palette.entries.size();
  palette.slotOf.assign(count, 0);
  palette.claimed.assign(count, false);
  palette.slotColourAtRealisation.assign(count, PALETTEENTRY{0, 0, 0, 0});
  for (size_t i = 0; i < count; ++i) {
    const PALETTEENTRY& entry = palette.entries[i];
    int slot = -1;
    if (entry.peFlags & PC_EXPLICIT) {
      slot = (entry.peRed | (entry.peGreen << 8)) & 0xff;
    } else {
      const bool ownSlot = (entry.peFlags & (PC_NOCOLLAPSE | PC_RESERVED)) != 0;
      if (!ownSlot) slot = exactSlot(entry);
      if (slot < 0) {
        slot = firstFreeSlot();
        if (slot >= 0) {
          Slot& claimed = slots[slot];
          claimed.colour = PALETTEENTRY{entry.peRed, entry.peGreen, entry.peBlue, 0};
          claimed.state = SlotState::Claimed;
          claimed.claimant = handle;
          claimed.reserved = (entry.peFlags & PC_RESERVED) != 0;
          palette.claimed[i] = true;
        } else {
          slot = nearestSlot(entry);
        }
      }
    }
    palette.slotOf[i] = slot;
  }
  for (size_t i = 0; i < count; ++i)
    palette.slotColourAtRealisation[i] = slots[palette.slotOf[i]].colour;
}

}  // namespace

int platformRealisePalette(HPALETTE handle, PaletteRecord& palette, bool foreground) {
  if (!platformPaletteDevice()) return 0;
  const bool promoted = foreground && !palette.realisedInForeground;
  if (mappingHolds(handle, palette) && !promoted) return 0;

  auto& slots = systemPalette().slots;
  const std::array<Slot, 256> before = slots;
  for (Slot& slot : slots) {
    const bool giveBack = foreground ? slot.state == SlotState::Claimed : slot.claimant == handle;
    if (giveBack) freeSlot(slot);
  }
  mapEntries(handle, palette);
  palette.realised = true;
  palette.realisedInForeground = foreground;

  int changed = 0;
  for (int i = 0; i < 256; ++i) {
    if (slots[i].claimant != handle) continue;
    if (before[i].claimant != handle || before[i].reserved != slots[i].reserved ||
        !sameColour(before[i].colour, slots[i].colour))
      ++changed;
  }
  return changed;
}

void platformReleasePaletteSlots(HPALETTE handle) {
  for (Slot& slot : systemPalette().slots)
    if (slot.claimant == handle) freeSlot(slot);
}

std::vector<PALETTEENTRY> platformSystemPaletteColours() {
  std::vector<PALETTEENTRY> colours;
  for (const Slot& slot : systemPalette().slots) colours.push_back(slot.colour);
  return colours;
}

UINT platformSystemPaletteUse() { return systemPalette().use; }

void platformResetSystemPalette() { systemPalette() = initialSystemPalette(); }

// Switching to no-static use frees slots 1-9 and 246-254 (their colours stay until a
// palette claims them); switching back puts the static colours back into all 20 slots,
// taking them from whichever palette had claimed them.
// The use as SetSystemPaletteUse last set it; a true-colour display is in static use.
UINT GetSystemPaletteUse(HDC dc) {
  if (platformInjectedFailure("GetSystemPaletteUse")) return SYSPAL_ERROR;
  if (platformFindDeviceContext(dc) == nullptr) return SYSPAL_ERROR;
  return platformPaletteDevice() ? systemPalette().use : SYSPAL_STATIC;
}

UINT SetSystemPaletteUse(HDC dc, UINT use) {
  if (platformInjectedFailure("SetSystemPaletteUse")) return SYSPAL_ERROR;
  if (platformFindDeviceContext(dc) == nullptr || !platformPaletteDevice()) return SYSPAL_ERROR;
  if (use != SYSPAL_STATIC && use != SYSPAL_NOSTATIC) return SYSPAL_ERROR;
  SystemPalette& system = systemPalette();
  const UINT previous = system.use;
  if (use == previous) return previous;
  system.use = use;
  const PALETTEENTRY* statics = platformStaticColours();
  for (int i = 1; i < 255; ++i) {
    if (!isStaticInStaticUse(i)) continue;
    if (use == SYSPAL_NOSTATIC) {
      freeSlot(system.slots[i]);
    } else {
      makeStatic(system.slots[i], statics[i < 10 ? i : i - 236]);
    }
  }
  return previous;
}

UINT RealizePalette(HDC dc) {
  if (platformInjectedFailure("RealizePalette")) return GDI_ERROR;
  DeviceContextRecord* record = platformFindDeviceContext(dc);
  if (record == nullptr) return GDI_ERROR;
  HPALETTE handle = platformSelectedPalette(*record);
  const bool foreground = !record->paletteBackground;
  const HWND window = record->window;
  const int changed = platformRealisePalette(handle, *platformFindPalette(handle), foreground);
  if (changed > 0 && foreground) platformBroadcastPaletteChanged(window);
  return static_cast<UINT>(changed);
}
