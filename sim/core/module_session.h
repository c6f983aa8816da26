// A module in the stand-in host, as the simulator lives with it: loaded once,
// its render viewport open, one display of its mode on the focus vessel,
// refreshed while the vessel changes and the pilot presses keys and buttons.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "sim/core/module.h"
#include "sim/core/vessel.h"

namespace sim {

// Why a session could not go on, without the module's name: the module could
// not be used (a bad input) or it failed the host.
class SessionError : public std::runtime_error {
 public:
  SessionError(bool badModule, const std::string& why) : std::runtime_error(why), badModule_(badModule) {}
  bool BadModule() const { return badModule_; }

 private:
  bool badModule_;
};

// The mouse events the host sends a display's button, as its PANEL_MOUSE_*.
enum ButtonEvent : int { kButtonDown = 0x01, kButtonUp = 0x04, kButtonHeld = 0x10 };

class ModuleSession {
 public:
  // Loads the module (its DllMain starts the host library, which registers
  // its modes), opens the render viewport of w × h pixels and gives the
  // vessel the input focus. Throws SessionError.
  ModuleSession(const std::string& modulePath, std::uint32_t viewportWidth, std::uint32_t viewportHeight);
  ModuleSession(const ModuleSession&) = delete;
  ModuleSession& operator=(const ModuleSession&) = delete;
  // Closes the display and the viewport, calls the module's exit routine and
  // unloads the module (its DllMain runs the exit routine again).
  ~ModuleSession();

  // The focus vessel, whose state the queries answer from.
  VesselState& Focus() { return vessel_.State(); }
  // Opens a w × h display of the mode "Vitals" in place of the open one, as
  // the simulator rebuilds its displays; cw × ch is host font 0's cell.
  // Throws SessionError.
  void OpenDisplay(std::uint32_t w, std::uint32_t h, std::uint32_t cw, std::uint32_t ch);
  // The open display. Precondition: OpenDisplay succeeded.
  DisplayInstance& Opened() { return *display_; }

 private:
  Vessel vessel_;
  std::unique_ptr<Module> module_;
  std::unique_ptr<DisplayInstance> display_;
};

}  // namespace sim
