// One refresh of the page for a busy vessel: the module alone (a surface that
// draws nothing, tracing off), with the call trace, and rasterised, at each
// cockpit scale; with the heap allocations each refresh makes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "display/options.h"
#include "display/vitals_mfd.h"
#include "sim/core/host.h"
#include "sim/surface/null_surface.h"
#include "sim/surface/raster_surface.h"
#include "tests/counting_new.h"

namespace {

// Large enough for the whole page with its legend at the largest cockpit scale.
constexpr int kSurfaceWidth = 448;
constexpr int kSurfaceHeight = 400;

// The host with its configuration in a folder of this process, and a vessel
// with every group firing at full level, surfaces deflected and brakes set.
class Busy {
 public:
  Busy() : dir_(std::filesystem::temp_directory_path() / ("vitals_bench-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "Orbiter.cfg") << "GenericMFDSize = 6\nPanelScale = 1\n";
    sim::Host& host = sim::TheHost();
    host.Reset();
    host.configDir = dir_.string();
    host.focus = &vessel_;
    renderWindow = static_cast<HWND>(host.renderWindow);
    sim::VesselState& state = vessel_.State();
    for (int g = 0; g < sim::VesselState::kGroups; ++g) state.SetThrusters(g, {1.0, 1.0, 1.0});
    state.controlSurfaces = {0.6, -0.8, 1.0};
    state.wheelBrakes = {0.0, 1.0, 1.0};
    state.navmodes = {1, 7};
    state.adcMode = 7;
    state.flightStatus = 1;
    showDescriptions = true;
    logExhausts = false;
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;
  ~Busy() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  VESSEL* Focus() { return static_cast<VESSEL*>(vessel_.Interface()); }
  sim::VesselState& State() { return vessel_.State(); }
  // Orbiter.cfg as read by the next display constructed.
  void Configure(const char* text) { std::ofstream(dir_ / "Orbiter.cfg") << text; }

 private:
  std::filesystem::path dir_;
  sim::Vessel vessel_;
};

Busy& Situation() {
  static Busy busy;
  return busy;
}

// Sets the cockpit and attitude modes from the case's arguments.
void Prepare(benchmark::State& state, bool trace) {
  Situation();
  sim::Host& host = sim::TheHost();
  host.cockpitMode = static_cast<int>(state.range(0));
  host.attitudeMode = static_cast<int>(state.range(1));
  host.trace.Enable(trace);
  host.trace.Clear();
}

// The refreshes' heap allocations and host faults, reported as counters.
void Report(benchmark::State& state, long refreshes) {
  state.counters["allocs/refresh"] =
      benchmark::Counter(refreshes ? static_cast<double>(allocations) / static_cast<double>(refreshes) : 0.0);
  if (!sim::TheHost().faults.empty()) state.SkipWithError(sim::TheHost().faults.front().c_str());
}

// Times refreshes of a display constructed now, on hdc; a trace that is on is
// cleared after each refresh, outside the timing.
void TimeRefreshes(benchmark::State& state, HDC hdc) {
  VitalsMFD mfd(320, 320, Situation().Focus());
  sim::Trace& trace = sim::TheHost().trace;
  allocations = 0;
  long n = 0;
  for (auto _ : state) {
    countingAllocations = true;
    mfd.Update(hdc);
    countingAllocations = false;
    ++n;
    if (trace.Enabled()) {
      state.PauseTiming();
      state.counters["lines/refresh"] = static_cast<double>(trace.Lines().size());
      trace.Clear();
      state.ResumeTiming();
    }
  }
  Report(state, n);
}

// (a) The module alone.
void BM_Module(benchmark::State& state) {
  Prepare(state, false);
  sim::NullSurface surface;
  TimeRefreshes(state, &surface);
}

// (b) The module and the host's call trace.
void BM_Traced(benchmark::State& state) {
  Prepare(state, true);
  sim::NullSurface surface;
  TimeRefreshes(state, &surface);
  sim::TheHost().trace.Enable(false);
}

// (c) The module drawing into pixels.
void BM_Raster(benchmark::State& state) {
  Prepare(state, false);
  sim::RasterSurface surface(kSurfaceWidth, kSurfaceHeight);
  TimeRefreshes(state, &surface);
}

// The largest display a situation may ask for, filled by the page at a panel
// scale of 20 with every gauge far beyond full level: the worst case found for
// the rasteriser's fill area.
void BM_RasterLargest(benchmark::State& state) {
  Busy& busy = Situation();
  sim::Host& host = sim::TheHost();
  host.cockpitMode = 2;
  host.attitudeMode = static_cast<int>(state.range(0));
  host.trace.Enable(false);
  const sim::VesselState normal = busy.State();
  for (int g = 0; g < sim::VesselState::kGroups; ++g) busy.State().SetThrusters(g, {1e300, 1e300, 1e300});
  busy.State().controlSurfaces = {1e300, -1e300, 1e300};
  sim::RasterSurface surface(4096, 4096);
  busy.Configure("GenericMFDSize = 6\nPanelScale = 20\n");
  TimeRefreshes(state, &surface);
  busy.Configure("GenericMFDSize = 6\nPanelScale = 1\n");
  busy.State() = normal;
}

// Cockpit 1 generic (scale 1.2), 2 panel (0.9), 3 virtual (0.8); attitude 1 rotation, 2 translation.
void Cases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"cockpit", "attitude"})->ArgsProduct({{1, 2, 3}, {1, 2}})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Module)->Apply(Cases);
BENCHMARK(BM_Traced)->Apply(Cases);
BENCHMARK(BM_Raster)->Apply(Cases);
BENCHMARK(BM_RasterLargest)->ArgName("attitude")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
