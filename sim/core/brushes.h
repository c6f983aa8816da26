// The brushes a module creates, in fixed slots so that creating one allocates
// nothing. A handle carries its slot and a generation, so a stale handle is
// recognised.
#pragma once

#include <array>
#include <cstdint>

namespace sim {

class BrushTable {
 public:
  // A new handle, or null when every slot is live.
  void* Create(std::uint32_t colour);
  // The brush's colour, or false for a deleted or unknown handle.
  bool Find(void* brush, std::uint32_t* colour) const;
  bool Delete(void* brush);
  int Live() const;

 private:
  static constexpr int kSlots = 64;
  struct Slot {
    std::uint32_t generation = 0;
    std::uint32_t colour = 0;
    bool live = false;
  };
  int SlotOf(void* brush) const;  // -1 when stale or unknown
  std::array<Slot, kSlots> slots_{};
};

}  // namespace sim
