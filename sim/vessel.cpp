// VESSEL queries, answered from the host's vessel state.
#include <algorithm>

#include "host/vessel.h"
#include "sim/host.h"

using sim::Field;
using sim::TheHost;

namespace {

const sim::VesselState& StateOf(OBJHANDLE handle) { return *static_cast<const sim::VesselState*>(handle); }

const std::vector<sim::Thruster>* Group(OBJHANDLE handle, THGROUP_TYPE type) {
  const int g = static_cast<int>(type);
  if (g < 0 || g >= sim::VesselState::kGroups) return nullptr;
  return &StateOf(handle).thrusters[static_cast<std::size_t>(g)];
}

}  // namespace

VESSEL::VESSEL(OBJHANDLE hVessel, int /*fmodel*/) : hVessel(hVessel) {}

VESSEL::~VESSEL() = default;

DWORD VESSEL::GetGroupThrusterCount(THGROUP_TYPE thgt) const {
  const auto* group = Group(hVessel, thgt);
  const auto n = static_cast<DWORD>(group ? group->size() : 0);
  TheHost().trace.Add("GetGroupThrusterCount %d -> %u", static_cast<int>(thgt), static_cast<unsigned>(n));
  return n;
}

THRUSTER_HANDLE VESSEL::GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const {
  TheHost().trace.Add("GetGroupThruster %d %u", static_cast<int>(thgt), static_cast<unsigned>(idx));
  const auto* group = Group(hVessel, thgt);
  if (!group || idx >= group->size()) return nullptr;
  return const_cast<sim::Thruster*>(&(*group)[idx]);
}

double VESSEL::GetThrusterLevel(THRUSTER_HANDLE th) const {
  const auto* thruster = static_cast<const sim::Thruster*>(th);
  const double level = thruster ? thruster->level : 0.0;
  if (TheHost().trace.Enabled()) {
    if (thruster)
      TheHost().trace.Add("GetThrusterLevel %d %u -> %s", thruster->group, static_cast<unsigned>(thruster->index),
                          Field::Number(level).c_str());
    else
      TheHost().trace.Add("GetThrusterLevel null -> 0");
  }
  return level;
}

double VESSEL::GetControlSurfaceLevel(AIRCTRL_TYPE type) const {
  const int t = static_cast<int>(type);
  const double level = t >= 0 && t < 3 ? StateOf(hVessel).controlSurfaces[static_cast<std::size_t>(t)] : 0.0;
  if (TheHost().trace.Enabled()) TheHost().trace.Add("GetControlSurfaceLevel %d -> %s", t, Field::Number(level).c_str());
  return level;
}

double VESSEL::GetWheelbrakeLevel(int which) const {
  const std::vector<double>& brakes = StateOf(hVessel).wheelBrakes;
  const double level = which >= 0 && static_cast<std::size_t>(which) < brakes.size() ? brakes[static_cast<std::size_t>(which)] : 0.0;
  if (TheHost().trace.Enabled()) TheHost().trace.Add("GetWheelbrakeLevel %d -> %s", which, Field::Number(level).c_str());
  return level;
}

bool VESSEL::GetNavmodeState(int mode) {
  const std::vector<int>& active = StateOf(hVessel).navmodes;
  const bool on = std::find(active.begin(), active.end(), mode) != active.end();
  TheHost().trace.Add("GetNavmodeState %d -> %s", mode, on ? "true" : "false");
  return on;
}

DWORD VESSEL::GetADCtrlMode() const {
  const DWORD mode = StateOf(hVessel).adcMode;
  TheHost().trace.Add("GetADCtrlMode -> %u", static_cast<unsigned>(mode));
  return mode;
}

DWORD VESSEL::GetFlightStatus() const {
  const DWORD status = StateOf(hVessel).flightStatus;
  TheHost().trace.Add("GetFlightStatus -> %u", static_cast<unsigned>(status));
  return status;
}
