// Level gauges: bar rectangles, labels and lengths, traced at the cockpit scales.
#include "page/indicators/gauges.h"

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "page_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string Fill(long l, long t, long r, long b) {
  return "FillRect " + std::to_string(l) + ' ' + std::to_string(t) + ' ' + std::to_string(r) + ' ' +
         std::to_string(b) + " 0x0000FF00";
}

std::string Label(long x, long y, const char* text) {
  return "TextOutA " + std::to_string(x) + ' ' + std::to_string(y) + " 2 \"" + text + '"';
}

class GaugeTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    fill = CreateSolidBrush(0x0000FF00);
    Take();
  }
  void TearDown() override {
    DeleteObject(fill);
    PageTest::TearDown();
  }
  HBRUSH fill = nullptr;
};

TEST(GaugeLength, LinearIsTwelveUnitsPerLevelAndLogGivesSixUnitsPerDecade) {
  logExhausts = false;
  EXPECT_EQ(GaugeLength(1.0), 12.0);
  EXPECT_EQ(GaugeLength(0.5), 6.0);
  EXPECT_NEAR(GaugeLength(0.001), 0.012, 1e-12);
  logExhausts = true;
  const struct {
    double level, length;
  } samples[] = {{0.001, 1.248}, {0.01, 2.806}, {0.1, 7.248}, {0.5, 11.245}, {1.0, 13.026}};
  for (const auto& s : samples) EXPECT_NEAR(GaugeLength(s.level), s.length, 5e-4) << s.level;
  EXPECT_GT(GaugeLength(1e-9), 1.0);  // any positive level is at least one unit
  logExhausts = false;
}

TEST_F(GaugeTest, MainAndRetroBarsAtEachCockpitScale) {
  const struct {
    double scale;
    Lines main, retro;
  } cases[] = {
      {kVirtualScale, {Fill(114, 204, 121, 214)}, {Fill(104, 79, 111, 71)}},
      {kGenericScale, {Fill(171, 307, 182, 322)}, {Fill(157, 118, 166, 106)}},
      {kPanelScale, {Fill(128, 230, 136, 241)}, {Fill(117, 89, 125, 80)}},
  };
  for (const auto& c : cases) {
    DrawMainGauge(hdc, fill, 0.5, 0, c.scale);
    EXPECT_EQ(Take(), c.main) << c.scale;
    DrawRetroGauge(hdc, fill, 0.5, 0, c.scale);
    EXPECT_EQ(Take(), c.retro) << c.scale;
  }
}

TEST_F(GaugeTest, HoverBarsAreLabelledAtTheirTip) {
  DrawHoverForeGauge(hdc, fill, 0.5, kPanelScale);
  DrawHoverAftGauge(hdc, fill, 0.5, 0, kPanelScale);
  DrawHoverAftGauge(hdc, fill, 0.5, 93, kPanelScale);
  EXPECT_EQ(Take(), (Lines{Fill(139, 124, 148, 135), Label(139, 135, "-y"), Fill(97, 199, 106, 211),
                           Label(97, 211, "-y"), Fill(180, 199, 189, 211), Label(180, 211, "-y")}));
}

TEST_F(GaugeTest, EngineBarsIgnoreTheLogScale) {
  logExhausts = true;
  DrawMainGauge(hdc, fill, 0.5, 0, kVirtualScale);
  DrawRetroGauge(hdc, fill, 0.5, 0, kVirtualScale);
  DrawHoverAftGauge(hdc, fill, 0.5, 93, kPanelScale);
  EXPECT_EQ(Take(), (Lines{Fill(114, 204, 121, 214), Fill(104, 79, 111, 71), Fill(180, 199, 189, 211),
                           Label(180, 211, "-y")}));
}

TEST_F(GaugeTest, SideBarsGrowOutwardFromTheirFixedEdge) {
  DrawForeLeftSideGauge(hdc, fill, 1.0, kPanelScale);
  DrawForeRightSideGauge(hdc, fill, 1.0, kPanelScale);
  DrawAftLeftSideGauge(hdc, fill, 1.0, kPanelScale);
  DrawAftRightSideGauge(hdc, fill, 1.0, kPanelScale);
  EXPECT_EQ(Take(), (Lines{Fill(125, 57, 136, 61), Fill(152, 57, 162, 61), Fill(115, 220, 125, 224),
                           Fill(161, 220, 172, 224)}));
  logExhausts = true;  // 13.026 units at full level
  DrawForeLeftSideGauge(hdc, fill, 1.0, kGenericScale);
  DrawAftRightSideGauge(hdc, fill, 1.0, kGenericScale);
  EXPECT_EQ(Take(), (Lines{Fill(166, 76, 182, 81), Fill(216, 294, 231, 298)}));
}

TEST_F(GaugeTest, AftAxialLabelFollowsTheLinearLengthInBothScales) {
  DrawAftAxialGauge(hdc, fill, 0.5, kVirtualScale);
  EXPECT_EQ(Take(), (Lines{Fill(124, 204, 131, 209), Label(124, 209, "-z")}));
  logExhausts = true;
  DrawAftAxialGauge(hdc, fill, 0.5, kVirtualScale);
  EXPECT_EQ(Take(), (Lines{Fill(124, 204, 131, 213), Label(124, 209, "-z")}));
}

TEST_F(GaugeTest, TinyLevelIsAnEmptyBarLinearlyButAtLeastOneUnitInLog) {
  DrawAftAxialGauge(hdc, fill, 0.001, kVirtualScale);
  EXPECT_EQ(Take(), (Lines{Fill(124, 204, 131, 204), Label(124, 204, "-z")}));
  logExhausts = true;  // 1.248 units
  DrawAftAxialGauge(hdc, fill, 0.001, kVirtualScale);
  EXPECT_EQ(Take(), (Lines{Fill(124, 204, 131, 205), Label(124, 204, "-z")}));
}

TEST_F(GaugeTest, ForeAxialGrowsUpWithItsLabelFifteenUnitsAboveTheTip) {
  DrawForeAxialGauge(hdc, fill, 0.25, 13, kGenericScale);
  EXPECT_EQ(Take(), (Lines{Fill(198, 76, 202, 73), Label(198, 55, "+z")}));
  logExhausts = true;
  DrawForeAxialGauge(hdc, fill, 0.25, 0, kGenericScale);
  EXPECT_EQ(Take(), (Lines{Fill(182, 76, 187, 65), Label(182, 55, "+z")}));
}

TEST_F(GaugeTest, LeftWingVerticalAtEachCockpitScale) {
  const struct {
    double scale;
    Lines expected;
  } cases[] = {
      {kVirtualScale, {Fill(76, 140, 80, 135), Label(76, 123, "+y")}},
      {kGenericScale, {Fill(115, 210, 120, 202), Label(115, 184, "+y")}},
      {kPanelScale, {Fill(86, 157, 89, 152), Label(86, 138, "+y")}},
  };
  for (const auto& c : cases) {
    DrawLeftWingVerticalGauge(hdc, fill, 0.5, -15, c.scale);
    EXPECT_EQ(Take(), c.expected) << c.scale;
  }
}

TEST_F(GaugeTest, SignedVerticalsGrowAndAreLabelledBySignOnly) {
  DrawRightWingVerticalGauge(hdc, fill, 0.5, 1, kVirtualScale);
  DrawRightWingVerticalGauge(hdc, fill, 0.75, 1, kVirtualScale);
  DrawRightWingVerticalGauge(hdc, fill, 0.75, -15, kVirtualScale);
  DrawAftVerticalGauge(hdc, fill, 0.5, 10, kVirtualScale);
  DrawForeVerticalGauge(hdc, fill, 0.25, 13, 1, kGenericScale);
  DrawForeVerticalGauge(hdc, fill, 0.25, 0, -25, kGenericScale);
  EXPECT_EQ(Take(), (Lines{Fill(175, 140, 178, 144), Label(175, 145, "-y"), Fill(175, 140, 178, 147),
                           Label(175, 148, "-y"), Fill(175, 140, 178, 132), Label(175, 120, "+y"),
                           Fill(124, 204, 131, 209), Label(124, 217, "-y"), Fill(198, 76, 202, 80),
                           Label(198, 81, "-y"), Fill(182, 76, 187, 73), Label(182, 43, "+y")}));
}

TEST_F(GaugeTest, HugeAndInfiniteLevelsSaturateAtTheIntLimits) {
  const double inf = std::numeric_limits<double>::infinity();
  DrawMainGauge(hdc, fill, inf, 0, kVirtualScale);
  DrawRetroGauge(hdc, fill, 1e300, 0, kVirtualScale);
  DrawHoverForeGauge(hdc, fill, inf, kVirtualScale);
  DrawForeAxialGauge(hdc, fill, inf, 0, kGenericScale);
  DrawLeftWingVerticalGauge(hdc, fill, 1e300, -15, kVirtualScale);
  logExhausts = true;
  DrawAftAxialGauge(hdc, fill, inf, kVirtualScale);
  EXPECT_EQ(Take(), (Lines{Fill(114, 204, 121, INT_MAX), Fill(104, 79, 111, INT_MIN), Fill(124, 110, 132, INT_MAX),
                           Label(124, INT_MAX, "-y"), Fill(182, 76, 187, INT_MIN), Label(182, INT_MIN, "+z"),
                           Fill(76, 140, 80, INT_MIN), Label(76, INT_MIN, "+y"), Fill(124, 204, 131, INT_MAX),
                           Label(124, INT_MAX, "-z")}));
}

}  // namespace
