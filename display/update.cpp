// The page refresh: scale for the cockpit, then every drawing routine in order.
#include "display/module_values.h"
#include "display/vitals_mfd.h"
#include "page/indicators/mode_lines.h"
#include "page/pixel.h"
#include "page/static/colour_key.h"
#include "page/static/schematic.h"
#include "page/text.h"

namespace {

struct CockpitScale {
  double pageScale;
  int legendOffset;
};

// Single-precision factors widened to double, as the page has always used.
constexpr double kGenericFactor = static_cast<double>(1.2f);
constexpr double kVirtualFactor = static_cast<double>(0.8f);
constexpr double kPanelFactor = static_cast<double>(0.9f);

CockpitScale ScaleForCockpit(int cockpitMode) {
  switch (cockpitMode) {
    case 1:  // generic cockpit
      return {configGenericMfdSize / 6.0 * kGenericFactor, -3};
    case 3:  // virtual cockpit
      return {kVirtualFactor, 5};
    default:  // 2-D panel
      return {configPanelScale * kPanelFactor, 0};
  }
}

}  // namespace

void VitalsMFD::DrawScaleTag(HDC hDC, double scale) const {
  SelectDefaultFont(hDC, 1);
  WriteText(hDC, Px(5, scale), Px(15, scale), logExhausts ? Text("Log") : Text("Norm"));
}

void VitalsMFD::Update(HDC hDC) {
  const CockpitScale cockpit = ScaleForCockpit(oapiCockpitMode());
  const double scale = cockpit.pageScale;
  Title(hDC, "Vitals MFD V1.0");
  DrawScaleTag(hDC, scale);

  PAINTSTRUCT paint;
  BeginPaint(renderWindow, &paint);
  SelectDefaultPen(hDC, 1);
  DrawVesselOutline(hDC, scale);
  SelectDefaultPen(hDC, 2);
  DrawEnginesAndWheels(hDC, scale);
  DrawKeySwatches(hDC, scale);
  DrawKeyCaptions(hDC, scale);
  DrawBrakeNote(hDC, scale);
  if (showDescriptions) DrawPartsLegend(hDC, scale, cockpit.legendOffset);
  VESSEL* vessel = oapiGetFocusInterface();
  DrawThrusterReadout(hDC, scale, vessel);
  DrawControlSurfaces(hDC, scale, vessel);
  DrawWheelBrakes(hDC, scale, vessel);
  DrawFlightStatusLine(hDC, scale, vessel);
  EndPaint(renderWindow, &paint);
}
