// Thruster group readout: query order, fills per group, gauge places and the
// choice between the rotation and translation sets.
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "page_fixture.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kGreen = "0x0000FF00";
constexpr const char* kYellow = "0x0000FFFF";

std::string Fill(long l, long t, long r, long b, const char* colour) {
  return "FillRect " + std::to_string(l) + ' ' + std::to_string(t) + ' ' + std::to_string(r) + ' ' +
         std::to_string(b) + ' ' + colour;
}

std::string Label(long x, long y, const char* text) {
  return "TextOutA " + std::to_string(x) + ' ' + std::to_string(y) + " 2 \"" + text + '"';
}

// The lines that start with one of the prefixes, in order.
Lines Only(const Lines& lines, std::initializer_list<std::string_view> prefixes) {
  Lines kept;
  for (const std::string& line : lines)
    for (std::string_view prefix : prefixes)
      if (line.starts_with(prefix)) {
        kept.push_back(line);
        break;
      }
  return kept;
}

Lines Drawn(const Lines& lines) { return Only(lines, {"FillRect", "TextOutA"}); }

using ReadoutTest = PageTest;

// ---- main, retro and hover groups ----

TEST_F(ReadoutTest, MainGroupReadsEachThrusterInsideOneGreenFill) {
  state().SetThrusters(0, {0.5, 1.0});
  VitalsMFD::DrawMainGroup(hdc, kGenericScale, focus());
  EXPECT_EQ(Take(), (Lines{"CreateSolidBrush 0x0000FF00", "GetGroupThrusterCount 0 -> 2", "GetGroupThruster 0 0",
                           "GetThrusterLevel 0 0 -> 0.5", Fill(171, 307, 182, 322, kGreen), "GetGroupThruster 0 1",
                           "GetThrusterLevel 0 1 -> 1", Fill(201, 307, 212, 337, kGreen),
                           "DeleteObject 0x0000FF00"}));
}

TEST_F(ReadoutTest, MainGroupSlotsByThrusterCount) {
  // Scale 1 puts design x on pixels: each slot is left..left+9.
  const auto slot = [](long left) { return Fill(left, 256, left + 9, 281, kGreen); };
  const struct {
    int count;
    Lines expected;
  } cases[] = {
      {1, {slot(155)}},
      {2, {slot(143), slot(168)}},
      {3, {slot(143), slot(168), slot(155)}},
      {4, {slot(143), slot(168), slot(155), slot(218)}},
      {9,
       {slot(143), slot(168), slot(155), slot(218), slot(243), slot(155), slot(293), slot(318), slot(155)}},
  };
  for (const auto& c : cases) {
    state().SetThrusters(0, std::vector<double>(static_cast<std::size_t>(c.count), 1.0));
    VitalsMFD::DrawMainGroup(hdc, 1.0, focus());
    EXPECT_EQ(Drawn(Take()), c.expected) << c.count << " main thrusters";
  }
}

TEST_F(ReadoutTest, RetroGroupAsksTheCountAgainAndStopsAtThreeGauges) {
  state().SetThrusters(1, {0.5, 0.5, 0.5, 0.5});
  VitalsMFD::DrawRetroGroup(hdc, kVirtualScale, focus());
  EXPECT_EQ(Take(), (Lines{"CreateSolidBrush 0x0000FFFF", "GetGroupThrusterCount 1 -> 4", "GetGroupThruster 1 0",
                           "GetThrusterLevel 1 0 -> 0.5", Fill(104, 79, 111, 71, kYellow),
                           "GetGroupThrusterCount 1 -> 4", "GetGroupThruster 1 1", "GetThrusterLevel 1 1 -> 0.5",
                           Fill(145, 79, 152, 71, kYellow), "GetGroupThrusterCount 1 -> 4", "GetGroupThruster 1 2",
                           "GetThrusterLevel 1 2 -> 0.5", Fill(186, 79, 192, 71, kYellow),
                           "DeleteObject 0x0000FFFF"}));
}

TEST_F(ReadoutTest, RetroGroupOfNoneOrOneThruster) {
  VitalsMFD::DrawRetroGroup(hdc, kVirtualScale, focus());
  EXPECT_EQ(Take(), (Lines{"CreateSolidBrush 0x0000FFFF", "GetGroupThrusterCount 1 -> 0", "DeleteObject 0x0000FFFF"}));
  state().SetThrusters(1, {0.5});
  VitalsMFD::DrawRetroGroup(hdc, kVirtualScale, focus());
  EXPECT_EQ(Take(), (Lines{"CreateSolidBrush 0x0000FFFF", "GetGroupThrusterCount 1 -> 1", "GetGroupThruster 1 0",
                           "GetThrusterLevel 1 0 -> 0.5", Fill(104, 79, 111, 71, kYellow),
                           "GetGroupThrusterCount 1 -> 1", "DeleteObject 0x0000FFFF"}));
}

TEST_F(ReadoutTest, LoneHoverThrusterFeedsAllThreeHoverGauges) {
  state().SetThrusters(2, {0.5});
  VitalsMFD::DrawHoverGroup(hdc, kPanelScale, focus());
  EXPECT_EQ(Take(), (Lines{"GetGroupThrusterCount 2 -> 1", "CreateSolidBrush 0x0000FF00", "GetGroupThruster 2 0",
                           "GetThrusterLevel 2 0 -> 0.5", Fill(139, 124, 148, 135, kGreen), Label(139, 135, "-y"),
                           Fill(97, 199, 106, 211, kGreen), Label(97, 211, "-y"), Fill(180, 199, 189, 211, kGreen),
                           Label(180, 211, "-y"), "DeleteObject 0x0000FF00"}));
}

TEST_F(ReadoutTest, HoverGroupReadsTwoThrustersAtMostAndMakesNoFillWhenEmpty) {
  VitalsMFD::DrawHoverGroup(hdc, kPanelScale, focus());
  EXPECT_EQ(Take(), (Lines{"GetGroupThrusterCount 2 -> 0"}));

  state().SetThrusters(2, {0.0, 0.5, 1.0});
  VitalsMFD::DrawHoverGroup(hdc, kPanelScale, focus());
  EXPECT_EQ(Take(), (Lines{"GetGroupThrusterCount 2 -> 3", "CreateSolidBrush 0x0000FF00", "GetGroupThruster 2 0",
                           "GetThrusterLevel 2 0 -> 0", "GetGroupThruster 2 1", "GetThrusterLevel 2 1 -> 0.5",
                           Fill(97, 199, 106, 211, kGreen), Label(97, 211, "-y"), Fill(180, 199, 189, 211, kGreen),
                           Label(180, 211, "-y"), "DeleteObject 0x0000FF00"}));

  state().SetThrusters(2, {0.5, 0.0});
  VitalsMFD::DrawHoverGroup(hdc, kPanelScale, focus());
  EXPECT_EQ(Take(), (Lines{"GetGroupThrusterCount 2 -> 2", "CreateSolidBrush 0x0000FF00", "GetGroupThruster 2 0",
                           "GetThrusterLevel 2 0 -> 0.5", Fill(139, 124, 148, 135, kGreen), Label(139, 135, "-y"),
                           "GetGroupThruster 2 1", "GetThrusterLevel 2 1 -> 0", "DeleteObject 0x0000FF00"}));
}

// ---- reaction-control pair groups ----

TEST_F(ReadoutTest, PitchThrustersAtTheTailGrowGreenUpAndYellowDown) {
  state().SetThrusters(3, {0.5, 0.25, 1.0});
  state().SetThrusters(4, {0.5});
  VitalsMFD::DrawPitchGroups(hdc, kVirtualScale, focus());
  EXPECT_EQ(Take(), (Lines{"GetGroupThrusterCount 3 -> 3", "CreateSolidBrush 0x0000FF00", "GetGroupThruster 3 0",
                           "GetThrusterLevel 3 0 -> 0.5", Fill(124, 204, 131, 200, kGreen), Label(124, 188, "+y"),
                           "GetGroupThruster 3 1", "GetThrusterLevel 3 1 -> 0.25", Fill(121, 51, 124, 53, kGreen),
                           Label(121, 54, "-y"), Fill(132, 51, 135, 53, kGreen), Label(132, 54, "-y"),
                           "DeleteObject 0x0000FF00", "GetGroupThrusterCount 4 -> 1", "CreateSolidBrush 0x0000FFFF",
                           "GetGroupThruster 4 0", "GetThrusterLevel 4 0 -> 0.5", Fill(124, 204, 131, 209, kYellow),
                           Label(124, 210, "-y"), "DeleteObject 0x0000FFFF"}));
}

TEST_F(ReadoutTest, AxialGroupsReadOnlyThrusterZero) {
  state().SetThrusters(13, {0.5, 0.7});
  VitalsMFD::DrawAxialGroups(hdc, kVirtualScale, focus());
  EXPECT_EQ(Take(), (Lines{"GetGroupThrusterCount 13 -> 2", "CreateSolidBrush 0x0000FF00", "GetGroupThruster 13 0",
                           "GetThrusterLevel 13 0 -> 0.5", Fill(124, 204, 131, 209, kGreen), Label(124, 209, "-z"),
                           "DeleteObject 0x0000FF00", "GetGroupThrusterCount 14 -> 0", "CreateSolidBrush 0x0000FFFF",
                           "DeleteObject 0x0000FFFF"}));
}

TEST_F(ReadoutTest, EmptyPairGroupsStillMakeAndReleaseTheirFill) {
  VitalsMFD::DrawYawGroups(hdc, kPanelScale, focus());
  EXPECT_EQ(Take(), (Lines{"GetGroupThrusterCount 5 -> 0", "CreateSolidBrush 0x0000FFFF", "DeleteObject 0x0000FFFF",
                           "GetGroupThrusterCount 6 -> 0", "CreateSolidBrush 0x0000FF00",
                           "DeleteObject 0x0000FF00"}));
}

TEST_F(ReadoutTest, PairGroupsFeedTheirPlacesAndNeverReadAThirdThruster) {
  // Scale 1 puts design units on pixels.
  for (int group = 5; group <= 12; ++group) state().SetThrusters(group, {1.0, 1.0, 1.0});
  VitalsMFD::DrawYawGroups(hdc, 1.0, focus());
  Lines lines = Take();
  EXPECT_EQ(Drawn(lines), (Lines{Fill(128, 245, 140, 249, kYellow), Fill(169, 64, 181, 68, kYellow),
                                 Fill(140, 64, 152, 68, kGreen), Fill(180, 245, 192, 249, kGreen)}));
  EXPECT_EQ(Only(lines, {"GetGroupThruster "}),
            (Lines{"GetGroupThruster 5 0", "GetGroupThruster 5 1", "GetGroupThruster 6 0", "GetGroupThruster 6 1"}));

  VitalsMFD::DrawLateralGroups(hdc, 1.0, focus());
  EXPECT_EQ(Drawn(Take()), (Lines{Fill(140, 64, 152, 68, kGreen), Fill(128, 245, 140, 249, kGreen),
                                  Fill(169, 64, 181, 68, kYellow), Fill(180, 245, 192, 249, kYellow)}));

  for (int group = 7; group <= 12; ++group) state().SetThrusters(group, {0.5, 0.5, 0.5});
  VitalsMFD::DrawBankGroups(hdc, 1.0, focus());
  lines = Take();
  EXPECT_EQ(Drawn(lines), (Lines{Fill(96, 175, 100, 169, kYellow), Label(96, 154, "+y"),
                                 Fill(219, 175, 223, 181, kYellow), Label(219, 182, "-y"),
                                 Fill(96, 175, 100, 181, kGreen), Label(96, 182, "-y"), Fill(219, 175, 223, 169, kGreen),
                                 Label(219, 154, "+y")}));
  EXPECT_EQ(Only(lines, {"GetGroupThruster "}),
            (Lines{"GetGroupThruster 7 0", "GetGroupThruster 7 1", "GetGroupThruster 8 0", "GetGroupThruster 8 1"}));

  VitalsMFD::DrawVerticalGroups(hdc, 1.0, focus());
  EXPECT_EQ(Drawn(Take()),
            (Lines{Fill(156, 256, 164, 262, kGreen), Label(156, 272, "-y"), Fill(152, 64, 156, 70, kGreen),
                   Label(152, 71, "-y"), Fill(165, 64, 169, 70, kGreen), Label(165, 71, "-y"),
                   Fill(156, 256, 164, 250, kYellow), Label(156, 235, "+y"), Fill(152, 64, 156, 58, kYellow),
                   Label(152, 33, "+y"), Fill(165, 64, 169, 58, kYellow), Label(165, 33, "+y")}));
}

// ---- levels ----

TEST_F(ReadoutTest, ThrustersAtRestDrawNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  state().SetThrusters(0, {0.0, -0.5, nan});
  state().SetThrusters(1, {-1e-300});
  state().SetThrusters(2, {0.0});
  state().SetThrusters(9, {nan, 0.0});
  state().SetThrusters(13, {-0.0});
  VitalsMFD::DrawMainGroup(hdc, kPanelScale, focus());
  VitalsMFD::DrawRetroGroup(hdc, kPanelScale, focus());
  VitalsMFD::DrawHoverGroup(hdc, kPanelScale, focus());
  VitalsMFD::DrawLateralGroups(hdc, kPanelScale, focus());
  VitalsMFD::DrawAxialGroups(hdc, kPanelScale, focus());
  const Lines lines = Take();
  EXPECT_EQ(Only(lines, {"GetThrusterLevel"}).size(), 8u);
  EXPECT_EQ(Drawn(lines), Lines{});
}

TEST_F(ReadoutTest, InfiniteAndHugeLevelsDrawSaturatedBars) {
  state().SetThrusters(0, {std::numeric_limits<double>::infinity()});
  state().SetThrusters(1, {1e300});
  VitalsMFD::DrawMainGroup(hdc, kVirtualScale, focus());
  VitalsMFD::DrawRetroGroup(hdc, kVirtualScale, focus());
  EXPECT_EQ(Drawn(Take()), (Lines{Fill(124, 204, 131, INT_MAX, kGreen), Fill(104, 79, 111, INT_MIN, kYellow)}));
}

// ---- the readout as a whole ----

class RcsSetTest : public ReadoutTest {
 protected:
  // Every group holds one firing thruster; returns the groups whose count was asked.
  Lines GroupsAsked(int attitudeMode, std::vector<int> navmodes) {
    for (int group = 0; group < sim::VesselState::kGroups; ++group) state().SetThrusters(group, {0.5});
    state().navmodes = std::move(navmodes);
    sim::TheHost().attitudeMode = attitudeMode;
    Take();
    VitalsMFD::DrawThrusterReadout(hdc, kPanelScale, focus());
    Lines groups;
    for (const std::string& line : Only(Take(), {"GetGroupThrusterCount "}))
      groups.push_back(line.substr(line.find(' ') + 1, line.find(" ->") - line.find(' ') - 1));
    return groups;
  }
  const Lines rotation{"0", "1", "1", "2", "5", "6", "3", "4", "7", "8"};
  const Lines translation{"0", "1", "1", "2", "9", "10", "13", "14", "11", "12"};
  const Lines engines{"0", "1", "1", "2"};
};

TEST_F(RcsSetTest, AttitudeModeChoosesTheSet) {
  EXPECT_EQ(GroupsAsked(1, {}), rotation);
  EXPECT_EQ(GroupsAsked(2, {}), translation);
  EXPECT_EQ(GroupsAsked(0, {}), engines);
  EXPECT_EQ(GroupsAsked(3, {}), engines);
}

TEST_F(RcsSetTest, EngagedAutopilotShowsRotationOnly) {
  EXPECT_EQ(GroupsAsked(2, {1}), rotation);  // Kill Rot
  EXPECT_EQ(GroupsAsked(0, {3}), rotation);  // Prograde
  EXPECT_EQ(GroupsAsked(2, {7}), translation);  // Hold Alt is not engaged
  EXPECT_EQ(GroupsAsked(0, {7}), engines);
  EXPECT_EQ(GroupsAsked(2, {7, 1}), translation);  // Hold Alt wins the line
}

TEST_F(ReadoutTest, ReadoutOrderWithNothingFitted) {
  VitalsMFD::DrawThrusterReadout(hdc, kPanelScale, focus());
  EXPECT_EQ(Take(),
            (Lines{"SetTextColor 0x0000C800", "GetNavmodeState 7 -> false", "GetNavmodeState 1 -> false",
                   "GetNavmodeState 2 -> false", "GetNavmodeState 3 -> false", "GetNavmodeState 4 -> false",
                   "GetNavmodeState 5 -> false", "GetNavmodeState 6 -> false", "SetTextColor 0x000000FF",
                   "TextOutA 251 240 3 \"off\"", "SetTextColor 0x0000C800", "TextOutA 233 240 4 \"AP: \"",
                   "CreateSolidBrush 0x0000FF00", "GetGroupThrusterCount 0 -> 0", "DeleteObject 0x0000FF00",
                   "CreateSolidBrush 0x0000FFFF", "GetGroupThrusterCount 1 -> 0", "DeleteObject 0x0000FFFF",
                   "GetGroupThrusterCount 2 -> 0", "oapiGetFocusAttitudeMode -> 0", "SetTextColor 0x0000C800",
                   "SetTextColor 0x000000FF", "TextOutA 258 260 3 \"off\"", "SetTextColor 0x0000C800",
                   "TextOutA 233 260 5 \"RCS: \""}));
}

TEST_F(ReadoutTest, GaugeLabelsInheritTheGreenOfTheRcsLine) {
  state().SetThrusters(3, {0.5});
  sim::TheHost().attitudeMode = 1;
  VitalsMFD::DrawThrusterReadout(hdc, kPanelScale, focus());
  const Lines lines = Only(Take(), {"SetTextColor", "TextOutA"});
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], "SetTextColor 0x0000C800");
  EXPECT_TRUE(lines[lines.size() - 2].ends_with("8 \"RCS: rot\"")) << lines[lines.size() - 2];
  EXPECT_TRUE(lines.back().ends_with("2 \"+y\"")) << lines.back();
}

}  // namespace
