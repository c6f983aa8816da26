// One refresh of the page for a busy vessel: the module alone (a surface that
// draws nothing, tracing off), with the call trace, and rasterised, at each
// cockpit scale; with the heap allocations each refresh makes.
#include <benchmark/benchmark.h>

#include <climits>

#include "display/module_values.h"
#include "display/vitals_mfd.h"
#include "sim/core/host.h"
#include "sim/surface/null_surface.h"
#include "sim/surface/raster_surface.h"
#include "tests/counting_new.h"

namespace {

enum Surface { kModule, kTraced, kRaster, kRasterLargest };

// Legend on, every group firing at `level`, surfaces deflected, brakes set,
// landed; refreshes timed on the given surface, a trace cleared outside the timing.
void Refresh(benchmark::State& state, Surface surface, int cockpit, int attitude, double level = 1.0,
             double panelScale = 1.0) {
  sim::Host& host = sim::TheHost();
  host.Reset();
  host.cockpitMode = cockpit;
  host.attitudeMode = attitude;
  host.trace.Enable(surface == kTraced);
  renderWindow = static_cast<HWND>(host.renderWindow);
  showDescriptions = true;
  sim::Vessel vessel;
  for (int g = 0; g < sim::VesselState::kGroups; ++g) vessel.State().SetThrusters(g, {level, level, level});
  vessel.State().controlSurfaces = {0.6 * level, -0.8 * level, level};
  vessel.State().wheelBrakes = {0.0, 1.0, 1.0};
  vessel.State().navmodes = {1, 7};
  vessel.State().adcMode = 7;
  vessel.State().flightStatus = 1;
  host.focus = &vessel;
  VitalsMFD mfd(320, 320, static_cast<VESSEL*>(vessel.Interface()));
  configGenericMfdSize = 6.0;  // as Orbiter.cfg would give them
  configPanelScale = panelScale;

  sim::NullSurface null;
  const int side = surface == kRasterLargest ? 4096 : 0;
  sim::RasterSurface raster(side ? side : 448, side ? side : 400);
  DrawingSurface* target = surface >= kRaster ? static_cast<DrawingSurface*>(&raster) : &null;
  host.drawing = target;
  const HDC hdc = static_cast<HDC>(target->Dc());
  mfd.Update(hdc);  // the glyphs the page writes rendered before the timing
  host.trace.Clear();
  allocations = 0;
  for (auto _ : state) {
    countingAllocations = true;
    mfd.Update(hdc);
    countingAllocations = false;
    if (surface != kTraced) continue;
    state.PauseTiming();
    state.counters["lines/refresh"] = static_cast<double>(host.trace.Lines().size());
    host.trace.Clear();
    state.ResumeTiming();
  }
  state.counters["allocs/refresh"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
  if (!host.faults.empty()) state.SkipWithError(host.faults.front().c_str());
}

// Cockpit 1 generic (scale 1.2), 2 panel (0.9), 3 virtual (0.8); attitude 1 rotation, 2 translation.
void BM_Module(benchmark::State& s) { Refresh(s, kModule, int(s.range(0)), int(s.range(1))); }
void BM_Traced(benchmark::State& s) { Refresh(s, kTraced, int(s.range(0)), int(s.range(1))); }
void BM_Raster(benchmark::State& s) { Refresh(s, kRaster, int(s.range(0)), int(s.range(1))); }
// The worst case found for the rasteriser's fill area: the largest display a
// situation may ask for, at a panel scale of 20, every gauge far beyond full level.
void BM_RasterLargest(benchmark::State& s) {
  Refresh(s, kRasterLargest, 2, int(s.range(0)), 1e300, 20.0);
}

// Primitives reaching far beyond a small surface, each clipped at once: their
// time does not grow with their coordinates.
void BM_RasterExtremes(benchmark::State& state) {
  sim::RasterSurface s(30, 20);
  const POINT triangle[3] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
  for (auto _ : state) {
    s.MoveTo(INT_MIN, INT_MIN), s.LineTo(INT_MAX, INT_MAX);
    s.MoveTo(INT_MIN, 0), s.LineTo(INT_MAX, 10);
    s.MoveTo(INT_MAX - 1, 9), s.LineTo(0, 9);
    s.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0);
    s.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    s.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    s.Ellipse(-(1 << 24), 5, 1 << 24, 1 << 25);
    s.Polygon(triangle, 3);
  }
}

void Cases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"cockpit", "attitude"})->ArgsProduct({{1, 2, 3}, {1, 2}})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Module)->Apply(Cases);
BENCHMARK(BM_Traced)->Apply(Cases);
BENCHMARK(BM_Raster)->Apply(Cases);
BENCHMARK(BM_RasterLargest)->ArgName("attitude")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterExtremes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
