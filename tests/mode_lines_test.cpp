// The autopilot, aerodynamic-control, reaction-control and flight-status lines.
#include "page/indicators/mode_lines.h"

#include "page_fixture.h"

namespace {

using Lines = std::vector<std::string>;

constexpr double kUnitScale = 1.0;  // pixels are design units

const std::string kGreen = "SetTextColor 0x0000C800";
const std::string kRed = "SetTextColor 0x000000FF";

std::string Nav(int mode, bool on) {
  return "GetNavmodeState " + std::to_string(mode) + (on ? " -> true" : " -> false");
}

// The colour the surface holds after the traced lines.
std::string LastColour(const Lines& lines) {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it)
    if (it->starts_with("SetTextColor")) return *it;
  return "none";
}

class AutopilotLine : public PageTest {};

TEST_F(AutopilotLine, NoModeActiveAsksAllSevenAndWritesRedOffBeforeGreenPrefix) {
  EXPECT_FALSE(DrawAutopilotLine(hdc, kUnitScale, focus()));
  EXPECT_EQ(Take(), (Lines{kGreen, Nav(7, false), Nav(1, false), Nav(2, false), Nav(3, false), Nav(4, false),
                           Nav(5, false), Nav(6, false), kRed, R"(TextOutA 280 267 3 "off")", kGreen,
                           R"(TextOutA 260 267 4 "AP: ")"}));
}

TEST_F(AutopilotLine, HoldAltitudeWinsAndStopsTheQuestions) {
  state().navmodes = {1, 7};
  EXPECT_FALSE(DrawAutopilotLine(hdc, kUnitScale, focus()));
  EXPECT_EQ(Take(), (Lines{kGreen, Nav(7, true), R"(TextOutA 260 267 12 "AP: Hold Alt")"}));
}

TEST_F(AutopilotLine, LowestModeWinsAfterHoldAltitude) {
  state().navmodes = {3, 1};
  EXPECT_TRUE(DrawAutopilotLine(hdc, kUnitScale, focus()));
  EXPECT_EQ(Take(), (Lines{kGreen, Nav(7, false), Nav(1, true), R"(TextOutA 260 267 12 "AP: Kill Rot")"}));
}

TEST_F(AutopilotLine, OrbitNormalMinusAloneIsAskedLast) {
  state().navmodes = {6};
  EXPECT_TRUE(DrawAutopilotLine(hdc, kUnitScale, focus()));
  EXPECT_EQ(Take(), (Lines{kGreen, Nav(7, false), Nav(1, false), Nav(2, false), Nav(3, false), Nav(4, false),
                           Nav(5, false), Nav(6, true), R"t(TextOutA 260 267 11 "AP: OrbN(-)")t"}));
}

TEST_F(AutopilotLine, EachModeAloneShowsItsTextAndResult) {
  struct Case {
    int mode;
    std::string text;
    bool engaged;
  };
  const Case cases[] = {
      {7, R"(12 "AP: Hold Alt")", false}, {1, R"(12 "AP: Kill Rot")", true}, {2, R"(11 "AP: Level H")", true},
      {3, R"(12 "AP: Prograde")", true},  {4, R"(11 "AP: Retrogr")", true},  {5, R"t(11 "AP: OrbN(+)")t", true},
      {6, R"t(11 "AP: OrbN(-)")t", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    state().navmodes = {c.mode};
    EXPECT_EQ(DrawAutopilotLine(hdc, kUnitScale, focus()), c.engaged);
    const Lines lines = Take();
    EXPECT_EQ(lines.back(), "TextOutA 260 267 " + c.text);
    EXPECT_EQ(LastColour(lines), kGreen);
  }
}

class AeroControlLine : public PageTest {};

TEST_F(AeroControlLine, ZeroWordWritesRedOffThenGreenPrefix) {
  DrawAeroControlLine(hdc, kUnitScale, focus());
  EXPECT_EQ(Take(), (Lines{kGreen, "GetADCtrlMode -> 0", kRed, R"(TextOutA 280 278 3 "off")", kGreen,
                           R"(TextOutA 260 278 4 "AF: ")"}));
}

TEST_F(AeroControlLine, ModeValuesZeroToSeven) {
  const char* const texts[8] = {nullptr,          R"(9 "AF: pitch")", R"(7 "AF: N/A")", R"(9 "AF: pitch")",
                                R"(7 "AF: N/A")", R"(9 "AF: pitch")", R"(7 "AF: N/A")", R"(6 "AF: on")"};
  for (DWORD word = 1; word < 8; ++word) {
    SCOPED_TRACE(word);
    state().adcMode = word;
    DrawAeroControlLine(hdc, kUnitScale, focus());
    EXPECT_EQ(Take(), (Lines{kGreen, "GetADCtrlMode -> " + std::to_string(word),
                             std::string("TextOutA 260 278 ") + texts[word]}));
  }
}

TEST_F(AeroControlLine, OnlyTheLowEightBitsCount) {
  state().adcMode = 0x100;
  DrawAeroControlLine(hdc, kUnitScale, focus());
  EXPECT_EQ(Take().back(), R"(TextOutA 260 278 4 "AF: ")");
  state().adcMode = 0xF07;
  DrawAeroControlLine(hdc, kUnitScale, focus());
  EXPECT_EQ(Take().back(), R"(TextOutA 260 278 6 "AF: on")");
}

class RcsLine : public PageTest {};

TEST_F(RcsLine, OffModeWritesRedOffThenGreenPrefixWithoutAskingTheVessel) {
  DrawRcsLine(hdc, kUnitScale, focus(), 0);
  EXPECT_EQ(Take(), (Lines{kGreen, kRed, R"(TextOutA 287 289 3 "off")", kGreen, R"(TextOutA 260 289 5 "RCS: ")"}));
}

TEST_F(RcsLine, RotationLinearAndUnknownModes) {
  const std::pair<int, std::string> cases[] = {
      {1, R"("RCS: rot")"}, {2, R"("RCS: lin")"}, {3, R"("RCS: N/A")"}, {-1, R"("RCS: N/A")"}};
  for (const auto& [mode, text] : cases) {
    SCOPED_TRACE(mode);
    DrawRcsLine(hdc, kUnitScale, focus(), mode);
    EXPECT_EQ(Take(), (Lines{kGreen, "TextOutA 260 289 8 " + text}));
  }
}

class FlightStatusLine : public PageTest {};

TEST_F(FlightStatusLine, StatusWordsAndLandedBeforeDocked) {
  const std::pair<DWORD, std::string> cases[] = {
      {0, R"(9 "In flight")"}, {1, R"(6 "Landed")"}, {3, R"(6 "Landed")"},   {2, R"(6 "Docked")"},
      {4, R"(3 "N/A")"},       {0x100, R"(9 "In flight")"}, {0x102, R"(6 "Docked")"}};
  for (const auto& [word, text] : cases) {
    SCOPED_TRACE(word);
    state().flightStatus = word;
    DrawFlightStatusLine(hdc, kUnitScale, focus());
    EXPECT_EQ(Take(), (Lines{kGreen, "GetFlightStatus -> " + std::to_string(word), "TextOutA 260 300 " + text}));
  }
}

class ModeLinesScaled : public PageTest {};

TEST_F(ModeLinesScaled, PanelScaleRowsAndColumnsTruncate) {
  DrawAutopilotLine(hdc, kPanelScale, focus());
  DrawAeroControlLine(hdc, kPanelScale, focus());
  DrawRcsLine(hdc, kPanelScale, focus(), 0);
  DrawFlightStatusLine(hdc, kPanelScale, focus());
  Lines texts;
  for (const std::string& line : Take())
    if (line.starts_with("TextOutA")) texts.push_back(line);
  EXPECT_EQ(texts, (Lines{R"(TextOutA 251 240 3 "off")", R"(TextOutA 233 240 4 "AP: ")",
                          R"(TextOutA 251 250 3 "off")", R"(TextOutA 233 250 4 "AF: ")",
                          R"(TextOutA 258 260 3 "off")", R"(TextOutA 233 260 5 "RCS: ")",
                          R"(TextOutA 233 269 9 "In flight")"}));
}

TEST_F(ModeLinesScaled, EveryLineLeavesTheColourGreenEvenFromRed) {
  const auto fromRed = [&] { SetTextColor(hdc, RGB(255, 0, 0)); };
  fromRed();
  DrawAutopilotLine(hdc, kGenericScale, focus());
  EXPECT_EQ(LastColour(Take()), kGreen);
  fromRed();
  DrawAeroControlLine(hdc, kGenericScale, focus());
  EXPECT_EQ(LastColour(Take()), kGreen);
  fromRed();
  DrawRcsLine(hdc, kGenericScale, focus(), 0);
  EXPECT_EQ(LastColour(Take()), kGreen);
  fromRed();
  DrawFlightStatusLine(hdc, kGenericScale, focus());
  EXPECT_EQ(LastColour(Take()), kGreen);
}

}  // namespace
