#include "sim/host.h"

#include <utility>

namespace sim {

void VesselState::SetThrusters(int group, const std::vector<double>& levels) {
  std::vector<Thruster>& list = thrusters.at(static_cast<std::size_t>(group));
  list.clear();
  for (std::size_t i = 0; i < levels.size(); ++i) list.push_back({group, static_cast<DWORD>(i), levels[i]});
}

int BrushTable::SlotOf(HBRUSH brush) const {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value == 0) return -1;
  const auto slot = static_cast<int>((value - 1) % kSlots);
  const Slot& s = slots_[static_cast<std::size_t>(slot)];
  return s.live && s.generation == (value - 1) / kSlots ? slot : -1;
}

HBRUSH BrushTable::Create(COLORREF colour) {
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    Slot& s = slots_[i];
    if (s.live) continue;
    s = {s.generation + 1, colour, true};
    return reinterpret_cast<HBRUSH>(std::uintptr_t{s.generation} * kSlots + i + 1);
  }
  return nullptr;
}

bool BrushTable::Find(HBRUSH brush, COLORREF* colour) const {
  const int slot = SlotOf(brush);
  if (slot >= 0) *colour = slots_[static_cast<std::size_t>(slot)].colour;
  return slot >= 0;
}

bool BrushTable::Delete(HBRUSH brush) {
  const int slot = SlotOf(brush);
  if (slot >= 0) slots_[static_cast<std::size_t>(slot)].live = false;
  return slot >= 0;
}

int BrushTable::Live() const {
  int n = 0;
  for (const Slot& s : slots_) n += s.live;
  return n;
}

void Host::Fault(std::string what) {
  trace.Add("fault %s", what.c_str());
  faults.push_back(std::move(what));
}

void Host::CheckRefreshEnded() {
  if (const int live = brushes.Live(); live > 0) Fault(std::to_string(live) + " brush(es) alive after the refresh");
  if (openPaints > 0) Fault("paint bracket left open after the refresh");
}

const Mode* Host::FindMode(int id) const {
  for (const Mode& m : modes)
    if (m.id == id && m.active) return &m;
  return nullptr;
}

const Mode* Host::FindMode(const std::string& name) const {
  for (const Mode& m : modes)
    if (m.name == name && m.active) return &m;
  return nullptr;
}

void Host::Reset() { *this = Host(); }

Host& TheHost() {
  static Host host;
  return host;
}

}  // namespace sim
