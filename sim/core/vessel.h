// A vessel as the host keeps it: the state VESSEL queries answer from.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sim {

// A thruster's place in a group; its address is the host's thruster handle,
// so that a query names the group and index the handle was obtained by.
struct GroupThruster {
  int group;
  std::uint32_t index;     // in the group
  std::uint32_t thruster;  // in the vessel's thrusters
};

struct VesselState {
  static constexpr int kGroups = 15;
  std::vector<double> thrusterLevels;  // the vessel's thrusters, in creation order
  std::array<std::vector<GroupThruster>, kGroups> groups;
  std::array<double, 3> controlSurfaces{};  // by AIRCTRL_TYPE
  std::vector<double> wheelBrakes;          // by wheel index; missing wheels read 0
  std::vector<int> navmodes;                // active navigation modes
  std::uint32_t adcMode = 0;
  std::uint32_t flightStatus = 0;

  // Makes the group of new thrusters, one per level, in index order.
  void SetThrusters(int group, const std::vector<double>& levels);
  // Puts thruster t at the end of a group.
  void Group(int group, std::uint32_t t);
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
