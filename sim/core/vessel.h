// A vessel as the host keeps it: the state VESSEL queries answer from.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sim {

// One thruster of a vessel; its address is the host's thruster handle.
struct Thruster {
  int group;
  std::uint32_t index;
  double level;
};

struct VesselState {
  static constexpr int kGroups = 15;
  std::array<std::vector<Thruster>, kGroups> thrusters;
  std::array<double, 3> controlSurfaces{};  // by AIRCTRL_TYPE
  std::vector<double> wheelBrakes;          // by wheel index; missing wheels read 0
  std::vector<int> navmodes;                // active navigation modes
  std::uint32_t adcMode = 0;
  std::uint32_t flightStatus = 0;

  // Replaces a group's thrusters with one per level, in index order.
  void SetThrusters(int group, const std::vector<double>& levels);
};

// A vessel the host owns, with the VESSEL interface it hands to modules.
class Vessel {
 public:
  Vessel();
  Vessel(const Vessel&) = delete;
  Vessel& operator=(const Vessel&) = delete;
  ~Vessel();
  VesselState& State() { return state_; }
  // The host's VESSEL for this vessel.
  void* Interface() const { return iface_; }

 private:
  VesselState state_;
  void* iface_;
};

}  // namespace sim
