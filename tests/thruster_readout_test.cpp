// Thruster group readout and its level gauges: query order, fills per group,
// gauge places and lengths, and the choice between the rotation and
// translation sets.
#include "page/indicators/gauges.h"
#include "page_fixture.h"
#include "tests/golden.h"

namespace {

using ReadoutTest = PageTest;

const std::string kNewGreen = "CreateSolidBrush 0x0000FF00", kFreeGreen = "DeleteObject 0x0000FF00";
const std::string kNewYellow = "CreateSolidBrush 0x0000FFFF", kFreeYellow = "DeleteObject 0x0000FFFF";

std::string Count(int group) { return "GetGroupThrusterCount " + std::to_string(group); }

// The autopilot's first query, the attitude mode query and every group count
// without their answers; fills made and released; bars and gauge labels.
Lines Skeleton(const Lines& lines) {
  Lines kept;
  for (const std::string& line : lines)
    if (line.starts_with("GetNavmodeState 7") || line.starts_with("oapiGetFocusAttitudeMode") ||
        line.starts_with("GetGroupThrusterCount"))
      kept.push_back(line.substr(0, line.find(" ->")));
    else if (line.starts_with("CreateSolidBrush") || line.starts_with("DeleteObject") || line.starts_with("FillRect") ||
             (line.starts_with("TextOutA") && line.find(" 2 \"") != std::string::npos))
      kept.push_back(line);
  return kept;
}

// The whole readout at scale 1, where design units are pixels: the engines,
// then the rotation or the translation set. Thrusters fire at 0.5, 0.25, 1, 0.5
// in most groups, so a misread index shows.
TEST_F(ReadoutTest, AttitudeModeOrEngagedAutopilotChoosesTheSet) {
  const char *rotation = "readout-rotation", *translation = "readout-translation", *engines = nullptr;
  // Kill Rot (1) and Prograde (3) are engaged autopilots; Hold Alt (7) is not, and wins the line.
  const struct {
    int mode;
    std::vector<int> navmodes;
    const char* set;  // after the engines
  } cases[] = {{1, {}, rotation},  {2, {}, translation}, {0, {}, engines},     {3, {}, engines},
               {2, {1}, rotation}, {0, {3}, rotation},   {2, {7}, translation}, {2, {7, 1}, translation}};
  for (int group = 0; group < sim::VesselState::kGroups; ++group) state().SetThrusters(group, {0.5, 0.25, 1.0, 0.5});
  state().SetThrusters(0, {0.5, 0.25, 1.0, 0.5, 0.25, 1.0});
  state().SetThrusters(2, {0.0, 0.25, 1.0});  // the fore hover gauge at rest, the aft pair not
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + ", autopilot modes " + std::to_string(c.navmodes.size()));
    state().navmodes = c.navmodes;
    sim::TheHost().attitudeMode = c.mode;
    VitalsMFD::DrawThrusterReadout(hdc, 1.0, focus());
    const Lines lines = Take(), skeleton = Skeleton(lines);
    const auto set = std::ranges::find(skeleton, "oapiGetFocusAttitudeMode");
    ASSERT_NE(set, skeleton.end());
    ExpectGolden(Lines(skeleton.begin(), set + 1), "readout-engines");
    if (c.set) ExpectGolden(Lines(set + 1, skeleton.end()), c.set);
    else EXPECT_EQ(set + 1, skeleton.end());
    // Gauge labels inherit the green that the reaction-control line leaves.
    EXPECT_EQ(Only(lines, {"SetTextColor"}).back(), "SetTextColor 0x0000C800");
  }
}

// Single and empty groups, and levels at rest, at scale 1.
TEST_F(ReadoutTest, LoneThrustersEmptyGroupsAndLevelsAtRest) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  using Reader = void (*)(HDC, double, VESSEL*);
  const struct {
    Reader draw;
    int group;
    std::vector<double> levels;
    Lines expected;
  } cases[] = {
      {VitalsMFD::DrawMainGroup, 0, {0.5}, {kNewGreen, Count(0), Fill(155, 256, 164, 268), kFreeGreen}},
      {VitalsMFD::DrawRetroGroup, 1, {}, {kNewYellow, Count(1), kFreeYellow}},
      {VitalsMFD::DrawHoverGroup, 2, {}, {Count(2)}},
      {VitalsMFD::DrawHoverGroup, 2, {0.5},
       {Count(2), kNewGreen, Fill(155, 138, 165, 150), Text(155, 150, "-y"), Fill(108, 222, 118, 234),
        Text(108, 234, "-y"), Fill(201, 222, 211, 234), Text(201, 234, "-y"), kFreeGreen}},
      {VitalsMFD::DrawMainGroup, 0, {0.0, -0.5, nan}, {kNewGreen, Count(0), kFreeGreen}},
      {VitalsMFD::DrawRetroGroup, 1, {-1e-300}, {kNewYellow, Count(1), Count(1), kFreeYellow}},
      {VitalsMFD::DrawHoverGroup, 2, {-0.0}, {Count(2), kNewGreen, kFreeGreen}},
      {VitalsMFD::DrawLateralGroups, 9, {nan, 0.0},
       {Count(9), kNewGreen, kFreeGreen, Count(10), kNewYellow, kFreeYellow}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    state().SetThrusters(cases[i].group, cases[i].levels);
    cases[i].draw(hdc, 1.0, focus());
    EXPECT_EQ(Skeleton(Take()), cases[i].expected) << "case " << i;
  }
}

// Reaction-control bars take the log length, so a tiny level is not an empty
// bar; their labels and the engine bars stay linear.
TEST_F(ReadoutTest, GaugesLogarithmic) {
  const HBRUSH fill = CreateSolidBrush(0x0000FF00);
  logExhausts = true;
  Take();
  DrawMainGauge(hdc, fill, 0.5, 0, 1.0);
  DrawRetroGauge(hdc, fill, 0.5, 51, 1.0);
  DrawForeLeftSideGauge(hdc, fill, 1.0, 1.0);
  DrawAftAxialGauge(hdc, fill, 0.001, 1.0);
  DrawForeAxialGauge(hdc, fill, 0.25, 13, 1.0);
  DrawLeftWingVerticalGauge(hdc, fill, 0.5, -15, 1.0);
  EXPECT_EQ(Take(), (Lines{Fill(143, 256, 152, 268), Fill(182, 99, 190, 89), Fill(138, 64, 152, 68),
                           Fill(156, 256, 164, 257), Text(156, 256, "-z"), Fill(165, 64, 169, 54), Text(165, 46, "+z"),
                           Fill(96, 175, 100, 163), Text(96, 154, "+y")}));
  DeleteObject(fill);
}

}  // namespace
