#include "page/indicators/mode_lines.h"

#include <string_view>

#include "page/pixel.h"
#include "page/colours.h"
#include "page/text.h"

namespace {

// Every line starts at this column; "off" stands further right.
constexpr int kLineX = 260;

void WriteAt(HDC hDC, double scale, int x, int y, std::string_view text) {
  WriteText(hDC, Px(x, scale), Px(y, scale), text);
}

// A switched-off line: red "off" first, then the green prefix.
void WriteOff(HDC hDC, double scale, int offX, int y, std::string_view prefix) {
  SetTextColor(hDC, kRed);
  WriteAt(hDC, scale, offX, y, "off");
  SetTextColor(hDC, kTextGreen);
  WriteAt(hDC, scale, kLineX, y, prefix);
}

struct AutopilotMode {
  int navmode;
  std::string_view text;
  bool engaged;
};

// Asked in this order; the first active mode is shown.
constexpr AutopilotMode kAutopilotModes[] = {
    {7, "AP: Hold Alt", false}, {1, "AP: Kill Rot", true}, {2, "AP: Level H", true},
    {3, "AP: Prograde", true},  {4, "AP: Retrogr", true},  {5, "AP: OrbN(+)", true},
    {6, "AP: OrbN(-)", true},
};

}  // namespace

bool DrawAutopilotLine(HDC hDC, double scale, VESSEL* vessel) {
  constexpr int kY = 267;
  SetTextColor(hDC, kTextGreen);
  for (const AutopilotMode& mode : kAutopilotModes) {
    if (vessel->GetNavmodeState(mode.navmode)) {
      WriteAt(hDC, scale, kLineX, kY, mode.text);
      return mode.engaged;
    }
  }
  WriteOff(hDC, scale, 280, kY, "AP: ");
  return false;
}

void DrawAeroControlLine(HDC hDC, double scale, VESSEL* vessel) {
  constexpr int kY = 278;
  constexpr DWORD kPitch = 1;
  constexpr DWORD kAllAxes = 7;  // pitch, roll and yaw
  SetTextColor(hDC, kTextGreen);
  const DWORD mode = vessel->GetADCtrlMode() & 0xFF;
  if (mode == 0)
    WriteOff(hDC, scale, 280, kY, "AF: ");
  else if ((mode & kAllAxes) == kAllAxes)
    WriteAt(hDC, scale, kLineX, kY, "AF: on");
  else if (mode & kPitch)
    WriteAt(hDC, scale, kLineX, kY, "AF: pitch");
  else
    WriteAt(hDC, scale, kLineX, kY, "AF: N/A");
}

void DrawRcsLine(HDC hDC, double scale, VESSEL*, int attitudeMode) {
  constexpr int kY = 289;
  SetTextColor(hDC, kTextGreen);
  switch (attitudeMode) {
    case 0:
      WriteOff(hDC, scale, 287, kY, "RCS: ");
      break;
    case 1:
      WriteAt(hDC, scale, kLineX, kY, "RCS: rot");
      break;
    case 2:
      WriteAt(hDC, scale, kLineX, kY, "RCS: lin");
      break;
    default:
      WriteAt(hDC, scale, kLineX, kY, "RCS: N/A");
      break;
  }
}

void DrawFlightStatusLine(HDC hDC, double scale, VESSEL* vessel) {
  constexpr int kY = 300;
  constexpr DWORD kLanded = 1;
  constexpr DWORD kDocked = 2;
  SetTextColor(hDC, kTextGreen);
  const DWORD status = vessel->GetFlightStatus() & 0xFF;
  if (status == 0)
    WriteAt(hDC, scale, kLineX, kY, "In flight");
  else if (status & kLanded)
    WriteAt(hDC, scale, kLineX, kY, "Landed");
  else if (status & kDocked)
    WriteAt(hDC, scale, kLineX, kY, "Docked");
  else
    WriteAt(hDC, scale, kLineX, kY, "N/A");
}
