#include "page/indicators/control_surfaces.h"

#include "display/vitals_mfd.h"
#include "page/indicators/mode_lines.h"
#include "page/pixel.h"
#include "page/colours.h"
#include "page/fill.h"
#include "page/text.h"

namespace {

void Line(HDC hDC, int x0, int y0, int x1, int y1) {
  MoveToEx(hDC, x0, y0, nullptr);
  LineTo(hDC, x1, y1);
}

// Bar placement along the tail: {barOffset, labelOffset, direction}.
struct TailBarPlace {
  int barOffset;
  int labelOffset;
  int direction;
};

}  // namespace

void DrawRudderBar(HDC hDC, double level, int offset, double scale) {
  FillDesignRect(hDC, offset + 20, 249, offset + 32, 253, kWhite, scale);
  FillDesignRect(hDC, offset + 33, 249, offset + 45, 253, kGrey, scale);
  const int x = Px(level * 12 + (offset + 32), scale);
  Line(hDC, x, Px(247, scale), x, Px(255, scale));
}

void DrawElevatorBar(HDC hDC, double level, int barOffset, int labelOffset, int direction, double scale) {
  FillDesignRect(hDC, barOffset + 85, 272, barOffset + 89, 284, kGrey, scale);
  FillDesignRect(hDC, barOffset + 85, 285, barOffset + 89, 297, kWhite, scale);
  const double t = static_cast<double>(12 * direction) * level;
  const int row = Px(t + 285, scale);
  Line(hDC, Px(barOffset + 83, scale), row, Px(barOffset + 91, scale), row);
  WriteText(hDC, Px(labelOffset + 90, scale), Px(t + 277, scale), level < 0 ? "-y" : "+y");
}

void DrawAileronBar(HDC hDC, double level, int barOffset, int labelOffset, int direction, double scale) {
  const bool upperPositive = direction < 0;
  FillDesignRect(hDC, barOffset + 77, 272, barOffset + 81, 284, upperPositive ? kGrey : kWhite, scale);
  FillDesignRect(hDC, barOffset + 77, 285, barOffset + 81, 297, upperPositive ? kWhite : kGrey, scale);
  const double t = static_cast<double>(12 * direction) * level;
  const int row = Px(t + 284, scale);
  Line(hDC, Px(barOffset + 75, scale), row, Px(barOffset + 83, scale), row);
  const bool markerAbove = static_cast<double>(direction) * level < 0;
  WriteText(hDC, Px(labelOffset + 66, scale), Px(t + 277, scale), markerAbove ? "+y" : "-y");
}

void DrawRudders(HDC hDC, double scale, VESSEL* vessel) {
  constexpr int kOffsets[] = {0, 255};  // left, right
  const double level = vessel->GetControlSurfaceLevel(AIRCTRL_RUDDER);
  for (const int offset : kOffsets) DrawRudderBar(hDC, level, offset, scale);
}

void DrawElevators(HDC hDC, double scale, VESSEL* vessel) {
  constexpr TailBarPlace kBars[] = {{0, 0, -1}, {148, 132, -1}};  // left, right
  const double level = vessel->GetControlSurfaceLevel(AIRCTRL_ELEVATOR);
  for (const TailBarPlace& bar : kBars)
    DrawElevatorBar(hDC, level, bar.barOffset, bar.labelOffset, bar.direction, scale);
}

void DrawAilerons(HDC hDC, double scale, VESSEL* vessel) {
  constexpr TailBarPlace kBars[] = {{0, 0, +1}, {164, 180, -1}};  // left, right
  const double level = vessel->GetControlSurfaceLevel(AIRCTRL_AILERON);
  for (const TailBarPlace& bar : kBars)
    DrawAileronBar(hDC, level, bar.barOffset, bar.labelOffset, bar.direction, scale);
}

void VitalsMFD::DrawControlSurfaces(HDC hDC, double scale, VESSEL* vessel) const {
  DrawAeroControlLine(hDC, scale, vessel);
  SelectDefaultPen(hDC, 3);
  DrawRudders(hDC, scale, vessel);
  DrawElevators(hDC, scale, vessel);
  DrawAilerons(hDC, scale, vessel);
}

void DrawBrakeMarker(HDC hDC, int offset, double scale) {
  WriteText(hDC, Px(offset + 96, scale), Px(204, scale), "Bw");
}

void VitalsMFD::DrawWheelBrakes(HDC hDC, double scale, VESSEL* vessel) {
  constexpr int kWheelSpacing = 112;
  SetTextColor(hDC, kRed);
  for (int wheel = 1, offset = 0; offset < 2 * kWheelSpacing; ++wheel, offset += kWheelSpacing) {
    if (vessel->GetWheelbrakeLevel(wheel) > 0) DrawBrakeMarker(hDC, offset, scale);
  }
}
