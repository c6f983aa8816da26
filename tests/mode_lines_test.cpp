// The autopilot, aerodynamic-control, reaction-control and flight-status lines.
#include "page/indicators/mode_lines.h"

#include "page_fixture.h"

namespace {

using Words = std::initializer_list<std::pair<long, std::string>>;

const std::string kGreen = "SetTextColor 0x0000C800", kRed = "SetTextColor 0x000000FF";

// Green, the queries, then `text` at (260, y); no text: red "off" at (offX, y) before the green prefix.
Lines Line(Lines queries, int y, const std::string& text, int offX = 0, const std::string& prefix = "") {
  queries.insert(queries.begin(), kGreen);
  if (!text.empty()) queries.push_back(Text(260, y, text));
  else queries.insert(queries.end(), {kRed, Text(offX, y, "off"), kGreen, Text(260, y, prefix)});
  return queries;
}

using ModeLines = PageTest;

TEST_F(ModeLines, AutopilotAsksSevenThenOneToSixAndShowsTheFirstActive) {
  struct Case { std::vector<int> active; int asked; std::string text; bool engaged; };
  const int order[] = {7, 1, 2, 3, 4, 5, 6};
  for (const Case& c : std::initializer_list<Case>{
      {{}, 7, "", false}, {{1, 7}, 1, "AP: Hold Alt", false}, {{3, 1}, 2, "AP: Kill Rot", true},
      {{6, 5, 4, 3, 2}, 3, "AP: Level H", true}, {{6, 5, 4, 3}, 4, "AP: Prograde", true},
      {{6, 5, 4}, 5, "AP: Retrogr", true}, {{5, 6}, 6, "AP: OrbN(+)", true}, {{6}, 7, "AP: OrbN(-)", true}}) {
    SCOPED_TRACE(c.text);
    state().navmodes = c.active;
    Lines asked;
    for (int i = 0; i < c.asked; ++i)
      asked.push_back("GetNavmodeState " + std::to_string(order[i]) +
                      (i + 1 < c.asked || c.text.empty() ? " -> false" : " -> true"));
    EXPECT_EQ(DrawAutopilotLine(hdc, 1.0, focus()), c.engaged);
    EXPECT_EQ(Take(), Line(asked, 267, c.text, 280, "AP: "));
  }
}

TEST_F(ModeLines, AeroRcsAndFlightStatusWords) {
  for (const auto& [word, text] : Words{{0, ""}, {1, "AF: pitch"}, {2, "AF: N/A"}, {5, "AF: pitch"}, {6, "AF: N/A"},
                                        {7, "AF: on"}, {0x100, ""}, {0xF07, "AF: on"}}) {
    SCOPED_TRACE(word);
    state().adcMode = static_cast<DWORD>(word);
    DrawAeroControlLine(hdc, 1.0, focus());
    EXPECT_EQ(Take(), Line({"GetADCtrlMode -> " + std::to_string(word)}, 278, text, 280, "AF: "));
  }
  for (const auto& [mode, text] : Words{{0, ""}, {1, "RCS: rot"}, {2, "RCS: lin"}, {3, "RCS: N/A"}, {-1, "RCS: N/A"}}) {
    SCOPED_TRACE(mode);
    DrawRcsLine(hdc, 1.0, static_cast<int>(mode));
    EXPECT_EQ(Take(), Line({}, 289, text, 287, "RCS: "));
  }
  for (const auto& [word, text] : Words{{0, "In flight"}, {1, "Landed"}, {3, "Landed"}, {2, "Docked"}, {4, "N/A"},
                                        {0x100, "In flight"}, {0x102, "Docked"}}) {
    SCOPED_TRACE(word);
    state().flightStatus = static_cast<DWORD>(word);
    DrawFlightStatusLine(hdc, 1.0, focus());
    EXPECT_EQ(Take(), Line({"GetFlightStatus -> " + std::to_string(word)}, 300, text));
  }
}

}  // namespace
