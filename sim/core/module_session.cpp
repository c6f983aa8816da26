#include "sim/core/module_session.h"

#include "sim/core/host.h"

namespace sim {

ModuleSession::ModuleSession(const std::string& modulePath, std::uint32_t viewportWidth, std::uint32_t viewportHeight) {
  std::string error;
  module_ = Module::Load(modulePath, &error);
  if (!module_) throw SessionError(true, error);
  Host& host = TheHost();
  module_->OpenRenderViewport(host.renderWindow, viewportWidth, viewportHeight);
  host.focus = &vessel_;
}

ModuleSession::~ModuleSession() {
  display_.reset();
  module_->CloseRenderViewport();
  module_->Exit();
  module_.reset();
  TheHost().focus = nullptr;
}

void ModuleSession::OpenDisplay(std::uint32_t w, std::uint32_t h, std::uint32_t cw, std::uint32_t ch) {
  display_.reset();
  const Mode* mode = TheHost().FindMode("Vitals");
  if (!mode) throw SessionError(false, "registers no display mode \"Vitals\"");
  std::string error;
  display_ = DisplayInstance::Open(mode->id, w, h, vessel_.Interface(), cw, ch, &error);
  if (!display_) throw SessionError(false, error);
}

}  // namespace sim
