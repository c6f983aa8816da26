// The stand-in host's state: what the simulator would know and decide.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/core/brushes.h"
#include "sim/core/config.h"
#include "sim/core/host_core.h"
#include "sim/core/trace.h"
#include "sim/core/vessel.h"

class DrawingSurface;

namespace sim {

// A registered display mode.
struct Mode {
  int id;
  std::string name;
  std::uint32_t key;
  void* msgproc;  // the module's message procedure, called through the ABI face
  bool active;
};

struct Host {
  int cockpitMode = 2;
  int attitudeMode = 0;
  Vessel* focus = nullptr;  // the vessel with the input focus
  // The text of the host's Orbiter.cfg; none when the file is missing.
  std::optional<std::string> config;
  void* renderWindow = reinterpret_cast<void*>(0x1);
  // The surface handed to the refresh under way; drawing on any other is a fault.
  DrawingSurface* drawing = nullptr;

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

// The ABI face's calls, handed over by vh_set_abi_calls.
const VhAbiCalls& Abi();

}  // namespace sim
