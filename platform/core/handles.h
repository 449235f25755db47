// Handle tables: every object the core hands out (windows, device contexts, palettes,
// brushes, rendering contexts, registry keys...) is a small integer cast to a pointer.
//
//   bits 31..24  the kind of object (never 0, so no handle is ever null)
//   bits 23..16  the generation of the slot (bumped when a slot is freed)
//   bits 15..0   the slot index, from 1
//
// So handles print in eight hex digits with "0x%08lX", a handle of one kind is never
// valid as another kind, and a deleted handle stays invalid after its slot is reused
// (until the slot's generation wraps after 256 reuses).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

enum class HandleKind : uint32_t {
  Window = 1,
  DeviceContext = 2,
  Palette = 3,
  Brush = 4,
  RenderContext = 5,
  RegistryKey = 6,
  Icon = 7,
  Cursor = 8,
  Module = 9,
};

inline HandleKind handleKindOf(const void* handle) {
  return static_cast<HandleKind>((reinterpret_cast<uintptr_t>(handle) >> 24) & 0xff);
}

template <typename Record>
class HandleTable {
 public:
  explicit HandleTable(HandleKind kind) : kind_(kind) {}

  // Stores the record; returns its handle, or 0 when all 65535 slots are in use.
  uintptr_t add(std::unique_ptr<Record> record) {
    size_t index;
    if (!freeSlots_.empty()) {
      index = freeSlots_.back();
      freeSlots_.pop_back();
    } else {
      if (slots_.size() >= 0xffff) return 0;
      slots_.emplace_back();
      index = slots_.size() - 1;
    }
    slots_[index].record = std::move(record);
    return handleOf(index);
  }

  // The record behind a live handle of this table's kind; null for anything else.
  Record* find(const void* handle) const {
    size_t index;
    if (!decode(handle, &index)) return nullptr;
    return slots_[index].record.get();
  }

  // Frees the slot; false when the handle is not live.
  bool remove(const void* handle) {
    size_t index;
    if (!decode(handle, &index)) return false;
    slots_[index].record.reset();
    ++slots_[index].generation;
    freeSlots_.push_back(index);
    return true;
  }

  // Live handles in slot order (a snapshot: records may go away while it is walked).
  std::vector<uintptr_t> handles() const {
    std::vector<uintptr_t> live;
    for (size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].record) live.push_back(handleOf(i));
    return live;
  }

  void clear() {
    slots_.clear();
    freeSlots_.clear();
  }

 private:
  struct Slot {
    std::unique_ptr<Record> record;
    uint8_t generation = 0;
  };

  uintptr_t handleOf(size_t index) const {
    return (static_cast<uintptr_t>(kind_) << 24) |
           (static_cast<uintptr_t>(slots_[index].generation) << 16) | (index + 1);
  }

  bool decode(const void* handle, size_t* index) const {
    const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    if (value > 0xffffffffu || handleKindOf(handle) != kind_) return false;
    const size_t slotNumber = value & 0xffff;
    if (slotNumber == 0 || slotNumber > slots_.size()) return false;
    const Slot& slot = slots_[slotNumber - 1];
    if (!slot.record || slot.generation != ((value >> 16) & 0xff)) return false;
    *index = slotNumber - 1;
    return true;
  }

  HandleKind kind_;
  std::deque<Slot> slots_;
  std::vector<size_t> freeSlots_;
};

template <typename Handle>
Handle asHandle(uintptr_t value) {
  return reinterpret_cast<Handle>(value);
}
