// Any situation, however hostile, refreshes the page on the rasterising surface
// and on the tracing host without a fault or a leaked brush (its time:
// BM_RasterLargest, and the fuzzer's own -timeout).
// Input bytes become the situation directly: cockpit and attitude modes, up to
// 64 thrusters a group, surface and brake levels (NaN, infinities, huge and
// negative values included), navmodes, mode words, the options, the sizing
// values read from the configuration (finite, as the module keeps them) and
// the display size.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "display/module_values.h"
#include "display/vitals_mfd.h"
#include "sim/core/host.h"
#include "sim/surface/null_surface.h"
#include "sim/surface/raster_surface.h"

namespace {

// Larger pages are slow under the sanitizers; BM_RasterLargest draws the largest.
constexpr int kMaxSide = 1024;

double Level(FuzzedDataProvider& in) {
  using limits = std::numeric_limits<double>;
  constexpr double kSpecial[] = {0.0, 1.0, -1.0, 0.5, limits::infinity(), -limits::infinity(), limits::max(),
                                 limits::lowest(), limits::quiet_NaN(), limits::denorm_min(), 1e300, -1e300,
                                 2147483648.0, -2147483649.0};
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: return in.PickValueInArray(kSpecial);
    case 1: return in.ConsumeProbability<double>();
    default: return in.ConsumeFloatingPoint<double>();
  }
}

// Mostly the modes a host uses, sometimes any int.
int Mode(FuzzedDataProvider& in, int max) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, max) : in.ConsumeIntegral<int>();
}

// A host fault, a brush left alive or a paint bracket left open ends the run.
void CheckHost(const char* surface) {
  sim::TheHost().CheckRefreshEnded();
  for (const std::string& fault : sim::TheHost().faults) std::fprintf(stderr, "%s: %s\n", surface, fault.c_str());
  if (!sim::TheHost().faults.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  sim::Host& host = sim::TheHost();
  host.Reset();
  renderWindow = static_cast<HWND>(host.renderWindow);
  showDescriptions = in.ConsumeBool();
  logExhausts = in.ConsumeBool();
  host.cockpitMode = Mode(in, 4);
  host.attitudeMode = Mode(in, 4);

  sim::Vessel vessel;
  sim::VesselState& state = vessel.State();
  for (int g = 0; g < sim::VesselState::kGroups; ++g) {
    std::vector<double> levels(in.ConsumeIntegralInRange(0, 64));
    for (double& level : levels) level = Level(in);
    state.SetThrusters(g, levels);
  }
  for (double& level : state.controlSurfaces) level = Level(in);
  state.wheelBrakes.resize(in.ConsumeIntegralInRange<std::size_t>(0, 4));
  for (double& level : state.wheelBrakes) level = Level(in);
  state.navmodes.resize(in.ConsumeIntegralInRange<std::size_t>(0, 8));
  for (int& mode : state.navmodes) mode = Mode(in, 10);
  state.adcMode = in.ConsumeIntegral<DWORD>();
  state.flightStatus = in.ConsumeIntegral<DWORD>();
  host.focus = &vessel;

  const int width = in.ConsumeIntegralInRange(1, kMaxSide), height = in.ConsumeIntegralInRange(1, kMaxSide);
  VitalsMFD mfd(static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<VESSEL*>(vessel.Interface()));
  for (double* size : {&configGenericMfdSize, &configPanelScale})
    if (const double v = Level(in); std::isfinite(v)) *size = v;

  sim::RasterSurface raster(width, height);
  host.drawing = &raster;
  mfd.Update(static_cast<HDC>(raster.Dc()));
  CheckHost("raster");
  host.trace.Enable(true);  // every value formatted
  sim::NullSurface null;
  host.drawing = &null;
  mfd.Update(static_cast<HDC>(null.Dc()));
  CheckHost("trace");
  return 0;
}
