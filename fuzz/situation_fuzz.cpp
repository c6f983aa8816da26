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

bool OneLine(const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; }

void CheckLimits(const sim::Situation& s) {
  if (s.width < 0 || s.width > sim::kMaxDisplaySide || s.height < 0 || s.height > sim::kMaxDisplaySide)
    Broken("display size out of range");
  if (s.keys.size() > sim::kMaxListEntries || s.vessel.navmodes.size() > sim::kMaxListEntries)
    Broken("list longer than allowed");
  if (s.vessel.wheelBrakes.size() > static_cast<std::size_t>(sim::kMaxWheel) + 1) Broken("wheel beyond the last");
  for (int g = 0; g < sim::VesselState::kGroups; ++g) {
    const auto& group = s.vessel.thrusters[static_cast<std::size_t>(g)];
    if (group.size() > sim::kMaxThrustersPerGroup) Broken("group with too many thrusters");
    for (std::size_t i = 0; i < group.size(); ++i)
      if (group[i].group != g || group[i].index != i) Broken("thruster out of place");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view json(reinterpret_cast<const char*>(data), size);
  try {
    const sim::Situation situation = sim::ParseSituation(json);
    CheckLimits(situation);
    (void)sim::PageScaleOf(situation);
  } catch (const sim::SituationError& e) {
    const std::string why = e.what();
    if (why.empty()) Broken("refusal without a reason");
    if (!OneLine(why) || !OneLine(e.Path())) Broken("refusal spans lines: " + e.Path() + ": " + why);
    if (!e.Path().empty() && e.Path()[0] != '/') Broken("refusal with a malformed pointer: " + e.Path());
  }
  return 0;
}
