#include "page/indicators/mode_lines.h"

#include "page/colours.h"
#include "page/text.h"

namespace {

// Every line starts at this column; "off" stands further right.
constexpr int kLineX = 260;

// A switched-off line: red "off" first, then the green prefix.
void WriteOff(HDC hDC, double scale, int offX, int y, Text prefix) {
  SetTextColor(hDC, kRed);
  WriteLabel(hDC, {offX, y, "off"}, scale);
  SetTextColor(hDC, kTextGreen);
  WriteLabel(hDC, {kLineX, y, prefix}, scale);
}

struct AutopilotMode {
  int navmode;
  Text text;
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
      WriteLabel(hDC, {kLineX, kY, mode.text}, scale);
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
    WriteLabel(hDC, {kLineX, kY, "AF: on"}, scale);
  else if (mode & kPitch)
    WriteLabel(hDC, {kLineX, kY, "AF: pitch"}, scale);
  else
    WriteLabel(hDC, {kLineX, kY, "AF: N/A"}, scale);
}

void DrawRcsLine(HDC hDC, double scale, int attitudeMode) {
  constexpr int kY = 289;
  SetTextColor(hDC, kTextGreen);
  switch (attitudeMode) {
    case 0:
      WriteOff(hDC, scale, 287, kY, "RCS: ");
      break;
    case 1:
      WriteLabel(hDC, {kLineX, kY, "RCS: rot"}, scale);
      break;
    case 2:
      WriteLabel(hDC, {kLineX, kY, "RCS: lin"}, scale);
      break;
    default:
      WriteLabel(hDC, {kLineX, kY, "RCS: N/A"}, scale);
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
    WriteLabel(hDC, {kLineX, kY, "In flight"}, scale);
  else if (status & kLanded)
    WriteLabel(hDC, {kLineX, kY, "Landed"}, scale);
  else if (status & kDocked)
    WriteLabel(hDC, {kLineX, kY, "Docked"}, scale);
  else
    WriteLabel(hDC, {kLineX, kY, "N/A"}, scale);
}
