// One display kept open while its situation changes under it, as the
// simulator lives with it: the module loaded once, the display reopened only
// when its cockpit, size or configuration changes, and the page surface with
// the host's fonts made whenever a display is sized.
#pragma once

#include <memory>
#include <string>

#include "sim/core/module_session.h"
#include "sim/program/situation.h"
#include "sim/surface/page_surface.h"

namespace sim {

class SituationSession {
 public:
  // Loads the module, opens its display for the situation and sends the
  // situation's inputs to it. Throws SessionError, and std::invalid_argument
  // or std::runtime_error where the surface cannot be made.
  SituationSession(const std::string& modulePath, const Situation& start);

  // The host's values and the focus vessel from s. A new cockpit, display
  // size or configuration closes the display and opens a new one, as the
  // simulator rebuilds its displays; s's inputs are not sent.
  void Apply(const Situation& s);
  // A key, or a click on a button: pressed, then released.
  void Send(const Input& input);
  // One refresh of the display on the page surface.
  void Refresh();

  DisplayInstance& Opened() { return session_.Opened(); }
  PageSurface& Page() { return *page_; }

 private:
  ModuleSession session_;
  std::unique_ptr<PageSurface> page_;
  DisplaySize size_{};
};

}  // namespace sim
