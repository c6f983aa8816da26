// Flight recordings: what the player reads, what each event does to the page's
// view of the vessel, and the replay to any time.
#include "sim/program/flight.h"

#include <gtest/gtest.h>

namespace {

std::string Refusal(std::string_view text) {
  try {
    sim::ParseFlight(text);
  } catch (const sim::FlightError& e) {
    return std::to_string(e.Line()) + ": " + e.what();
  }
  return "accepted";
}

TEST(Flight, RefusesLinesThePlayerCannotReadNamingThem) {
  const std::pair<const char*, const char*> cases[] = {
      {"1 ENG 0:1\n\n x1 ENG 0:1", "3: the time 'x1' is not a number"},
      {"inf GEAR UP", "1: the time 'inf' is not a number"},
      {"0.5", "1: no event after the time"},
      {"0 ENG 0:1 1:", "1: ENG takes thruster:level pairs, not '1:'"},
      {"0 ENG MAINS:1", "1: ENG names no thruster index or group in 'MAINS:1'"},
      {"0 ENG -1:1", "1: ENG names no thruster index"},
      {"0 NAVMODE two", "1: NAVMODE takes an integer from -2147483648 to 2147483647, not 'two'"},
      {"0 ADCMODE -1", "1: ADCMODE takes an integer from 0 to 4294967295, not '-1'"},
  };
  for (const auto& [text, refusal] : cases) EXPECT_TRUE(Refusal(text).starts_with(refusal)) << Refusal(text);
  EXPECT_EQ(Refusal("0 GEAR what ever\r\n2 UNDOCK\n"), "accepted");
}

// The delta-glider's pitch-up pair 7, 8 shares thruster 8 with the down pair 9, 8.
TEST(Flight, EventsActOnThePageAsThePlayerAppliesThemInFileOrder) {
  sim::Situation start;
  start.vessel.thrusterLevels.assign(10, 0.0);
  for (const auto& [group, t] : {std::pair{3, 7}, {3, 8}, {12, 9}, {12, 8}}) start.vessel.Group(group, t);
  start.vessel.flightStatus = 1;
  const auto events = sim::ParseFlight(
      "0 ENG 0:0.5 9:1 10:1 99999999999:1\n"
      "1 ENG RCS_PITCHUP:0.25\n1 NAVMODE 3\n1 NAVMODE 1\n1 NAVMODE 3\n1 TAKEOFF Earth\n1 RCSMODE 2\n"
      "2 ADCMODE 7\n2 ENG RCS_DOWN:0.75\n2 GEAR DOWN\n3 NAVMODECLR 3\n3 LANDED Moon\n");
  sim::FlightReplay replay(events, start);
  struct Expected {
    double t;
    std::vector<double> levels;
    std::vector<int> navmodes;
    std::uint32_t status, adc;
    int attitude;
    std::size_t applied;
  };
  const Expected cases[] = {
      {0, std::vector<double>(10, 0.0), {}, 1, 0, 0, 0},
      {2, {0.5, 0, 0, 0, 0, 0, 0, 0.25, 0.25, 1}, {3, 1}, 0, 0, 2, 7},
      {9, {0.5, 0, 0, 0, 0, 0, 0, 0.25, 0.75, 0.75}, {1}, 1, 7, 2, 12},
      {1, {0.5, 0, 0, 0, 0, 0, 0, 0, 0, 1}, {}, 1, 0, 0, 1},
  };
  for (const Expected& c : cases) {
    SCOPED_TRACE(c.t);
    const sim::Situation& s = replay.At(c.t);
    EXPECT_EQ(s.vessel.thrusterLevels, c.levels);
    EXPECT_EQ(s.vessel.navmodes, c.navmodes);
    EXPECT_EQ(std::tie(s.vessel.flightStatus, s.vessel.adcMode, s.attitudeMode), std::tie(c.status, c.adc, c.attitude));
    EXPECT_EQ(replay.Applied(), c.applied);
  }
  EXPECT_EQ(events[9].text, "GEAR DOWN");
}

}  // namespace
