#include "sim/core/brushes.h"

namespace sim {

int BrushTable::SlotOf(void* brush) const {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value == 0) return -1;
  const auto slot = static_cast<int>((value - 1) % kSlots);
  const Slot& s = slots_[static_cast<std::size_t>(slot)];
  return s.live && s.generation == (value - 1) / kSlots ? slot : -1;
}

void* BrushTable::Create(std::uint32_t colour) {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    Slot& s = slots_[i];
    if (s.live) continue;
    s = {s.generation + 1, colour, true};
    return reinterpret_cast<void*>(std::uintptr_t{s.generation} * kSlots + i + 1);
  }
  return nullptr;
}

bool BrushTable::Find(void* brush, std::uint32_t* colour) const {
  const int slot = SlotOf(brush);
  if (slot >= 0) *colour = slots_[static_cast<std::size_t>(slot)].colour;
  return slot >= 0;
}

bool BrushTable::Delete(void* brush) {
  const int slot = SlotOf(brush);
  if (slot >= 0) slots_[static_cast<std::size_t>(slot)].live = false;
  return slot >= 0;
}

int BrushTable::Live() const {
  int n = 0;
  for (const Slot& s : slots_) n += s.live;
  return n;
}

}  // namespace sim
