// Thruster group readout: reads each group's levels and hands every level
// above 0 to the gauges of its places, in the group's colour.

#include "display/vitals_mfd.h"
#include "page/indicators/gauges.h"
#include "page/indicators/mode_lines.h"
#include "page/colours.h"

namespace {

// One brush for a group's fills, deleted when the group's step ends.
class GroupFill {
 public:
  explicit GroupFill(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
  GroupFill(const GroupFill&) = delete;
  GroupFill& operator=(const GroupFill&) = delete;
  ~GroupFill() { DeleteObject(brush_); }
  HBRUSH Brush() const { return brush_; }

 private:
  HBRUSH brush_;
};

double ReadLevel(VESSEL* vessel, THGROUP_TYPE type, DWORD index) {
  return vessel->GetThrusterLevel(vessel->GetGroupThruster(type, index));
}

// Main thrusters: the centre slot for a lone thruster and every third one.
int MainOffset(DWORD index, DWORD count) {
  return count == 1 || (index + 1) % 3 == 0 ? 12 : static_cast<int>(25 * index);
}

constexpr int kRetroOffsets[] = {0, 51, 102};
constexpr int kHoverAftOffsets[] = {0, 93};
constexpr int kNoseOffsets[] = {0, 13};

// The gauges one reaction-control thruster feeds.
using ThrusterGauges = void (*)(HDC hDC, HBRUSH fill, double level, double scale);

template <int signedShift>
void AftVertical(HDC hDC, HBRUSH fill, double level, double scale) {
  DrawAftVerticalGauge(hDC, fill, level, signedShift, scale);
}

template <int signedShift>
void NoseVerticals(HDC hDC, HBRUSH fill, double level, double scale) {
  for (int offset : kNoseOffsets) DrawForeVerticalGauge(hDC, fill, level, offset, signedShift, scale);
}

template <int signedShift>
void LeftWing(HDC hDC, HBRUSH fill, double level, double scale) {
  DrawLeftWingVerticalGauge(hDC, fill, level, signedShift, scale);
}

template <int signedShift>
void RightWing(HDC hDC, HBRUSH fill, double level, double scale) {
  DrawRightWingVerticalGauge(hDC, fill, level, signedShift, scale);
}

void NoseAxials(HDC hDC, HBRUSH fill, double level, double scale) {
  for (int offset : kNoseOffsets) DrawForeAxialGauge(hDC, fill, level, offset, scale);
}

// A reaction-control group: the gauges of its thrusters 0 and 1; a null
// second entry leaves thruster 1 unread.
struct PairGroup {
  THGROUP_TYPE type;
  COLORREF colour;
  ThrusterGauges first;
  ThrusterGauges second;
};
using PairGroups = PairGroup[2];

constexpr PairGroups kYawGroups = {
    {THGROUP_ATT_YAWLEFT, kYellow, DrawAftLeftSideGauge, DrawForeRightSideGauge},
    {THGROUP_ATT_YAWRIGHT, kGreen, DrawForeLeftSideGauge, DrawAftRightSideGauge},
};
constexpr PairGroups kPitchGroups = {
    {THGROUP_ATT_PITCHUP, kGreen, AftVertical<-15>, NoseVerticals<1>},
    {THGROUP_ATT_PITCHDOWN, kYellow, AftVertical<1>, NoseVerticals<-15>},
};
constexpr PairGroups kBankGroups = {
    {THGROUP_ATT_BANKLEFT, kYellow, LeftWing<-15>, RightWing<1>},
    {THGROUP_ATT_BANKRIGHT, kGreen, LeftWing<1>, RightWing<-15>},
};
constexpr PairGroups kLateralGroups = {
    {THGROUP_ATT_RIGHT, kGreen, DrawForeLeftSideGauge, DrawAftLeftSideGauge},
    {THGROUP_ATT_LEFT, kYellow, DrawForeRightSideGauge, DrawAftRightSideGauge},
};
constexpr PairGroups kAxialGroups = {
    {THGROUP_ATT_FORWARD, kGreen, DrawAftAxialGauge, nullptr},
    {THGROUP_ATT_BACK, kYellow, NoseAxials, nullptr},
};
constexpr PairGroups kVerticalGroups = {
    {THGROUP_ATT_UP, kGreen, AftVertical<10>, NoseVerticals<1>},
    {THGROUP_ATT_DOWN, kYellow, AftVertical<-15>, NoseVerticals<-25>},
};

void DrawThruster(HDC hDC, double scale, VESSEL* vessel, THGROUP_TYPE type, DWORD index, HBRUSH fill,
                  ThrusterGauges gauges) {
  const double level = ReadLevel(vessel, type, index);
  if (level > 0) gauges(hDC, fill, level, scale);
}

void DrawPairGroups(HDC hDC, double scale, VESSEL* vessel, const PairGroups& groups) {
  for (const PairGroup& group : groups) {
    const DWORD count = vessel->GetGroupThrusterCount(group.type);
    const GroupFill fill(group.colour);
    if (count >= 1) DrawThruster(hDC, scale, vessel, group.type, 0, fill.Brush(), group.first);
    if (count >= 2 && group.second) DrawThruster(hDC, scale, vessel, group.type, 1, fill.Brush(), group.second);
  }
}

}  // namespace

void VitalsMFD::DrawThrusterReadout(HDC hDC, double scale, VESSEL* vessel) {
  const bool autopilotEngaged = DrawAutopilotLine(hDC, scale, vessel);
  DrawMainGroup(hDC, scale, vessel);
  DrawRetroGroup(hDC, scale, vessel);
  DrawHoverGroup(hDC, scale, vessel);
  DrawRcsReadout(hDC, scale, vessel, autopilotEngaged);
}

void VitalsMFD::DrawMainGroup(HDC hDC, double scale, VESSEL* vessel) {
  const GroupFill fill(kGreen);
  const DWORD count = vessel->GetGroupThrusterCount(THGROUP_MAIN);
  for (DWORD i = 0; i < count; ++i) {
    const double level = ReadLevel(vessel, THGROUP_MAIN, i);
    if (level > 0) DrawMainGauge(hDC, fill.Brush(), level, MainOffset(i, count), scale);
  }
}

// The count is asked again before each further thruster, up to three gauges.
void VitalsMFD::DrawRetroGroup(HDC hDC, double scale, VESSEL* vessel) {
  const GroupFill fill(kYellow);
  DWORD count = vessel->GetGroupThrusterCount(THGROUP_RETRO);
  for (DWORD i = 0; i < count;) {
    const double level = ReadLevel(vessel, THGROUP_RETRO, i);
    if (level > 0) DrawRetroGauge(hDC, fill.Brush(), level, kRetroOffsets[i], scale);
    if (++i == sizeof kRetroOffsets / sizeof kRetroOffsets[0]) break;
    count = vessel->GetGroupThrusterCount(THGROUP_RETRO);
  }
}

// A lone hover thruster also feeds the aft pair.
void VitalsMFD::DrawHoverGroup(HDC hDC, double scale, VESSEL* vessel) {
  const DWORD count = vessel->GetGroupThrusterCount(THGROUP_HOVER);
  if (count == 0) return;
  const GroupFill fill(kGreen);
  const double fore = ReadLevel(vessel, THGROUP_HOVER, 0);
  if (fore > 0) DrawHoverForeGauge(hDC, fill.Brush(), fore, scale);
  const double aft = count == 1 ? fore : ReadLevel(vessel, THGROUP_HOVER, 1);
  if (aft > 0) {
    for (int offset : kHoverAftOffsets) DrawHoverAftGauge(hDC, fill.Brush(), aft, offset, scale);
  }
}

void VitalsMFD::DrawYawGroups(HDC hDC, double scale, VESSEL* vessel) {
  DrawPairGroups(hDC, scale, vessel, kYawGroups);
}

void VitalsMFD::DrawPitchGroups(HDC hDC, double scale, VESSEL* vessel) {
  DrawPairGroups(hDC, scale, vessel, kPitchGroups);
}

void VitalsMFD::DrawBankGroups(HDC hDC, double scale, VESSEL* vessel) {
  DrawPairGroups(hDC, scale, vessel, kBankGroups);
}

void VitalsMFD::DrawLateralGroups(HDC hDC, double scale, VESSEL* vessel) {
  DrawPairGroups(hDC, scale, vessel, kLateralGroups);
}

void VitalsMFD::DrawAxialGroups(HDC hDC, double scale, VESSEL* vessel) {
  DrawPairGroups(hDC, scale, vessel, kAxialGroups);
}

void VitalsMFD::DrawVerticalGroups(HDC hDC, double scale, VESSEL* vessel) {
  DrawPairGroups(hDC, scale, vessel, kVerticalGroups);
}

// An engaged autopilot shows the rotation set whatever the attitude mode.
void VitalsMFD::DrawRcsReadout(HDC hDC, double scale, VESSEL* vessel, bool autopilotEngaged) {
  const int mode = oapiGetFocusAttitudeMode();
  DrawRcsLine(hDC, scale, mode);
  if (mode == 1 || autopilotEngaged) {
    DrawYawGroups(hDC, scale, vessel);
    DrawPitchGroups(hDC, scale, vessel);
    DrawBankGroups(hDC, scale, vessel);
  } else if (mode == 2) {
    DrawLateralGroups(hDC, scale, vessel);
    DrawAxialGroups(hDC, scale, vessel);
    DrawVerticalGroups(hDC, scale, vessel);
  }
}
