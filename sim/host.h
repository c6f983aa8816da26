// The stand-in host's state: what the simulator would know and decide.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/mfd.h"
#include "host/vessel.h"
#include "sim/config.h"
#include "sim/trace.h"

namespace sim {

// One thruster of a vessel; its address is the host's thruster handle.
struct Thruster {
  int group;
  DWORD index;
  double level;
};

// The vessel state that VESSEL queries answer from.
struct VesselState {
  static constexpr int kGroups = 15;
  std::array<std::vector<Thruster>, kGroups> thrusters;
  std::array<double, 3> controlSurfaces{};  // by AIRCTRL_TYPE
  std::vector<double> wheelBrakes;          // by wheel index; missing wheels read 0
  std::vector<int> navmodes;                // active navigation modes
  DWORD adcMode = 0;
  DWORD flightStatus = 0;

  // Replaces a group's thrusters with one per level, in index order.
  void SetThrusters(int group, const std::vector<double>& levels);
};

// A vessel the host owns, with the interface it hands to modules.
class Vessel {
 public:
  Vessel() : iface_(&state_) {}
  Vessel(const Vessel&) = delete;
  Vessel& operator=(const Vessel&) = delete;
  VesselState& State() { return state_; }
  VESSEL* Interface() { return &iface_; }

 private:
  VesselState state_;
  VESSEL iface_;
};

// A registered display mode.
struct Mode {
  int id;
  std::string name;
  DWORD key;
  OAPI_MSGTYPE (*msgproc)(UINT, UINT, WPARAM, LPARAM);
  bool active;
};

// Live brushes in fixed slots, so creating one allocates nothing. A handle
// carries its slot and a generation, so a stale handle is recognised.
class BrushTable {
 public:
  HBRUSH Create(COLORREF colour);
  // The brush's colour, or false for a deleted or unknown handle.
  bool Find(HBRUSH brush, COLORREF* colour) const;
  bool Delete(HBRUSH brush);
  int Live() const;

 private:
  static constexpr int kSlots = 64;
  struct Slot {
    std::uint32_t generation = 0;
    COLORREF colour = 0;
    bool live = false;
  };
  int SlotOf(HBRUSH brush) const;  // -1 when stale or unknown
  std::array<Slot, kSlots> slots_{};
};

struct Host {
  int cockpitMode = 2;
  int attitudeMode = 0;
  VESSEL* focus = nullptr;
  std::string configDir = ".";
  HWND renderWindow = reinterpret_cast<HWND>(0x1);

  std::map<std::uintptr_t, ConfigFile> openFiles;  // by handle value
  std::uintptr_t nextFile = 1;
  std::vector<Mode> modes;
  int nextModeId = 1;
  BrushTable brushes;
  int openPaints = 0;
  Trace trace;
  // Misuse of host objects by the module (stale brushes, unbalanced paints).
  std::vector<std::string> faults;

  void Fault(std::string what);
  // After a refresh: brushes still alive and a paint bracket still open are faults.
  void CheckRefreshEnded();
  const Mode* FindMode(int id) const;
  const Mode* FindMode(const std::string& name) const;
  // Back to a fresh host with tracing off.
  void Reset();
};

// The one host of this process.
Host& TheHost();

}  // namespace sim
