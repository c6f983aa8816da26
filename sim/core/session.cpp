#include "sim/core/session.h"

#include <chrono>
#include <memory>

#include "sim/core/host.h"
#include "sim/core/module.h"

namespace sim {
double RunSession(const SessionPlan& plan, void* dc) {
  Host& host = TheHost();
  Vessel vessel;
  vessel.State() = plan.vessel;
  host.focus = &vessel;
  struct Unfocus {
    ~Unfocus() { TheHost().focus = nullptr; }
  } unfocus;
  std::string error;
  std::unique_ptr<Module> module = Module::Load(plan.modulePath, &error);
  if (!module) throw SessionError(true, error);
  module->OpenRenderViewport(host.renderWindow, plan.width, plan.height);
  const Mode* mode = host.FindMode("Vitals");
  if (!mode) throw SessionError(false, "registers no display mode \"Vitals\"");
  std::unique_ptr<Display> display =
      Display::Open(mode->id, plan.width, plan.height, vessel.Interface(), plan.cw, plan.ch, &error);
  if (!display) throw SessionError(false, error);
  for (const std::uint32_t key : plan.keys) display->ConsumeKeyBuffered(key);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < plan.refreshes; ++i) display->Update(dc);
  const std::chrono::duration<double> refreshing = std::chrono::steady_clock::now() - start;
  display.reset();
  module->CloseRenderViewport();
  module->Exit();
  return refreshing.count();
}

}  // namespace sim
