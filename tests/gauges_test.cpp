// Level gauges: bar lengths, truncation at the cockpit scales, the log option
// and saturation. Placement of every renderer is traced by the readout tests.
#include "page/indicators/gauges.h"

#include <climits>
#include <limits>
#include <string>
#include <tuple>
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
  void SetUp() override { PageTest::SetUp(); fill = CreateSolidBrush(0x0000FF00); Take(); }
  void TearDown() override { DeleteObject(fill); PageTest::TearDown(); }
  HBRUSH fill = nullptr;
};

TEST_F(GaugeTest, LengthIsTwelveUnitsPerLevelOrSixUnitsPerDecade) {
  for (auto [log, level, length] : {std::tuple{false, 0.5, 6.0}, {false, 0.001, 0.012}, {true, 0.001, 1.248},
                                     {true, 0.1, 7.248}, {true, 1.0, 13.026}}) {
    logExhausts = log;
    EXPECT_NEAR(GaugeLength(level), length, 5e-4) << log << ' ' << level;
  }
}

TEST_F(GaugeTest, EngineBarsTruncateAtEachScaleAndIgnoreTheLogOption) {
  for (bool log : {false, true}) {
    logExhausts = log;
    for (double scale : {kVirtualScale, kGenericScale, kPanelScale}) {
      DrawMainGauge(hdc, fill, 0.5, 0, scale);
      DrawRetroGauge(hdc, fill, 0.5, 51, scale);
    }
    EXPECT_EQ(Take(), (Lines{Fill(114, 204, 121, 214), Fill(145, 79, 152, 71), Fill(171, 307, 182, 322),
                             Fill(218, 118, 228, 106), Fill(128, 230, 136, 241), Fill(163, 89, 170, 80)}))
        << log;
  }
}

// Reaction-control bars take the log length when it is set; labels always
// follow the linear length; a tiny level is an empty bar only linearly.
TEST_F(GaugeTest, ReactionControlBarsInBothLengthScales) {
  const Lines linear = {Fill(168, 76, 182, 81), Fill(124, 204, 131, 204), Label(124, 204, "-z"),
                        Fill(198, 76, 202, 73), Label(198, 55, "+z"),   Fill(76, 140, 80, 135), Label(76, 123, "+y")};
  const Lines log = {Fill(166, 76, 182, 81), Fill(124, 204, 131, 205), Label(124, 204, "-z"),
                     Fill(198, 76, 202, 65), Label(198, 55, "+z"),   Fill(76, 140, 80, 131), Label(76, 123, "+y")};
  for (bool on : {false, true}) {
    logExhausts = on;
    DrawForeLeftSideGauge(hdc, fill, 1.0, kGenericScale);
    DrawAftAxialGauge(hdc, fill, 0.001, kVirtualScale);
    DrawForeAxialGauge(hdc, fill, 0.25, 13, kGenericScale);
    DrawLeftWingVerticalGauge(hdc, fill, 0.5, -15, kVirtualScale);
    EXPECT_EQ(Take(), on ? log : linear) << on;
  }
}

TEST_F(GaugeTest, InfiniteAndHugeLevelsSaturateAtTheIntLimits) {
  const double inf = std::numeric_limits<double>::infinity();
  DrawMainGauge(hdc, fill, inf, 0, kVirtualScale);
  DrawRetroGauge(hdc, fill, 1e300, 0, kVirtualScale);
  logExhausts = true;
  DrawAftAxialGauge(hdc, fill, inf, kVirtualScale);
  EXPECT_EQ(Take(), (Lines{Fill(114, 204, 121, INT_MAX), Fill(104, 79, 111, INT_MIN), Fill(124, 204, 131, INT_MAX),
                           Label(124, INT_MAX, "-z")}));
}

}  // namespace
