// The host's vessels and the answers to VESSEL's queries.
#include "sim/core/vessel.h"

#include <algorithm>

#include "sim/core/host.h"

namespace sim {

void VesselState::SetThrusters(int group, const std::vector<double>& levels) {
  groups.at(static_cast<std::size_t>(group)).clear();
  for (const double level : levels) {
    Group(group, static_cast<std::uint32_t>(thrusterLevels.size()));
    thrusterLevels.push_back(level);
  }
}

void VesselState::Group(int group, std::uint32_t t) {
  std::vector<GroupThruster>& list = groups.at(static_cast<std::size_t>(group));
  list.push_back({group, static_cast<std::uint32_t>(list.size()), t});
}

Vessel::Vessel() : iface_(Abi().new_vessel(&state_)) {}

Vessel::~Vessel() { Abi().delete_vessel(iface_); }

}  // namespace sim

namespace {

using sim::Field;
using sim::TheHost;

const sim::VesselState& StateOf(void* vessel) { return *static_cast<const sim::VesselState*>(vessel); }

const std::vector<sim::GroupThruster>* Group(void* vessel, int group) {
  if (group < 0 || group >= sim::VesselState::kGroups) return nullptr;
  return &StateOf(vessel).groups[static_cast<std::size_t>(group)];
}

}  // namespace

extern "C" {

unsigned vh_group_thruster_count(void* vessel, int group) {
  const auto* list = Group(vessel, group);
  const auto n = static_cast<unsigned>(list ? list->size() : 0);
  TheHost().trace.Add("GetGroupThrusterCount %d -> %u", group, n);
  return n;
}

void* vh_group_thruster(void* vessel, int group, unsigned index) {
  TheHost().trace.Add("GetGroupThruster %d %u", group, index);
  const auto* list = Group(vessel, group);
  if (!list || index >= list->size()) return nullptr;
  return const_cast<sim::GroupThruster*>(&(*list)[index]);
}

double vh_thruster_level(void* vessel, void* thruster) {
  const auto* t = static_cast<const sim::GroupThruster*>(thruster);
  const std::vector<double>& levels = StateOf(vessel).thrusterLevels;
  const double level = t && t->thruster < levels.size() ? levels[t->thruster] : 0.0;
  if (TheHost().trace.Enabled()) {
    if (t)
      TheHost().trace.Add("GetThrusterLevel %d %u -> %s", t->group, static_cast<unsigned>(t->index),
                          Field::Number(level).c_str());
    else
      TheHost().trace.Add("GetThrusterLevel null -> 0");
  }
  return level;
}

double vh_control_surface_level(void* vessel, int type) {
  const double level = type >= 0 && type < 3 ? StateOf(vessel).controlSurfaces[static_cast<std::size_t>(type)] : 0.0;
  if (TheHost().trace.Enabled()) TheHost().trace.Add("GetControlSurfaceLevel %d -> %s", type, Field::Number(level).c_str());
  return level;
}

double vh_wheelbrake_level(void* vessel, int which) {
  const std::vector<double>& brakes = StateOf(vessel).wheelBrakes;
  const double level =
      which >= 0 && static_cast<std::size_t>(which) < brakes.size() ? brakes[static_cast<std::size_t>(which)] : 0.0;
  if (TheHost().trace.Enabled()) TheHost().trace.Add("GetWheelbrakeLevel %d -> %s", which, Field::Number(level).c_str());
  return level;
}

int vh_navmode_state(void* vessel, int mode) {
  const std::vector<int>& active = StateOf(vessel).navmodes;
  const bool on = std::find(active.begin(), active.end(), mode) != active.end();
  TheHost().trace.Add("GetNavmodeState %d -> %s", mode, on ? "true" : "false");
  return on;
}

unsigned vh_adc_mode(void* vessel) {
  const std::uint32_t mode = StateOf(vessel).adcMode;
  TheHost().trace.Add("GetADCtrlMode -> %u", static_cast<unsigned>(mode));
  return mode;
}

unsigned vh_flight_status(void* vessel) {
  const std::uint32_t status = StateOf(vessel).flightStatus;
  TheHost().trace.Add("GetFlightStatus -> %u", static_cast<unsigned>(status));
  return status;
}
}
