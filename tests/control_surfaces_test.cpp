// Rudder, elevator and aileron bars, and the wheel-brake marks.
#include "page/indicators/control_surfaces.h"

#include <climits>
#include <cmath>

#include "page_fixture.h"
#include "tests/golden.h"

namespace {

const std::string kRed = "SetTextColor 0x000000FF";

Lines Cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::string Ask(std::string q, int i, double v) { return q + ' ' + std::to_string(i) + " -> " + sim::Field::Number(v); }
std::string Surface(int type, double level) { return Ask("GetControlSurfaceLevel", type, level); }
std::string Brake(int wheel, double level) { return Ask("GetWheelbrakeLevel", wheel, level); }

// A rudder marker at column x.
Lines Upright(int x) { return {"MoveToEx " + std::to_string(x) + " 247", "LineTo " + std::to_string(x) + " 255"}; }

// A marker across a vertical bar on `row`, then its label.
Lines Across(int x0, int x1, int row, int labelX, int labelRow, const std::string& label) {
  const std::string y = " " + std::to_string(row);
  return {"MoveToEx " + std::to_string(x0) + y, "LineTo " + std::to_string(x1) + y, Text(labelX, labelRow, label)};
}

using ControlSurfaces = PageTest;

TEST_F(ControlSurfaces, ZeroLevelsDrawTheAeroLineThenPenThreeAndSixNeutralBars) {
  const VitalsMFD mfd(256, 256, focus());
  Take();
  mfd.DrawControlSurfaces(hdc, 1.0, focus());
  ExpectGolden(Take(), "control-surfaces-neutral");
}

TEST_F(ControlSurfaces, MarkersAndLabelsMoveTwelveUnitsPerLevel) {
  void (*const draw[])(HDC, double, VESSEL*) = {DrawElevators, DrawRudders, DrawAilerons};  // by surface type
  struct Case { int type; double level; Lines marks; };
  for (const Case& c : std::initializer_list<Case>{
      {1, 1, Cat({Upright(44), Upright(299)})},
      {0, 1, Cat({Across(83, 91, 273, 90, 265, "+y"), Across(231, 239, 273, 222, 265, "+y")})},
      {0, -1, Cat({Across(83, 91, 297, 90, 289, "-y"), Across(231, 239, 297, 222, 289, "-y")})},
      {2, 1, Cat({Across(75, 83, 296, 66, 289, "-y"), Across(239, 247, 272, 246, 265, "+y")})},
      {2, -0.5, Cat({Across(75, 83, 278, 66, 271, "+y"), Across(239, 247, 290, 246, 283, "-y")})},
      // Not a number: markers on row 0, labels as for level 0.
      {0, NAN, Cat({Across(83, 91, 0, 90, 0, "+y"), Across(231, 239, 0, 222, 0, "+y")})},
      {2, NAN, Cat({Across(75, 83, 0, 66, 0, "-y"), Across(239, 247, 0, 246, 0, "-y")})},
      // Infinite: markers saturate, labels by the sign.
      {2, -INFINITY,
       Cat({Across(75, 83, INT_MIN, 66, INT_MIN, "+y"), Across(239, 247, INT_MAX, 246, INT_MAX, "-y")})}}) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " level " << c.level);
    state().controlSurfaces = {c.level, c.level, c.level};
    draw[c.type](hdc, 1.0, focus());
    EXPECT_EQ(Only(Take(), {"GetControlSurfaceLevel", "MoveToEx", "LineTo", "TextOutA"}),
              Cat({{Surface(c.type, c.level)}, c.marks}));
  }
}

TEST_F(ControlSurfaces, BrakeMarksBesideBrakedMainWheelsAndRedLeftSet) {
  for (const auto& [levels, expected] : std::initializer_list<std::pair<std::vector<double>, Lines>>{
           {{0, 0}, {kRed, Brake(1, 0), Brake(2, 0)}},
           {{0.3, 0}, {kRed, Brake(1, 0.3), Text(96, 204, "Bw"), Brake(2, 0)}},
           {{0, 1}, {kRed, Brake(1, 0), Brake(2, 1), Text(208, 204, "Bw")}},
           {{-0.25, NAN}, {kRed, Brake(1, -0.25), Brake(2, NAN)}}}) {
    SCOPED_TRACE(levels[0]);
    state().wheelBrakes = {1.0, levels[0], levels[1]};  // a query of wheel 0 would also draw a mark
    VitalsMFD::DrawWheelBrakes(hdc, 1.0, focus());
    EXPECT_EQ(Take(), expected);
  }
}

}  // namespace
