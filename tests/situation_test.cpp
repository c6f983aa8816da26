// The situation loader: what it accepts, and where and why it rejects the rest.
#include "sim/situation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using sim::ParseSituation;

// "path: why" of the rejection, or "accepted".
std::string Rejection(std::string_view json) {
  try {
    ParseSituation(json);
  } catch (const sim::SituationError& e) {
    return e.Path() + ": " + e.what();
  }
  return "accepted";
}

// The rejection's JSON pointer alone.
std::string PathOf(std::string_view json) {
  try {
    ParseSituation(json);
  } catch (const sim::SituationError& e) {
    return e.Path();
  }
  return "accepted";
}

std::vector<double> Levels(const sim::VesselState& v, int group) {
  std::vector<double> out;
  for (const sim::Thruster& t : v.thrusters[static_cast<std::size_t>(group)]) out.push_back(t.level);
  return out;
}

TEST(SituationParse, EmptyObjectGivesTheHostDefaults) {
  const sim::Situation s = ParseSituation("{}");
  EXPECT_EQ(s.cockpitMode, 2);
  EXPECT_EQ(s.attitudeMode, 0);
  EXPECT_EQ(s.config, "GenericMFDSize = 6\nPanelScale = 1\n");
  EXPECT_EQ(s.width, 0);
  EXPECT_EQ(s.height, 0);
  EXPECT_TRUE(s.keys.empty());
  for (const auto& group : s.vessel.thrusters) EXPECT_TRUE(group.empty());
  EXPECT_TRUE(s.vessel.wheelBrakes.empty());
  EXPECT_TRUE(s.vessel.navmodes.empty());
}

TEST(SituationParse, EveryFieldReachesTheHostState) {
  const sim::Situation s = ParseSituation(R"({
    "cockpit_mode": 1, "config": "PanelScale = 2\n", "display": {"width": 300, "height": 200},
    "keys": [35, 38], "attitude_mode": -1,
    "vessel": {
      "thrusters": {"0": [1.0, 0.5], "14": [0.2]},
      "control_surfaces": {"0": 0.5, "2": -1},
      "wheel_brakes": {"2": 0.3},
      "navmodes": [1, 7], "adc_mode": 4294967295, "flight_status": 2
    }})");
  EXPECT_EQ(s.cockpitMode, 1);
  EXPECT_EQ(s.config, "PanelScale = 2\n");
  EXPECT_EQ(s.width, 300);
  EXPECT_EQ(s.height, 200);
  EXPECT_EQ(s.keys, (std::vector<DWORD>{35, 38}));
  EXPECT_EQ(s.attitudeMode, -1);
  EXPECT_EQ(Levels(s.vessel, 0), (std::vector<double>{1.0, 0.5}));
  EXPECT_EQ(Levels(s.vessel, 14), (std::vector<double>{0.2}));
  EXPECT_TRUE(Levels(s.vessel, 1).empty());
  EXPECT_EQ(s.vessel.thrusters[0][1].index, 1u);
  EXPECT_EQ(s.vessel.controlSurfaces[0], 0.5);
  EXPECT_EQ(s.vessel.controlSurfaces[1], 0.0);
  EXPECT_EQ(s.vessel.controlSurfaces[2], -1.0);
  EXPECT_EQ(s.vessel.wheelBrakes, (std::vector<double>{0, 0, 0.3}));
  EXPECT_EQ(s.vessel.navmodes, (std::vector<int>{1, 7}));
  EXPECT_EQ(s.vessel.adcMode, 0xFFFFFFFFu);
  EXPECT_EQ(s.vessel.flightStatus, 2u);
}

TEST(SituationParse, LevelsTakeNanAndInfinitiesAsStrings) {
  const sim::Situation s = ParseSituation(
      R"({"vessel": {"thrusters": {"2": ["nan", "inf", "-inf", -0.5]}, "control_surfaces": {"1": "-inf"},
          "wheel_brakes": {"1": "nan"}}})");
  const auto levels = Levels(s.vessel, 2);
  ASSERT_EQ(levels.size(), 4u);
  EXPECT_TRUE(std::isnan(levels[0]));
  EXPECT_EQ(levels[1], INFINITY);
  EXPECT_EQ(levels[2], -INFINITY);
  EXPECT_EQ(levels[3], -0.5);
  EXPECT_EQ(s.vessel.controlSurfaces[1], -INFINITY);
  EXPECT_TRUE(std::isnan(s.vessel.wheelBrakes[1]));
  EXPECT_EQ(PathOf(R"({"vessel": {"thrusters": {"0": ["NaN"]}}})"), "/vessel/thrusters/0/0");
  EXPECT_EQ(PathOf(R"({"vessel": {"control_surfaces": {"0": "1"}}})"), "/vessel/control_surfaces/0");
}

TEST(SituationParse, IntegersMustBeWholeAndInRange) {
  EXPECT_EQ(ParseSituation(R"({"keys": [35.0, 1e2]})").keys, (std::vector<DWORD>{35, 100}));
  EXPECT_EQ(ParseSituation(R"({"cockpit_mode": -2147483648})").cockpitMode, INT32_MIN);
  EXPECT_EQ(ParseSituation(R"({"keys": [4294967295]})").keys[0], 0xFFFFFFFFu);
  EXPECT_EQ(Rejection(R"({"keys": [35.5]})"), "/keys/0: must be an integer from 0 to 4294967295, not 35.5");
  EXPECT_EQ(Rejection(R"({"keys": [1, -1]})"), "/keys/1: must be an integer from 0 to 4294967295, not -1");
  EXPECT_EQ(PathOf(R"({"keys": [4294967296]})"), "/keys/0");
  EXPECT_EQ(PathOf(R"({"cockpit_mode": 2147483648})"), "/cockpit_mode");
  EXPECT_EQ(PathOf(R"({"attitude_mode": 18446744073709551615})"), "/attitude_mode");
  EXPECT_EQ(Rejection(R"({"vessel": {"flight_status": "inf"}})"),
            "/vessel/flight_status: must be an integer from 0 to 4294967295, not inf");
  EXPECT_EQ(PathOf(R"({"vessel": {"adc_mode": "nan"}})"), "/vessel/adc_mode");
  EXPECT_EQ(PathOf(R"({"vessel": {"navmodes": [1, "-inf"]}})"), "/vessel/navmodes/1");
}

TEST(SituationParse, SizesAndIndicesOutOfRange) {
  EXPECT_EQ(PathOf(R"({"display": {"width": 0}})"), "/display/width");
  EXPECT_EQ(PathOf(R"({"display": {"height": 4097}})"), "/display/height");
  EXPECT_EQ(ParseSituation(R"({"display": {"width": 4096, "height": 1}})").width, 4096);
  EXPECT_EQ(Rejection(R"({"vessel": {"thrusters": {"15": []}}})"),
            "/vessel/thrusters/15: thruster group must be 0 to 14");
  for (const char* key : {"-1", "01", "x", "", " 1", "1000"})
    EXPECT_EQ(PathOf(std::string(R"({"vessel": {"thrusters": {")") + key + R"(": []}}})"),
              std::string("/vessel/thrusters/") + key)
        << key;
  EXPECT_EQ(Rejection(R"({"vessel": {"control_surfaces": {"3": 0}}})"),
            "/vessel/control_surfaces/3: control surface type must be 0 to 2");
  EXPECT_EQ(ParseSituation(R"({"vessel": {"wheel_brakes": {"64": 1}}})").vessel.wheelBrakes.size(), 65u);
  EXPECT_EQ(PathOf(R"({"vessel": {"wheel_brakes": {"65": 1}}})"), "/vessel/wheel_brakes/65");
}

TEST(SituationParse, ListsHaveAnUpperBound) {
  const auto list = [](std::size_t n) {
    std::string text = "[";
    for (std::size_t i = 0; i < n; ++i) text += i ? ",0" : "0";
    return text + "]";
  };
  EXPECT_EQ(Levels(ParseSituation(R"({"vessel": {"thrusters": {"3": )" + list(1024) + "}}}").vessel, 3).size(), 1024u);
  EXPECT_EQ(Rejection(R"({"vessel": {"thrusters": {"3": )" + list(1025) + "}}}"),
            "/vessel/thrusters/3: has 1025 entries, at most 1024 allowed");
  EXPECT_EQ(ParseSituation(R"({"keys": )" + list(1024) + "}").keys.size(), 1024u);
  EXPECT_EQ(PathOf(R"({"keys": )" + list(1025) + "}"), "/keys");
  EXPECT_EQ(PathOf(R"({"vessel": {"navmodes": )" + list(1025) + "}}"), "/vessel/navmodes");
}

TEST(SituationParse, WrongTypesNameWhatWasExpected) {
  EXPECT_EQ(Rejection(R"([])"), ": must be an object, not an array");
  EXPECT_EQ(Rejection(R"({"keys": "35"})"), "/keys: must be an array, not a string");
  EXPECT_EQ(Rejection(R"({"config": 5})"), "/config: must be a string, not a number");
  EXPECT_EQ(Rejection(R"({"vessel": {"thrusters": {"0": 1}}})"), "/vessel/thrusters/0: must be an array, not a number");
  EXPECT_EQ(Rejection(R"({"vessel": {"thrusters": {"0": [true]}}})"),
            "/vessel/thrusters/0/0: must be a number or \"nan\", \"inf\" or \"-inf\", not a boolean");
  EXPECT_EQ(PathOf(R"({"display": [320, 320]})"), "/display");
  EXPECT_EQ(PathOf(R"({"vessel": null})"), "/vessel");
  EXPECT_EQ(PathOf(R"({"cockpit_mode": "1"})"), "/cockpit_mode");
}

TEST(SituationParse, UnknownAndRepeatedFields) {
  EXPECT_EQ(Rejection(R"({"cockpit": 1})"), "/cockpit: unknown field");
  EXPECT_EQ(Rejection(R"({"display": {"depth": 8}})"), "/display/depth: unknown field");
  EXPECT_EQ(Rejection(R"({"vessel": {"thruster": {}}})"), "/vessel/thruster: unknown field");
  EXPECT_EQ(Rejection(R"({"a/b~c": 1})"), "/a~1b~0c: unknown field");
  EXPECT_EQ(Rejection(R"({"x\u0001": 1})"), "/x\\x01: unknown field");
  EXPECT_EQ(Rejection(R"({"vessel": {"thrusters": {"0": [1], "0": [2]}}})"), "/vessel/thrusters/0: field given twice");
  EXPECT_EQ(Rejection(R"({"keys": [[], {"a": 1, "a": 2}]})"), "/keys/1/a: field given twice");
}

TEST(SituationParse, MalformedTextGivesLineAndColumn) {
  const std::string error = Rejection("{\n  \"keys\": [35,\n}\n");
  EXPECT_EQ(error.rfind(": parse error at line 3, column 1:", 0), 0u) << error;
  EXPECT_NE(Rejection("").find("line 1, column 1: syntax error"), std::string::npos);
  EXPECT_NE(Rejection("{} {}").find("parse error"), std::string::npos);
  EXPECT_NE(Rejection("{\"config\": \"\xff\"}").find("UTF-8"), std::string::npos);
  EXPECT_EQ(PathOf(R"({"vessel": {"adc_mode": 1e400}})"), "");
}

TEST(SituationParse, DeepOrHugeTextIsRejectedWithoutRecursion) {
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_NE(Rejection(deep).find("nested deeper than"), std::string::npos);
  const std::string huge = "{\"config\": \"" + std::string(sim::kMaxSituationBytes, ' ') + "\"}";
  EXPECT_NE(Rejection(huge).find("larger than"), std::string::npos);
}

TEST(SituationDefault, AWingedVesselIdleOnTheRunwayWithBrakesSet) {
  const sim::Situation s = sim::DefaultSituation();
  EXPECT_EQ(s.vessel.flightStatus & 1u, 1u);
  EXPECT_TRUE(s.vessel.navmodes.empty());
  EXPECT_EQ(s.vessel.thrusters[0].size(), 2u);
  for (const auto& group : s.vessel.thrusters)
    for (const sim::Thruster& t : group) EXPECT_EQ(t.level, 0.0);
  ASSERT_GE(s.vessel.wheelBrakes.size(), 3u);
  EXPECT_GT(s.vessel.wheelBrakes[1], 0.0);
  EXPECT_GT(s.vessel.wheelBrakes[2], 0.0);
}

TEST(SituationScale, FollowsTheCockpitAndItsConfiguration) {
  sim::Situation s;
  s.config = "GenericMFDSize = 3\nPanelScale = 2\n";
  s.cockpitMode = 1;
  EXPECT_EQ(sim::PageScaleOf(s), 0.5 * static_cast<double>(1.2f));
  s.cockpitMode = 3;
  EXPECT_EQ(sim::PageScaleOf(s), static_cast<double>(0.8f));
  s.cockpitMode = 0;
  EXPECT_EQ(sim::PageScaleOf(s), 2 * static_cast<double>(0.9f));
  s.config = "";
  EXPECT_EQ(sim::PageScaleOf(s), static_cast<double>(0.9f));
  s.cockpitMode = 1;
  EXPECT_EQ(sim::PageScaleOf(s), static_cast<double>(1.2f));
}

}  // namespace
