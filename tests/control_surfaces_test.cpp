// Rudder, elevator and aileron bars, and the wheel-brake marks.
#include "page/indicators/control_surfaces.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <optional>

#include "page_fixture.h"

namespace {

using Lines = std::vector<std::string>;

constexpr double kUnitScale = 1.0;  // pixels are design units
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const std::string kGreen = "SetTextColor 0x0000C800";
const std::string kRed = "SetTextColor 0x000000FF";
const std::string kGrey = "0x00C0C0C0";
const std::string kWhite = "0x00FFFFFF";

Lines Cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::string Number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string SurfaceQuery(int type, double level) {
  return "GetControlSurfaceLevel " + std::to_string(type) + " -> " + Number(level);
}

std::string BrakeQuery(int wheel, double level) {
  return "GetWheelbrakeLevel " + std::to_string(wheel) + " -> " + Number(level);
}

// A bar half: its own brush around one fill.
Lines Fill(int l, int t, int r, int b, const std::string& colour) {
  return {"CreateSolidBrush " + colour,
          "FillRect " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
              std::to_string(b) + " " + colour,
          "DeleteObject " + colour};
}

Lines Marker(int x0, int y0, int x1, int y1) {
  return {"MoveToEx " + std::to_string(x0) + " " + std::to_string(y0),
          "LineTo " + std::to_string(x1) + " " + std::to_string(y1)};
}

std::string Text(int x, int y, const std::string& text) {
  return "TextOutA " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(text.size()) + " \"" +
         text + "\"";
}

Lines Only(const Lines& lines, const std::string& prefix) {
  Lines kept;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(kept),
               [&](const std::string& line) { return line.starts_with(prefix); });
  return kept;
}

// Both rudder bars with their markers at the given columns.
Lines RudderTrace(int leftX, int rightX) {
  return Cat({Fill(20, 249, 32, 253, kWhite), Fill(33, 249, 45, 253, kGrey), Marker(leftX, 247, leftX, 255),
              Fill(275, 249, 287, 253, kWhite), Fill(288, 249, 300, 253, kGrey), Marker(rightX, 247, rightX, 255)});
}

// Both elevator bars: markers on one row, labels on another.
Lines ElevatorTrace(int row, int labelRow, const std::string& label) {
  return Cat({Fill(85, 272, 89, 284, kGrey), Fill(85, 285, 89, 297, kWhite), Marker(83, row, 91, row),
              {Text(90, labelRow, label)}, Fill(233, 272, 237, 284, kGrey), Fill(233, 285, 237, 297, kWhite),
              Marker(231, row, 239, row), {Text(222, labelRow, label)}});
}

struct AileronMark {
  int row;
  int labelRow;
  std::string label;
};

Lines AileronTrace(const AileronMark& left, const AileronMark& right) {
  return Cat({Fill(77, 272, 81, 284, kWhite), Fill(77, 285, 81, 297, kGrey), Marker(75, left.row, 83, left.row),
              {Text(66, left.labelRow, left.label)}, Fill(241, 272, 245, 284, kGrey),
              Fill(241, 285, 245, 297, kWhite), Marker(239, right.row, 247, right.row),
              {Text(246, right.labelRow, right.label)}});
}

class RudderBars : public PageTest {};

TEST_F(RudderBars, NeutralMarkersStandInTheGapColumns) {
  DrawRudders(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(1, 0)}, RudderTrace(32, 287)}));
}

TEST_F(RudderBars, FullDeflectionReachesTheOuterColumnsOfEachHalf) {
  state().controlSurfaces[AIRCTRL_RUDDER] = 1;
  DrawRudders(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(1, 1)}, RudderTrace(44, 299)}));
  state().controlSurfaces[AIRCTRL_RUDDER] = -1;
  DrawRudders(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(1, -1)}, RudderTrace(20, 275)}));
}

TEST_F(RudderBars, WhiteHalfAtPanelAndVirtualScales) {
  DrawRudderBar(hdc, 0, 0, kPanelScale);
  EXPECT_EQ(Only(Take(), "FillRect").front(), "FillRect 17 224 28 227 " + kWhite);
  DrawRudderBar(hdc, 0, 0, kVirtualScale);
  EXPECT_EQ(Only(Take(), "FillRect").front(), "FillRect 16 199 25 202 " + kWhite);
}

class ElevatorBars : public PageTest {};

TEST_F(ElevatorBars, NeutralMarkersOnTheFirstRowOfTheLowerHalf) {
  DrawElevators(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(0, 0)}, ElevatorTrace(285, 277, "+y")}));
}

TEST_F(ElevatorBars, PositiveLevelMovesBothMarkersUp) {
  state().controlSurfaces[AIRCTRL_ELEVATOR] = 1;
  DrawElevators(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(0, 1)}, ElevatorTrace(273, 265, "+y")}));
  state().controlSurfaces[AIRCTRL_ELEVATOR] = -1;
  DrawElevators(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(0, -1)}, ElevatorTrace(297, 289, "-y")}));
}

TEST_F(ElevatorBars, LabelFollowsTheLevelWhateverTheDirection) {
  DrawElevatorBar(hdc, 1, 0, 0, +1, kUnitScale);
  EXPECT_EQ(Take(), Cat({Fill(85, 272, 89, 284, kGrey), Fill(85, 285, 89, 297, kWhite), Marker(83, 297, 91, 297),
                         {Text(90, 289, "+y")}}));
}

TEST_F(ElevatorBars, GenericAndPanelScalesTruncate) {
  DrawElevatorBar(hdc, 0, 0, 0, -1, kGenericScale);
  const Lines generic = Take();
  EXPECT_EQ(Only(generic, "FillRect").front(), "FillRect 102 326 106 340 " + kGrey);
  EXPECT_EQ(Only(generic, "MoveToEx"), Lines{"MoveToEx 99 342"});
  EXPECT_EQ(Only(generic, "LineTo"), Lines{"LineTo 109 342"});
  DrawElevatorBar(hdc, 0, 0, 0, -1, kPanelScale);
  EXPECT_EQ(Only(Take(), "TextOutA"), Lines{Text(80, 249, "+y")});
}

class AileronBars : public PageTest {};

TEST_F(AileronBars, NeutralMarkersOnTheGapRowWithMinusLabels) {
  DrawAilerons(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(2, 0)}, AileronTrace({284, 277, "-y"}, {284, 277, "-y"})}));
}

TEST_F(AileronBars, MarkersMoveOppositeWays) {
  state().controlSurfaces[AIRCTRL_AILERON] = 1;
  DrawAilerons(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(2, 1)}, AileronTrace({296, 289, "-y"}, {272, 265, "+y"})}));
  state().controlSurfaces[AIRCTRL_AILERON] = -1;
  DrawAilerons(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(2, -1)}, AileronTrace({272, 265, "+y"}, {296, 289, "-y"})}));
  state().controlSurfaces[AIRCTRL_AILERON] = -0.5;
  DrawAilerons(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{SurfaceQuery(2, -0.5)}, AileronTrace({278, 271, "+y"}, {290, 283, "-y"})}));
}

class ControlSurfaces : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    mfd.emplace(256, 256, focus());
    Take();
  }
  std::optional<VitalsMFD> mfd;
};

TEST_F(ControlSurfaces, AeroLineThenPenThreeThenRuddersElevatorsAilerons) {
  mfd->DrawControlSurfaces(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), Cat({{kGreen, "GetADCtrlMode -> 0", kRed, Text(280, 278, "off"), kGreen, Text(260, 278, "AF: "),
                          "SelectDefaultPen 3", SurfaceQuery(1, 0)},
                         RudderTrace(32, 287),
                         {SurfaceQuery(0, 0)},
                         ElevatorTrace(285, 277, "+y"),
                         {SurfaceQuery(2, 0)},
                         AileronTrace({284, 277, "-y"}, {284, 277, "-y"})}));
}

TEST_F(ControlSurfaces, NonFiniteAndHugeLevelsDrawWithDefinedLabels) {
  struct Case {
    double level;
    Lines labels;  // left elevator, right elevator, left aileron, right aileron
  };
  const Case cases[] = {
      {kNaN, {"+y", "+y", "-y", "-y"}},  {kInf, {"+y", "+y", "-y", "+y"}},   {-kInf, {"-y", "-y", "+y", "-y"}},
      {1e300, {"+y", "+y", "-y", "+y"}}, {-1e300, {"-y", "-y", "+y", "-y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    state().controlSurfaces = {c.level, c.level, c.level};
    mfd->DrawControlSurfaces(hdc, kUnitScale, focus());
    const Lines lines = Take();
    Lines labels;
    for (const std::string& line : Only(lines, "TextOutA")) {
      if (line.ends_with("\"+y\"")) labels.push_back("+y");
      if (line.ends_with("\"-y\"")) labels.push_back("-y");
    }
    EXPECT_EQ(labels, c.labels);
    EXPECT_EQ(Only(lines, "CreateSolidBrush").size(), 12u);
    EXPECT_EQ(Only(lines, "DeleteObject").size(), 12u);
  }
}

class WheelBrakes : public PageTest {
 protected:
  // Wheel 0 is braked so that a query of it would show.
  void Brakes(double left, double right) { state().wheelBrakes = {1.0, left, right}; }
};

TEST_F(WheelBrakes, NoBrakeNoMarkAndTheColourStaysRed) {
  Brakes(0, 0);
  VitalsMFD::DrawWheelBrakes(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), (Lines{kRed, BrakeQuery(1, 0), BrakeQuery(2, 0)}));
}

TEST_F(WheelBrakes, EachBrakedWheelGetsItsMark) {
  Brakes(0.3, 0);
  VitalsMFD::DrawWheelBrakes(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), (Lines{kRed, BrakeQuery(1, 0.3), Text(96, 204, "Bw"), BrakeQuery(2, 0)}));
  Brakes(0, 1);
  VitalsMFD::DrawWheelBrakes(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), (Lines{kRed, BrakeQuery(1, 0), BrakeQuery(2, 1), Text(208, 204, "Bw")}));
}

TEST_F(WheelBrakes, NegativeAndNaNLevelsDrawNothing) {
  Brakes(-0.25, kNaN);
  VitalsMFD::DrawWheelBrakes(hdc, kUnitScale, focus());
  EXPECT_EQ(Only(Take(), "TextOutA"), Lines{});
}

TEST_F(WheelBrakes, MarkerUsesTheCurrentColourAndTruncates) {
  DrawBrakeMarker(hdc, 0, kPanelScale);
  EXPECT_EQ(Take(), Lines{Text(86, 183, "Bw")});
}

class Refresh : public PageTest {};

TEST_F(Refresh, ControlSurfacesBrakesAndFlightStatusCloseThePage) {
  renderWindow = sim::TheHost().renderWindow;
  sim::TheHost().cockpitMode = 3;  // virtual cockpit: scale 0.8 whatever the configuration
  state().wheelBrakes = {0.0, 0.5, 0.5};
  state().flightStatus = 1;
  VitalsMFD mfd(256, 256, focus());
  Take();
  mfd.Update(hdc);
  const Lines lines = Take();
  const auto aero = std::find(lines.begin(), lines.end(), "GetADCtrlMode -> 0");
  ASSERT_NE(aero, lines.end());
  const Lines tail(aero - 1, lines.end());
  ASSERT_GE(tail.size(), 9u);
  EXPECT_EQ(tail.front(), kGreen);
  EXPECT_EQ(tail[6], "SelectDefaultPen 3");
  EXPECT_EQ(Only(tail, "CreateSolidBrush").size(), 12u);
  EXPECT_EQ(Only(tail, "MoveToEx").size(), 6u);
  const Lines last(tail.end() - 9, tail.end());
  EXPECT_EQ(last, (Lines{kRed, BrakeQuery(1, 0.5), Text(76, 163, "Bw"), BrakeQuery(2, 0.5), Text(166, 163, "Bw"),
                         kGreen, "GetFlightStatus -> 1", Text(208, 240, "Landed"), "EndPaint"}));
}

}  // namespace
