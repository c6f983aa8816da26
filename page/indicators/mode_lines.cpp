#include "page/indicators/mode_lines.h"

#include <string_view>

#include "page/pixel.h"

namespace {

constexpr COLORREF kLineGreen = RGB(0, 200, 0);
constexpr COLORREF kOffRed = RGB(255, 0, 0);

// Every line starts at this column; "off" stands further right.
constexpr int kLineX = 260;

void WriteAt(HDC hDC, double scale, int x, int y, std::string_view text) {
  TextOutA(hDC, Px(x, scale), Px(y, scale), text.data(), static_cast<int>(text.size()));
}

// A switched-off line: red "off" first, then the green prefix.
void WriteOff(HDC hDC, double scale, int offX, int y, std::string_view prefix) {
  SetTextColor(hDC, kOffRed);
  WriteAt(hDC, scale, offX, y, "off");
  SetTextColor(hDC, kLineGreen);
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
  SetTextColor(hDC, kLineGreen);
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
  SetTextColor(hDC, kLineGreen);
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
  SetTextColor(hDC, kLineGreen);
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
  SetTextColor(hDC, kLineGreen);
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
