// The static page: vessel schematic, colour key, brake note and parts legend.
#include "page/static/colour_key.h"
#include "page/static/schematic.h"
#include "page_fixture.h"

namespace {

using StaticPageTest = PageTest;

// Every legend text in drawing order, at its design position.
struct Placed { int x, y; std::string_view text; };
const Placed kLegendTexts[53] = {
    {145, 56, "1"}, {171, 56, "2"}, {90, 170, "3"}, {213, 170, "4"}, {133, 242, "5"}, {182, 242, "6"},
    {158, 256, "7"}, {121, 99, "8"}, {194, 99, "9"}, {143, 126, "10"}, {95, 222, "11"}, {188, 222, "12"},
    {126, 256, "13"}, {182, 256, "14"}, {26, 254, "15"}, {281, 254, "16"}, {64, 270, "17"}, {246, 270, "18"},
    {89, 270, "19"}, {220, 270, "20"}, {89, 204, "21"}, {200, 204, "22"}, {246, 283, "23"},
    {129, 0, "1. Yaw right/Pitch up/dn/Move up/dn/bck/right"}, {129, 11, "2. Yaw left/Pitch up/dn/Move up/dn/bck/left"},
    {242, 22, "3. Bank right/left"}, {242, 33, "4. Bank left/right"}, {216, 44, "5. Yaw left/Move right"},
    {216, 55, "6. Yaw right/Move left"}, {175, 66, "7. Pitch dn/up/Move up/dn/fwd"}, {230, 83, "8. Retro thrust left"},
    {230, 94, "9. Retro thrust right"}, {227, 105, "10. Hover thrust fwd"}, {227, 116, "11. Hover thrust aft"},
    {227, 127, "12. Hover thrust aft"}, {225, 138, "13. Main thrust left"}, {225, 149, "14. Main thrust right"},
    {3, 130, "15. Rudder"}, {3, 141, "16. Rudder"}, {3, 152, "17. Aileron"}, {3, 163, "18. Aileron"},
    {3, 174, "19. Elevator"}, {3, 185, "20. Elevator"}, {110, 267, "21. Wheel brake left"},
    {110, 278, "22. Wheel brake right"}, {110, 289, "23. AutoPilot/AF ctrl/"}, {128, 300, "RCS mode/Flight Status"},
    {265, 165, "+y(up)"}, {280, 200, "-y(dn)"}, {263, 183, "-x"}, {298, 183, "+x"}, {265, 196, "-z"}, {296, 170, "+z"},
};

// Scale 1 puts design units on pixels. The legend offset moves only lines 1 to
// 14, the axis labels and the arrows. Other scales: Refresh.EveryCoordinateIsScaledAndTruncated.
TEST_F(StaticPageTest, WholePageInOrderAtScaleOne) {
  const VitalsMFD mfd{256, 256, nullptr};
  Take();
  DrawVesselOutline(hdc, 1.0);
  DrawEnginesAndWheels(hdc, 1.0);
  DrawKeySwatches(hdc, 1.0);
  mfd.DrawKeyCaptions(hdc, 1.0);
  DrawBrakeNote(hdc, 1.0);
  mfd.DrawPartsLegend(hdc, 1.0, 40);
  Lines expected = {
      "Polygon 9 160,57 167,62 185,99 259,210 263,256 57,256 61,210 135,99 153,62",
      "Polyline 6 140,256 140,165 153,62 167,62 180,165 180,256", "Ellipse 155 91 166 125",
      "Polyline 4 152,256 156,266 139,266 143,256", "Polyline 4 177,256 181,266 164,266 168,256",
      "Polyline 4 61,256 61,245 105,245 105,256", "Polyline 4 215,256 215,245 259,245 259,256",
      "Rectangle 150 226 171 238", "Rectangle 155 114 166 125", "SetPixel 98 175 0x0000C800",
      "SetPixel 221 175 0x0000C800", "Ellipse 154 132 167 145", "Ellipse 106 216 119 229", "Ellipse 200 216 213 229",
      "Ellipse 158 77 163 87", "Ellipse 101 205 106 215", "Ellipse 213 205 218 215",
      // One brush per swatch, deleted right after its fill.
      "CreateSolidBrush 0x0000FF00", "FillRect 5 42 15 52 0x0000FF00", "DeleteObject 0x0000FF00",
      "CreateSolidBrush 0x0000FFFF", "FillRect 5 54 15 64 0x0000FFFF", "DeleteObject 0x0000FFFF",
      "CreateSolidBrush 0x00C0C0C0", "FillRect 5 88 15 98 0x00C0C0C0", "DeleteObject 0x00C0C0C0",
      "CreateSolidBrush 0x00FFFFFF", "FillRect 5 100 15 110 0x00FFFFFF", "DeleteObject 0x00FFFFFF",
      "SelectDefaultFont 1", "SetTextColor 0x0000C800", Text(18, 40, "+"), Text(19, 51, "-"),
      Text(26, 45, "Thrusters"), Text(18, 86, "+"), Text(19, 98, "-"), Text(26, 81, "Flight"), Text(26, 92, "Control"),
      Text(26, 103, "Surfaces"), "SetTextColor 0x000000FF", Text(3, 300, "Bw"), "SetTextColor 0x0000C800",
      Text(21, 300, "= Wheel brake ON"), "SelectDefaultFont 1", "SetTextColor 0x0000A5FF", "SelectDefaultPen 3"};
  for (std::size_t i = 0; i < std::size(kLegendTexts); ++i) {
    const bool shifted = (i >= 23 && i < 37) || i >= 47;
    expected.push_back(Text(kLegendTexts[i].x + (shifted ? 40 : 0), kLegendTexts[i].y, kLegendTexts[i].text));
  }
  // The x, y and z arrows, each x 40 beyond its design value.
  expected.insert(expected.end(), {"Polyline 6 316,191 316,189 315,190 335,190 334,191 334,189",
                                   "Polyline 6 326,199 324,199 325,200 325,180 326,181 324,181",
                                   "Polyline 6 315,199 316,200 315,200 335,180 334,180 335,181",
                                   "SetTextColor 0x0000C800"});
  EXPECT_EQ(Take(), expected);
}

}  // namespace
