// The session the host runs around a module, as the simulator runs it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/core/vessel.h"

namespace sim {

struct SessionPlan {
  std::string modulePath;
  std::uint32_t width = 0, height = 0;  // the display's size
  std::uint32_t cw = 0, ch = 0;         // host font 0's character cell
  std::vector<std::uint32_t> keys;      // buffered keys, in order
  VesselState vessel;                   // the focus vessel
  int refreshes = 1;                    // refreshes of the display, one after another
};

// Why a session could not run, without the module's name: the module could
// not be used (a bad input) or it failed the host.
class SessionError : public std::runtime_error {
 public:
  SessionError(bool badModule, const std::string& why) : std::runtime_error(why), badModule_(badModule) {}
  bool BadModule() const { return badModule_; }

 private:
  bool badModule_;
};

// Load (the module's DllMain starts the host library, which registers its
// modes), open the render viewport, open a display of the mode "Vitals" on the
// focus vessel, the keys, the refreshes on dc, close the display and the
// viewport, call the module's exit routine and unload it (its DllMain runs the
// exit routine again). Returns the seconds the refreshes took. Host faults are
// collected in TheHost().faults; throws SessionError.
double RunSession(const SessionPlan& plan, void* dc);

}  // namespace sim
