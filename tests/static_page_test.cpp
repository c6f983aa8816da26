// The static page: vessel schematic, colour key, brake note and parts legend.
#include <string>
#include <string_view>
#include <vector>

#include "page/static/colour_key.h"
#include "page/static/schematic.h"
#include "page_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string Text(int x, int y, std::string_view text) {
  return "TextOutA " + std::to_string(x) + ' ' + std::to_string(y) + ' ' + std::to_string(text.size()) + " \"" +
         std::string(text) + '"';
}

struct Placed {
  int x, y;
  std::string_view text;
};

Lines Slice(const Lines& lines, std::size_t from, std::size_t count) {
  return Lines(lines.begin() + from, lines.begin() + from + count);
}

class StaticPageTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    Take();
  }
  VitalsMFD& mfd() { return mfd_; }

 private:
  VitalsMFD mfd_{256, 256, nullptr};
};

using SchematicTest = StaticPageTest;
using ColourKeyTest = StaticPageTest;
using PartsLegendTest = StaticPageTest;

TEST_F(SchematicTest, OutlineDrawsElevenFiguresInOrder) {
  DrawVesselOutline(hdc, 1.0);
  EXPECT_EQ(Take(), (Lines{
                        "Polygon 9 160,57 167,62 185,99 259,210 263,256 57,256 61,210 135,99 153,62",
                        "Polyline 6 140,256 140,165 153,62 167,62 180,165 180,256",
                        "Ellipse 155 91 166 125",
                        "Polyline 4 152,256 156,266 139,266 143,256",
                        "Polyline 4 177,256 181,266 164,266 168,256",
                        "Polyline 4 61,256 61,245 105,245 105,256",
                        "Polyline 4 215,256 215,245 259,245 259,256",
                        "Rectangle 150 226 171 238",
                        "Rectangle 155 114 166 125",
                        "SetPixel 98 175 0x0000C800",
                        "SetPixel 221 175 0x0000C800",
                    }));
}

TEST_F(SchematicTest, OutlineTruncatesTowardZeroAtEachCockpitScale) {
  DrawVesselOutline(hdc, kPanelScale);
  Lines lines = Take();
  EXPECT_EQ(lines[0].rfind("Polygon 9 143,51 ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[5], "Polyline 4 54,230 54,220 94,220 94,230");

  DrawVesselOutline(hdc, kGenericScale);
  lines = Take();
  EXPECT_EQ(lines[0].rfind("Polygon 9 192,68 ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(" 315,307 "), std::string::npos) << lines[0];

  DrawVesselOutline(hdc, kVirtualScale);
  lines = Take();
  EXPECT_EQ(lines[0].rfind("Polygon 9 128,45 ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(" 45,204 "), std::string::npos) << lines[0];
}

TEST_F(SchematicTest, RingsThenWheelsRightHandOnesOneUnitInward) {
  DrawEnginesAndWheels(hdc, 1.0);
  EXPECT_EQ(Take(), (Lines{"Ellipse 154 132 167 145", "Ellipse 106 216 119 229", "Ellipse 200 216 213 229",
                           "Ellipse 158 77 163 87", "Ellipse 101 205 106 215", "Ellipse 213 205 218 215"}));
  DrawEnginesAndWheels(hdc, kPanelScale);
  EXPECT_EQ(Take()[5], "Ellipse 191 184 196 193");
}

TEST_F(ColourKeyTest, EachSwatchHasItsOwnBrushDeletedAfterItsFill) {
  DrawKeySwatches(hdc, kGenericScale);
  EXPECT_EQ(Take(), (Lines{
                        "CreateSolidBrush 0x0000FF00", "FillRect 6 50 18 62 0x0000FF00", "DeleteObject 0x0000FF00",
                        "CreateSolidBrush 0x0000FFFF", "FillRect 6 64 18 76 0x0000FFFF", "DeleteObject 0x0000FFFF",
                        "CreateSolidBrush 0x00C0C0C0", "FillRect 6 105 18 117 0x00C0C0C0", "DeleteObject 0x00C0C0C0",
                        "CreateSolidBrush 0x00FFFFFF", "FillRect 6 120 18 132 0x00FFFFFF", "DeleteObject 0x00FFFFFF",
                    }));
}

TEST_F(ColourKeyTest, PanelScaleShrinksTheSurfaceSwatchGapToOnePixel) {
  DrawKeySwatches(hdc, kPanelScale);
  const Lines lines = Take();
  EXPECT_EQ(lines[1], "FillRect 4 37 13 46 0x0000FF00");
  EXPECT_EQ(lines[7], "FillRect 4 79 13 88 0x00C0C0C0");
  EXPECT_EQ(lines[10], "FillRect 4 89 13 98 0x00FFFFFF");
}

TEST_F(ColourKeyTest, CaptionsInFontOneAndTextGreen) {
  mfd().DrawKeyCaptions(hdc, 1.0);
  EXPECT_EQ(Take(), (Lines{"SelectDefaultFont 1", "SetTextColor 0x0000C800", "TextOutA 18 40 1 \"+\"",
                           "TextOutA 19 51 1 \"-\"", "TextOutA 26 45 9 \"Thrusters\"", "TextOutA 18 86 1 \"+\"",
                           "TextOutA 19 98 1 \"-\"", "TextOutA 26 81 6 \"Flight\"", "TextOutA 26 92 7 \"Control\"",
                           "TextOutA 26 103 8 \"Surfaces\""}));
}

TEST_F(ColourKeyTest, BrakeNoteRedMarkThenGreenMeaningOnTheBottomLine) {
  const struct {
    double scale;
    int markX, noteX, y;
  } cases[] = {{kGenericScale, 3, 25, 360}, {kVirtualScale, 2, 16, 240}, {kPanelScale, 2, 18, 269}};
  for (const auto& c : cases) {
    DrawBrakeNote(hdc, c.scale);
    EXPECT_EQ(Take(), (Lines{"SetTextColor 0x000000FF", Text(c.markX, c.y, "Bw"), "SetTextColor 0x0000C800",
                             "TextOutA " + std::to_string(c.noteX) + ' ' + std::to_string(c.y) +
                                 " 16 \"= Wheel brake ON\""}))
        << c.scale;
  }
}

// Every legend text in drawing order, at its design position.
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

// Axis arrows x, y, z.
const int kArrows[3][12] = {{276, 191, 276, 189, 275, 190, 295, 190, 294, 191, 294, 189},
                            {286, 199, 284, 199, 285, 200, 285, 180, 286, 181, 284, 181},
                            {275, 199, 276, 200, 275, 200, 295, 180, 294, 180, 295, 181}};

// Right-hand column lines 1 to 14 and the axis labels follow the offset; nothing else does.
TEST_F(PartsLegendTest, FiftyThreeTextsThreeArrowsAndGreenLastOnlyRightSideShifted) {
  for (int offset : {0, -3, 40}) {
    mfd().DrawPartsLegend(hdc, 1.0, offset);
    Lines expected = {"SelectDefaultFont 1", "SetTextColor 0x0000A5FF", "SelectDefaultPen 3"};
    for (int i = 0; i < 53; ++i) {
      const bool shifts = (i >= 23 && i < 37) || i >= 47;
      expected.push_back(Text(kLegendTexts[i].x + (shifts ? offset : 0), kLegendTexts[i].y, kLegendTexts[i].text));
    }
    for (const auto& arrow : kArrows) {
      std::string line = "Polyline 6";
      for (int p = 0; p < 12; p += 2)
        line += ' ' + std::to_string(arrow[p] + offset) + ',' + std::to_string(arrow[p + 1]);
      expected.push_back(line);
    }
    expected.push_back("SetTextColor 0x0000C800");
    EXPECT_EQ(Take(), expected) << "offset " << offset;
  }
}

TEST_F(PartsLegendTest, OffsetIsAddedAfterScalingInEachCockpit) {
  mfd().DrawPartsLegend(hdc, kGenericScale, -3);
  Lines lines = Take();
  EXPECT_EQ(lines[3 + 23], "TextOutA 151 0 45 \"1. Yaw right/Pitch up/dn/Move up/dn/bck/right\"");
  EXPECT_EQ(lines[3 + 24], "TextOutA 151 13 43 \"2. Yaw left/Pitch up/dn/Move up/dn/bck/left\"");
  EXPECT_EQ(lines[3], "TextOutA 174 67 1 \"1\"");
  EXPECT_EQ(lines[3 + 37], "TextOutA 3 156 10 \"15. Rudder\"");
  EXPECT_EQ(lines[56], "Polyline 6 328,229 328,226 327,228 351,228 349,229 349,226");

  mfd().DrawPartsLegend(hdc, kVirtualScale, 5);
  lines = Take();
  EXPECT_EQ(lines[3 + 25], "TextOutA 198 17 18 \"3. Bank right/left\"");
  EXPECT_EQ(lines[3 + 50], "TextOutA 243 146 2 \"+x\"");

  mfd().DrawPartsLegend(hdc, kPanelScale, 0);
  EXPECT_EQ(Take()[3 + 25], "TextOutA 217 19 18 \"3. Bank right/left\"");
}

TEST_F(PartsLegendTest, RefreshDrawsTheLegendOnlyWhenAskedAndEndsInTextGreen) {
  sim::TheHost().cockpitMode = 3;
  renderWindow = sim::TheHost().renderWindow;
  mfd().Update(hdc);
  const Lines off = Take();
  showDescriptions = true;
  mfd().Update(hdc);
  const Lines on = Take();
  ASSERT_EQ(on.size(), off.size() + 60);

  std::size_t pen1 = 0;
  while (pen1 < off.size() && off[pen1] != "SelectDefaultPen 1") ++pen1;
  ASSERT_LT(pen1 + 46, off.size());
  EXPECT_EQ(off[pen1 + 1].rfind("Polygon 9 128,45 ", 0), 0u);
  EXPECT_EQ(off[pen1 + 12], "SelectDefaultPen 2");
  EXPECT_EQ(off[pen1 + 13], "Ellipse 123 105 133 116");
  EXPECT_EQ(off[pen1 + 19], "CreateSolidBrush 0x0000FF00");
  EXPECT_EQ(off[pen1 + 31], "SelectDefaultFont 1");
  EXPECT_EQ(off[pen1 + 42], "TextOutA 2 240 2 \"Bw\"");
  EXPECT_EQ(off[pen1 + 44], "TextOutA 16 240 16 \"= Wheel brake ON\"");
  EXPECT_EQ(off[pen1 + 45], "oapiGetFocusInterface");

  const std::size_t legend = pen1 + 45;
  EXPECT_EQ(Slice(on, 0, legend), Slice(off, 0, legend));
  EXPECT_EQ(on[legend], "SelectDefaultFont 1");
  EXPECT_EQ(on[legend + 59], "SetTextColor 0x0000C800");
  EXPECT_EQ(on[legend + 60], "oapiGetFocusInterface");
  EXPECT_EQ(Slice(on, legend + 60, off.size() - legend), Slice(off, legend, off.size() - legend));
}

}  // namespace
