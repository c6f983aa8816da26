// Flight recordings: read as the host's player reads them, damaged lines
// included; what each event does to the page's view of the vessel; the
// replay to any time; and the refresh times planned for a flight.
#include "sim/program/flight.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace std::string_literals;

sim::Flight Read(const std::string& text) {
  std::istringstream in(text);
  return sim::ReadFlight(in);
}

std::vector<std::string> Warnings(const sim::Flight& flight) {
  std::vector<std::string> lines;
  for (const sim::FlightWarning& w : flight.warnings) lines.push_back(std::to_string(w.line) + ": " + w.text);
  return lines;
}

// 20 thrusters; the main group holds 0 and 1.
sim::Situation Start() {
  sim::Situation start;
  start.vessel.thrusterLevels.assign(20, 0.0);
  for (int t : {0, 1}) start.vessel.Group(0, t);
  return start;
}

TEST(Flight, DamagedLinesPlayAsThePlayerPlaysThemWithAWarningEach) {
  struct Case {
    std::string text;
    double t;  // a time to look at
    std::vector<std::pair<int, double>> levels;
    std::vector<std::string> warnings;
  };
  const Case cases[] = {
      // Two lines run together: thruster 18 to 170.054, shown as 1, then to 1.
      {"0 ENG 18:0.5\n169.108 ENG 18:0170.054 ENG 18:1", 170, {{18, 1}},
       {"2: ENG '18:0170.054': level 170.054 is shown as 1", "2: ENG skips 'ENG': neither INDEX:LEVEL nor GROUP:LEVEL"}},
      {"0 ENG 18:0.5\n169.108 ENG 18:0170.054 ENG 18:1", 169, {{18, 0.5}}, {}},
      // A tab inside "12:0": '1' is skipped, thrusters 2 and 13 set.
      {"0 ENG 2:1 12:1 13:1\n21740.959 ENG 1\t2:0 13:0", 21741, {{2, 0}, {12, 1}, {13, 0}},
       {"2: ENG skips '1': neither INDEX:LEVEL nor GROUP:LEVEL"}},
      // Indexes the vessel lacks are skipped quietly: recordings of a vessel name them.
      {"0 ENG x:y 99:1 -1:1 4294967296:1 -0:0.25 3:0.5kg main:0.75 MAINx0.5 RCS_UP 4:-2", 1,
       {{0, 0.5}, {1, 0.5}, {3, 0.5}, {4, 0}},
       {"1: ENG skips 'x:y': neither INDEX:LEVEL nor GROUP:LEVEL", "1: ENG reads '3:0.5kg' as level 0.5, ignoring 'kg'",
        "1: ENG skips 'RCS_UP': neither INDEX:LEVEL nor GROUP:LEVEL", "1: ENG '4:-2': level -2 is shown as 0"}},
      // Out of order: applied once the time passes every earlier line's.
      {"5 ENG 0:1\n1 ENG 0:0.5", 4, {{0, 0}}, {"2: the time 1 is before 5, an earlier line's: applied once that time is passed"}},
      {"5 ENG 0:1\n1 ENG 0:0.5", 6, {{0, 0.5}}, {}},
      // A time that does not read ends the recording; blank lines and CR are nothing.
      {"\n  \r\n1 ENG 0:1\r\n1e400 ENG 0:0\n2 ENG 0:0.5", 9, {{0, 1}},
       {"4: the time '1e400' does not read: the player stops here and ignores the rest of the file"}},
      {"0 X\n0 ENG 5:\x1b[31m\0x\n0\n"s, 1, {{5, 0}},
       {"2: ENG skips '5:\\x1b[31m\\x00x': neither INDEX:LEVEL nor GROUP:LEVEL", "3: no event after the time"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " at " + std::to_string(c.t));
    const sim::Flight flight = Read(c.text);
    if (!c.warnings.empty()) {  // given once for each text
      EXPECT_EQ(Warnings(flight), c.warnings);
    }
    sim::FlightReplay replay(flight, Start());
    const sim::Situation& s = replay.At(c.t);
    for (const auto& [thruster, level] : c.levels) EXPECT_EQ(s.vessel.thrusterLevels[thruster], level) << thruster;
  }
}

TEST(Flight, WarningsAreCutAndCounted) {
  const sim::Flight many = Read("0 ENG " + std::string(200, 'x') + std::string(30, '\n') + "\n1 ENG x\n1 ENG y" +
                                std::string(25, '\n') + "1 ENG z\n1 ENG w\n1 ENG 0:1\n1 ENG x 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19");
  EXPECT_EQ(many.warningCount, 25u);
  ASSERT_EQ(many.warnings.size(), sim::Flight::kMaxWarnings);
  EXPECT_EQ(many.warnings[0].text, "ENG skips '" + std::string(77, 'x') + "...': neither INDEX:LEVEL nor GROUP:LEVEL");
  EXPECT_EQ(many.warnings[2].line, 33);
}

TEST(Flight, RefusesOnlyWhatHasNothingToPlay) {
  const std::pair<std::string, const char*> cases[] = {
      {"\n\nGEAR UP\n1 ENG 0:1", "3: the first line has no time: 'GEAR UP'"},
      {"0 X\x00\x89PNG\n0 X"s, "1: not a text file: a NUL byte on its first line"},
  };
  for (const auto& [text, refusal] : cases) {
    try {
      Read(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const sim::FlightError& e) {
      EXPECT_EQ(std::to_string(e.Line()) + ": " + e.what(), refusal);
    }
  }
  EXPECT_EQ(Read("").events, 0u);
}

// The delta-glider's pitch-up pair 7, 8 shares thruster 8 with the down pair 9, 8.
TEST(Flight, EventsActOnThePageAsThePlayerAppliesThemInFileOrder) {
  sim::Situation start;
  start.vessel.thrusterLevels.assign(10, 0.0);
  for (const auto& [group, t] : {std::pair{3, 7}, {3, 8}, {12, 9}, {12, 8}}) start.vessel.Group(group, t);
  start.vessel.flightStatus = 1;
  const sim::Flight flight = Read(
      "0 ENG 0:0.5 9:1 10:1 99999999999:1\n"
      "1 ENG RCS_PITCHUP:0.25\n1 NAVMODE 3\n1 NAVMODE 1\n1 NAVMODE 3\n1 TAKEOFF Earth\n1 RCSMODE 2\n"
      "2 ADCMODE 7\n2 ENG RCS_DOWN:0.75\n2 GEAR DOWN\n3 NAVMODECLR 3\n3 LANDED Moon\n"
      "3 NAVMODE x\n3 NAVMODECLR\n3 RCSMODE 99999999999\n3 ADCMODE 5q\n");
  sim::FlightReplay replay(flight, start);
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
      {9, {0.5, 0, 0, 0, 0, 0, 0, 0.25, 0.75, 0.75}, {1}, 1, 5, 2, 16},  // modes that do not read stay
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
  EXPECT_EQ(flight.names, (std::vector<std::pair<std::string, std::uint32_t>>{
                              {"ENG", 3}, {"NAVMODE", 4}, {"TAKEOFF", 1}, {"RCSMODE", 2}, {"ADCMODE", 2},
                              {"GEAR", 1}, {"NAVMODECLR", 2}, {"LANDED", 1}}));
  EXPECT_EQ(Warnings(flight), (std::vector<std::string>{
                                  "13: NAVMODE leaves the mode as it was: 'x' is not a 32-bit number",
                                  "14: NAVMODECLR leaves the mode as it was: '' is not a 32-bit number",
                                  "15: RCSMODE leaves the mode as it was: '99999999999' is not a 32-bit number",
                                  "16: ADCMODE reads '5q' as 5"}));
}

// Refreshes in whole counts from `from`; spans that cannot be planned are refused before any refresh.
TEST(Flight, RefreshesArePlannedInWholeCountsWithinTheirLimits) {
  const sim::Flight unsorted = Read("0 X\n10 X\n4 X\n"), empty = Read("");
  struct Case {
    const sim::Flight* flight;
    double interval, from;
    std::optional<double> to;
    long long refreshes;  // -1 domain, -2 range, -3 length
    double last;
  };
  const Case cases[] = {
      {&unsorted, 0.5, 0, {}, 22, 10.5},  // the greatest time plus the interval
      {&unsorted, 0.5, 20, {}, 1, 20},
      {&empty, 0.1, 0, 0.30000000000000004, 4, 0.30000000000000004},  // 3 × 0.1
      {&empty, 0.1, 0, 0.3, 3, 0.2},
      {&empty, 0.5, 1e300, {}, -2, 0},
      {&empty, 0.5, 1e22, {}, -2, 0},
      {&empty, 1e-300, 1, {}, -2, 0},
      {&empty, 0.5, 0, 499999.5, 1000000, 499999.5},
      {&empty, 0.5, 0, 500000, -3, 0},
      {&empty, 0.5, -1e308, 1e308, -2, 0},
      {&empty, 1e300, -1e308, 1e308, -3, 0},
      {&empty, 0.5, 2, 1, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " every " + std::to_string(c.interval));
    try {
      const sim::RefreshSchedule s = sim::PlanRefreshes(*c.flight, c.interval, c.from, c.to);
      EXPECT_EQ(s.refreshes, c.refreshes);
      EXPECT_EQ(s.At(s.refreshes - 1), c.last);
    } catch (const std::domain_error&) {
      EXPECT_EQ(c.refreshes, -1);
    } catch (const std::range_error&) {
      EXPECT_EQ(c.refreshes, -2);
    } catch (const std::length_error&) {
      EXPECT_EQ(c.refreshes, -3);
    }
  }
}

}  // namespace
