// Scenario files: any bytes either give the focus vessel's start, which the
// situation reader reads back, or are refused with a ScenarioError on a line
// of the text.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sim/program/scenario.h"

namespace {

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "scenario_fuzz: %s\n", what.c_str());
  std::abort();
}

// The host's answers: levels within 0..1, a delta-glider's thrusters, the
// two status bits, one of the three cockpits.
void CheckStart(const sim::Scenario& s) {
  const sim::VesselState& v = s.situation.vessel;
  if (v.thrusterLevels.size() != 21 && v.thrusterLevels.size() != 23)
    Broken("thruster count " + std::to_string(v.thrusterLevels.size()));
  if (!std::all_of(v.thrusterLevels.begin(), v.thrusterLevels.end(), [](double x) { return x >= 0 && x <= 1; }))
    Broken("a level outside 0..1");
  if (v.flightStatus > 3 || s.situation.cockpitMode < 1 || s.situation.cockpitMode > 3)
    Broken("status or cockpit out of range");
  const sim::Situation back = sim::ParseSituation(sim::SituationJson(s.situation));
  if (back.vessel.thrusterLevels != v.thrusterLevels || back.attitudeMode != s.situation.attitudeMode ||
      back.vessel.adcMode != v.adcMode)
    Broken("the printed situation reads back differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    CheckStart(sim::ParseScenario(text, "Fuzz", "Vitals"));
  } catch (const sim::ScenarioError& e) {
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (e.Line() < 0 || e.Line() > lines) Broken("line " + std::to_string(e.Line()) + " of " + std::to_string(lines));
    if (std::string_view(e.what()).find('\n') != std::string_view::npos) Broken("a message over two lines");
  } catch (const sim::SituationError& e) {
    Broken(std::string("the printed situation refused: ") + e.what());
  }
  return 0;
}
