// The situation loader: what it accepts, and where and why it rejects the rest.
#include "sim/program/situation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

namespace {

// "path: why" of the rejection, or "accepted".
std::string Rejection(std::string_view json) {
  try {
    sim::ParseSituation(json);
  } catch (const sim::SituationError& e) {
    return e.Path() + ": " + e.what();
  }
  return "accepted";
}

// A JSON list of n zeros.
std::string Zeros(std::size_t n) {
  std::string text = "[0";
  while (--n > 0) text += ",0";
  return text + "]";
}

// Each situation read, printed by SituationJson and read again: both ways keep every field.
sim::Situation ReadTwice(const std::string& json) { return sim::ParseSituation(sim::SituationJson(sim::ParseSituation(json))); }

TEST(SituationParse, EveryFieldReachesTheHostStateUpToItsLimitsAndPrintsBack) {
  const sim::Situation s = ReadTwice(R"({"cockpit_mode": -2147483648, "config": "PanelScale = 2\n\"x\"",
    "display": {"width": 4096, "height": 1}, "window_height": 900, "vc_mfd_size": 512, "keys": [35.0, 1e2, 4294967295],
    "attitude_mode": -1, "vessel": {"thrusters": {"0": [1.0, -0.5], "14": ["nan", "inf", "-inf", 1e-300], "3": )" +
                                     Zeros(1024) + R"(}, "control_surfaces": {"0": 0.5, "2": "-inf"},
      "wheel_brakes": {"2": 0.3, "64": "nan"}, "navmodes": [1, 7], "adc_mode": 4294967295, "flight_status": 2}})");
  using sim::Input;
  EXPECT_EQ(std::tie(s.cockpitMode, *s.config, s.width, s.height, s.windowHeight, s.vcMfdSize, s.attitudeMode, s.inputs),
            std::make_tuple(INT32_MIN, "PanelScale = 2\n\"x\"", 4096, 1, 900, 512, -1,
                            std::vector<Input>{{Input::kKey, 35}, {Input::kKey, 100}, {Input::kKey, 0xFFFFFFFF}}));
  EXPECT_EQ(ReadTwice(R"({"display": {"height": 9}})").width, 0);
  // A thruster may stand in several groups; the vessel has one more than the highest index named.
  const sim::VesselState shared =
      ReadTwice(R"({"vessel": {"thruster_groups": {"6": [13, 14], "9": [13, 12]}, "thruster_levels": [0.5]}})").vessel;
  EXPECT_EQ(shared.thrusterLevels, std::vector<double>({0.5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(shared.groups[9].size() == 2 && shared.groups[9][0].thruster == 13 && shared.groups[6][0].thruster == 13 &&
              shared.groups[9][1].index == 1 && shared.groups[9][1].thruster == 12);
  EXPECT_EQ(ReadTwice(R"({"inputs": [{"button": 11}, {"key": 38}, {"button": 0}]})").inputs,
            (std::vector<Input>{{Input::kButton, 11}, {Input::kKey, 38}, {Input::kButton, 0}}));
  const auto& g = s.vessel.groups;
  const auto level = [&](int group, std::size_t i) { return s.vessel.thrusterLevels.at(g[group].at(i).thruster); };
  EXPECT_TRUE(g[0].size() == 2 && level(0, 1) == -0.5 && g[1].empty() && g[3].size() == 1024 && g[14].size() == 4);
  EXPECT_TRUE(std::isnan(level(14, 0)) && level(14, 1) == INFINITY && level(14, 2) == -INFINITY && level(14, 3) == 1e-300);
  EXPECT_EQ(s.vessel.controlSurfaces, (std::array<double, 3>{0.5, 0, -INFINITY}));
  const auto& brakes = s.vessel.wheelBrakes;
  EXPECT_TRUE(brakes.size() == 65 && brakes[0] == 0 && brakes[2] == 0.3 && std::isnan(brakes[64]));
  EXPECT_EQ(std::tie(s.vessel.navmodes, s.vessel.adcMode, s.vessel.flightStatus),
            std::make_tuple(std::vector<int>{1, 7}, 0xFFFFFFFFu, 2u));
}

// Each rejection starts with the JSON pointer of the offending value and says why.
TEST(SituationParse, RejectionsNameThePathAndTheReason) {
  const std::string word = "must be an integer from 0 to 4294967295, not ";
  const std::pair<std::string, std::string> cases[] = {
      {"{\"config\": \"" + std::string(sim::kMaxSituationBytes, ' ') + "\"}", ": larger than"},
      {"[]", ": must be an object, not an array"}, {R"({"keys": "35"})", "/keys: must be an array, not a string"},
      {R"({"config": 5})", "/config: must be a string, not a number"},
      {R"({"vessel": {"control_surfaces": {"0": "NaN"}}})", R"(/vessel/control_surfaces/0: must be a number or "nan")"},
      {R"({"keys": [35.5]})", "/keys/0: " + word + "35.5"}, {R"({"keys": [1, -1]})", "/keys/1: " + word + "-1"},
      {R"({"vessel": {"flight_status": "inf"}})", "/vessel/flight_status: " + word + "inf"},
      {R"({"cockpit_mode": 2147483648})", "/cockpit_mode: must be an integer from -2147483648 to 2147483647"},
      {R"({"display": {"width": 0}})", "/display/width: must be an integer from 1 to 4096"},
      {R"({"vc_mfd_size": 300})", "/vc_mfd_size: must be 256, 512 or 1024"},
      {R"({"vessel": {"thrusters": {"15": []}}})", "/vessel/thrusters/15: thruster group must be 0 to 14"},
      {R"({"vessel": {"thrusters": {"01": []}}})", "/vessel/thrusters/01: thruster group"},
      {R"({"vessel": {"control_surfaces": {"3": 0}}})", "/vessel/control_surfaces/3: control surface type must be"},
      {R"({"vessel": {"wheel_brakes": {"65": 1}}})", "/vessel/wheel_brakes/65: wheel index must be 0 to 64"},
      {R"({"vessel": {"thrusters": {"3": )" + Zeros(1025) + "}}}", "/vessel/thrusters/3: has 1025 entries, at most"},
      {R"({"keys": )" + Zeros(1025) + "}", "/keys: has 1025 entries"},
      {R"({"display": {"depth": 8}})", "/display/depth: unknown field"},
      {R"({"a/b~c": 1})", "/a~1b~0c: unknown field"}, {R"({"x\u0001": 1})", "/x\\x01: unknown field"},
      {R"({"keys": [[], {"a": 1, "a": 2}]})", "/keys/1/a: field given twice"},
      {R"({"inputs": [{"button": 12}]})", "/inputs/0/button: must be an integer from 0 to 11"},
      {R"({"inputs": [{"key": 1, "button": 1}]})", "/inputs/0: must hold one field"},
      {R"({"inputs": [{"press": 1}]})", "/inputs/0/press: unknown field"},
      {R"({"keys": [], "inputs": []})", "/keys: goes without \"inputs\""},
      {R"({"vessel": {"thruster_groups": {"0": [16384]}}})", "/vessel/thruster_groups/0/0: must be an integer from 0 to 16383"},
  };
  for (const auto& [json, expected] : cases) EXPECT_TRUE(Rejection(json).starts_with(expected)) << Rejection(json);
  EXPECT_NE(Rejection(std::string(99999, '[') + std::string(99999, ']')).find("nested deeper than"), std::string::npos);
}

TEST(SituationDisplay, IsWhatTheCockpitGivesUnlessTheSituationSaysOtherwise) {
  const std::pair<std::string, std::pair<int, int>> cases[] = {
      {R"({"cockpit_mode": 1})", {385, 385}},  // GenericMFDSize 6 in an 800-pixel window
      {R"({"cockpit_mode": 1, "window_height": 1600, "config": "GenericMFDSize = 8"})", {910, 910}},
      {R"({"cockpit_mode": 1, "window_height": 400, "config": "GenericMFDSize = x"})", {240, 240}},
      {R"({"cockpit_mode": 1, "config": "GenericMFDSize = 1e9"})", {4096, 4096}},
      {R"({"cockpit_mode": 3, "vc_mfd_size": 512})", {512, 512}},
      {R"({"cockpit_mode": 0, "display": {"height": 200}})", {sim::kPanelDisplaySide, 200}},
  };
  for (const auto& [json, size] : cases) {
    const sim::DisplaySize d = sim::DisplaySizeOf(sim::ParseSituation(json));
    EXPECT_EQ(std::make_pair(d.width, d.height), size) << json;
  }
}

}  // namespace
