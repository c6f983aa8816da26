// Situation files: any bytes either load as a situation within the documented
// limits or are refused with a SituationError naming where and why, on one line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sim/program/situation.h"

namespace {

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "situation_fuzz: %s\n", what.c_str());
  std::abort();
}

bool WithinLimits(const sim::Situation& s) {
  bool ok = s.width >= 0 && s.width <= sim::kMaxDisplaySide && s.height >= 0 && s.height <= sim::kMaxDisplaySide &&
            s.inputs.size() <= sim::kMaxListEntries && s.vessel.navmodes.size() <= sim::kMaxListEntries &&
            s.vessel.wheelBrakes.size() <= sim::kMaxWheel + 1u &&
            s.vessel.thrusterLevels.size() <= static_cast<std::size_t>(sim::kMaxThrusters);
  for (int g = 0; g < sim::VesselState::kGroups; ++g) {
    const auto& group = s.vessel.groups[static_cast<std::size_t>(g)];
    ok = ok && group.size() <= sim::kMaxThrustersPerGroup;
    for (std::size_t i = 0; i < group.size(); ++i)
      ok = ok && group[i].group == g && group[i].index == i && group[i].thruster < s.vessel.thrusterLevels.size();
  }
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const sim::Situation situation = sim::ParseSituation({reinterpret_cast<const char*>(data), size});
    if (!WithinLimits(situation)) Broken("a situation beyond its limits was accepted");
    const sim::DisplaySize display = sim::DisplaySizeOf(situation);
    if (display.width < 1 || display.width > sim::kMaxDisplaySide || display.height < 1 ||
        display.height > sim::kMaxDisplaySide)
      Broken("display size out of range");
  } catch (const sim::SituationError& e) {
    const std::string why = e.what(), line = e.Path() + ": " + why;
    if (why.empty() || line.find_first_of("\r\n") != std::string::npos) Broken("refusal not one line: " + line);
    if (!e.Path().empty() && e.Path()[0] != '/') Broken("refusal with a malformed pointer: " + line);
  }
  return 0;
}
