// A situation as the JSON text ParseSituation reads back, every field written;
// "config" only where there is an Orbiter.cfg (without it, the reader's default).
#include <cmath>
#include <nlohmann/json.hpp>

#include "sim/core/text.h"
#include "sim/program/situation.h"

namespace sim {
namespace {

using nlohmann::json;

// The shortest text that reads back as v; non-finite values as the strings the reader takes.
std::string Number(double v) {
  if (!std::isfinite(v)) return std::isnan(v) ? "\"nan\"" : v > 0 ? "\"inf\"" : "\"-inf\"";
  return ShortestNumber(v);
}

template <typename List, typename Item>
std::string Joined(const List& list, Item item) {
  std::string text;
  for (const auto& x : list) text += (text.empty() ? "" : ", ") + item(x);
  return text;
}

// {"1": 0.5, ...} of the levels that are not 0.
std::string Levels(const double* levels, std::size_t n) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i)
    if (levels[i] != 0) text += (text.empty() ? "" : ", ") + ("\"" + std::to_string(i) + "\": " + Number(levels[i]));
  return "{" + text + "}";
}

std::string Groups(const VesselState& v) {
  std::string text;
  for (int g = 0; g < VesselState::kGroups; ++g)
    text += std::string(g == 0       ? ""
                        : g % 8 == 0 ? ",\n      "
                                     : ", ") +
            "\"" + std::to_string(g) + "\": [" +
            Joined(v.groups[static_cast<std::size_t>(g)],
                   [](const GroupThruster& t) { return std::to_string(t.thruster); }) +
            "]";
  return text;
}

std::string InputJson(const Input& input) {
  return std::string(input.kind == Input::kKey ? "{\"key\": " : "{\"button\": ") + std::to_string(input.code) + "}";
}

}  // namespace

std::string SituationJson(const Situation& s) {
  const VesselState& v = s.vessel;
  std::string text = "{\n  \"cockpit_mode\": " + std::to_string(s.cockpitMode) + ",\n";
  if (s.config) text += "  \"config\": " + json(*s.config).dump(-1, ' ', false, json::error_handler_t::replace) + ",\n";
  std::string display;
  if (s.width) display = "\"width\": " + std::to_string(s.width);
  if (s.height) display += (display.empty() ? "" : ", ") + ("\"height\": " + std::to_string(s.height));
  if (!display.empty()) text += "  \"display\": {" + display + "},\n";
  text += "  \"window_height\": " + std::to_string(s.windowHeight) + ",\n";
  text += "  \"vc_mfd_size\": " + std::to_string(s.vcMfdSize) + ",\n";
  if (!s.inputs.empty()) text += "  \"inputs\": [" + Joined(s.inputs, InputJson) + "],\n";
  text += "  \"attitude_mode\": " + std::to_string(s.attitudeMode) + ",\n";
  text += "  \"vessel\": {\n    \"thruster_groups\": {\n      " + Groups(v) + "\n    },\n";
  text += "    \"thruster_levels\": [" + Joined(v.thrusterLevels, Number) + "],\n";
  text += "    \"control_surfaces\": " + Levels(v.controlSurfaces.data(), v.controlSurfaces.size()) + ",\n";
  text += "    \"wheel_brakes\": " + Levels(v.wheelBrakes.data(), v.wheelBrakes.size()) + ",\n";
  text += "    \"navmodes\": [" + Joined(v.navmodes, [](int m) { return std::to_string(m); }) + "],\n";
  text += "    \"adc_mode\": " + std::to_string(v.adcMode) + ",\n";
  text += "    \"flight_status\": " + std::to_string(v.flightStatus) + "\n  }\n}\n";
  return text;
}

}  // namespace sim
