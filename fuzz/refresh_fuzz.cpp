// Any situation, however hostile, refreshes the page on the rasterising surface
// and on the tracing host without a fault, a leaked brush or a slow refresh.
// Input bytes become the situation directly: cockpit and attitude modes, up to
// 64 thrusters a group, surface and brake levels (NaN, infinities, huge and
// negative values included), navmodes, mode words, configuration text, the
// display size, and the keys and buttons pressed before the refresh.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "display/options.h"
#include "display/vitals_mfd.h"
#include "sim/core/host.h"
#include "sim/surface/null_surface.h"
#include "sim/surface/raster_surface.h"

namespace {

constexpr double kSlowMs = 50.0;
constexpr int kMaxThrusters = 64;
// Display sides tried. Larger displays only add clipped fill area; under the
// sanitizers a full 4096 x 4096 page takes ~150 ms, so that size is timed in
// the release benchmark instead (BM_RasterLargest).
constexpr int kMaxSide = 1024;

std::string configDir;

void RemoveConfigDir() {
  std::error_code ec;
  std::filesystem::remove_all(configDir, ec);
}

double Level(FuzzedDataProvider& in) {
  constexpr double kSpecial[] = {0.0,
                                 1.0,
                                 -1.0,
                                 0.5,
                                 std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::lowest(),
                                 std::numeric_limits<double>::denorm_min(),
                                 1e300,
                                 -1e300,
                                 2147483648.0,
                                 -2147483649.0};
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: return in.PickValueInArray(kSpecial);
    case 1: return in.ConsumeProbability<double>();
    default: return in.ConsumeFloatingPoint<double>();
  }
}

// Mostly the modes a host uses, sometimes any int.
int Mode(FuzzedDataProvider& in) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 4) : in.ConsumeIntegral<int>();
}

std::string ConfigText(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return in.ConsumeRandomLengthString(256);
  std::string text;
  for (const char* key : {"GenericMFDSize", "PanelScale"}) {
    if (!in.ConsumeBool()) continue;
    char line[64];
    std::snprintf(line, sizeof line, "%s = %.17g\n", key, Level(in));
    text += line;
  }
  return text;
}

void WriteConfig(const std::string& text) {
  const std::string file = configDir + "/Orbiter.cfg";
  std::FILE* f = std::fopen(file.c_str(), "wb");
  if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
    std::perror(file.c_str());
    std::abort();
  }
}

// A host fault, or a brush or paint bracket left over, ends the run.
void CheckHost(const char* surface) {
  sim::Host& host = sim::TheHost();
  host.CheckRefreshEnded();
  if (host.faults.empty()) return;
  for (const std::string& fault : host.faults) std::fprintf(stderr, "refresh_fuzz: %s: host fault: %s\n", surface, fault.c_str());
  std::abort();
}

double RefreshMs(VitalsMFD& mfd, HDC hdc) {
  const auto start = std::chrono::steady_clock::now();
  mfd.Update(hdc);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (std::filesystem::temp_directory_path() / "refresh_fuzz.XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("refresh_fuzz: cannot create a configuration folder");
    std::abort();
  }
  configDir = pattern;
  std::atexit(RemoveConfigDir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  sim::Host& host = sim::TheHost();
  host.Reset();
  host.configDir = configDir;
  renderWindow = static_cast<HWND>(host.renderWindow);
  showDescriptions = in.ConsumeBool();
  logExhausts = in.ConsumeBool();
  host.cockpitMode = Mode(in);
  host.attitudeMode = Mode(in);

  sim::Vessel vessel;
  sim::VesselState& state = vessel.State();
  for (int g = 0; g < sim::VesselState::kGroups; ++g) {
    std::vector<double> levels(in.ConsumeIntegralInRange(0, kMaxThrusters));
    for (double& level : levels) level = Level(in);
    state.SetThrusters(g, levels);
  }
  for (double& level : state.controlSurfaces) level = Level(in);
  state.wheelBrakes.resize(in.ConsumeIntegralInRange<std::size_t>(0, 4));
  for (double& level : state.wheelBrakes) level = Level(in);
  state.navmodes.resize(in.ConsumeIntegralInRange<std::size_t>(0, 8));
  for (int& mode : state.navmodes) mode = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 10) : in.ConsumeIntegral<int>();
  state.adcMode = in.ConsumeIntegral<DWORD>();
  state.flightStatus = in.ConsumeIntegral<DWORD>();
  host.focus = &vessel;

  WriteConfig(ConfigText(in));
  const int width = in.ConsumeIntegralInRange(1, kMaxSide);
  const int height = in.ConsumeIntegralInRange(1, kMaxSide);
  VitalsMFD mfd(static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<VESSEL*>(vessel.Interface()));

  const int events = in.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < events && in.remaining_bytes() > 0; ++i) {
    if (in.ConsumeBool()) {
      const DWORD key = in.ConsumeBool() ? in.PickValueInArray<DWORD>({0x23, 0x26, 0x21}) : in.ConsumeIntegral<DWORD>();
      mfd.ConsumeKeyBuffered(key);
    } else {
      const int button = in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 12) : in.ConsumeIntegral<int>();
      mfd.ConsumeButton(button, in.ConsumeIntegral<int>());
      if (const char* label = mfd.ButtonLabel(button); label && !*label) std::abort();
    }
  }
  const MFDBUTTONMENU* menu = nullptr;
  if (mfd.ButtonMenu(&menu) > 0 && !menu) std::abort();

  // Pixels: a refresh this slow is retried once, so that only a slow page and
  // not a busy machine ends the run.
  sim::RasterSurface raster(width, height);
  if (const double ms = RefreshMs(mfd, &raster); ms > kSlowMs) {
    CheckHost("raster");
    if (const double again = RefreshMs(mfd, &raster); again > kSlowMs) {
      std::fprintf(stderr, "refresh_fuzz: refresh took %.1f ms, then %.1f ms (limit %.0f ms) on a %dx%d display\n", ms,
                   again, kSlowMs, width, height);
      std::abort();
    }
  }
  CheckHost("raster");

  // The host's tracing path, with every value formatted.
  host.trace.Enable(true);
  sim::NullSurface null;
  mfd.Update(&null);
  CheckHost("trace");
  return 0;
}
