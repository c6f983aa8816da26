// Level gauges. Every edge is formed in design units and converted by Px once.
#include "page/indicators/gauges.h"

#include "display/module_values.h"
#include "page/pixel.h"
#include "page/text.h"

namespace {

constexpr Text kPlusY = "+y";
constexpr Text kMinusY = "-y";
constexpr Text kPlusZ = "+z";
constexpr Text kMinusZ = "-z";

// Fills the bar and returns it in pixels; a bar that grows up has bottom < top.
RECT FillBar(HDC hDC, HBRUSH fill, double left, double top, double right, double bottom, double scale) {
  const RECT bar = PxRect(left, top, right, bottom, scale);
  FillRect(hDC, &bar, fill);
  return bar;
}

// Main, retro and hover bars: linear length per unit level from a fixed top
// edge; a negative rate grows up.
struct EngineBar {
  double left, right, top, perLevel;
};
constexpr EngineBar kMainBar{143, 152, 256, 25};
constexpr EngineBar kRetroBar{131, 139, 99, -20};
constexpr EngineBar kHoverForeBar{155, 165, 138, 25};
constexpr EngineBar kHoverAftBar{108, 118, 222, 25};

RECT DrawEngineBar(HDC hDC, HBRUSH fill, double level, int offset, const EngineBar& bar, double scale) {
  return FillBar(hDC, fill, offset + bar.left, bar.top, offset + bar.right, bar.top + bar.perLevel * level, scale);
}

// Horizontal bars growing left or right from a fixed edge.
struct SideBar {
  double edge, top, bottom;
  bool growsLeft;
};
constexpr SideBar kForeLeftBar{152, 64, 68, true};
constexpr SideBar kForeRightBar{169, 64, 68, false};
constexpr SideBar kAftLeftBar{140, 245, 249, true};
constexpr SideBar kAftRightBar{180, 245, 249, false};

void DrawSideBar(HDC hDC, HBRUSH fill, double level, const SideBar& bar, double scale) {
  const double m = GaugeLength(level);
  if (bar.growsLeft)
    FillBar(hDC, fill, bar.edge - m, bar.top, bar.edge, bar.bottom, scale);
  else
    FillBar(hDC, fill, bar.edge, bar.top, bar.edge + m, bar.bottom, scale);
}

// Fore/aft bars at nose and tail; the label follows the linear length from labelBase.
struct AxialBar {
  double left, right, base, labelBase;
  int toward;  // -1 up, +1 down
  Text label;
};
constexpr AxialBar kAftAxialBar{156, 164, 256, 256, +1, kMinusZ};
constexpr AxialBar kForeAxialBar{152, 156, 64, 49, -1, kPlusZ};

void DrawAxialBar(HDC hDC, HBRUSH fill, double level, int offset, const AxialBar& bar, double scale) {
  const RECT rect =
      FillBar(hDC, fill, offset + bar.left, bar.base, offset + bar.right, bar.base + bar.toward * GaugeLength(level), scale);
  WriteText(hDC, rect.left, Px(bar.labelBase + 12 * bar.toward * level, scale), bar.label);
}

// Vertical bars whose direction and label come from the sign of signedShift.
struct VerticalGauge {
  double left, right, base;
};
constexpr VerticalGauge kLeftWingBar{96, 100, 175};
constexpr VerticalGauge kRightWingBar{219, 223, 175};
constexpr VerticalGauge kAftVerticalBar{156, 164, 256};
constexpr VerticalGauge kForeVerticalBar{152, 156, 64};

void DrawVerticalBar(HDC hDC, HBRUSH fill, double level, int offset, int signedShift, const VerticalGauge& bar,
                     double scale) {
  const int sigma = signedShift < 0 ? -1 : 1;
  const RECT rect =
      FillBar(hDC, fill, offset + bar.left, bar.base, offset + bar.right, bar.base + sigma * GaugeLength(level), scale);
  WriteText(hDC, rect.left, Px(12 * sigma * level + (signedShift + bar.base), scale), sigma < 0 ? kPlusY : kMinusY);
}

}  // namespace

double GaugeLength(double level) {
  if (logExhausts) return (__builtin_log10(level + 0.01) + 2.0) * 6.0 + 1.0;
  return 12.0 * level;
}

void DrawMainGauge(HDC hDC, HBRUSH fill, double level, int offset, double scale) {
  DrawEngineBar(hDC, fill, level, offset, kMainBar, scale);
}

void DrawRetroGauge(HDC hDC, HBRUSH fill, double level, int offset, double scale) {
  DrawEngineBar(hDC, fill, level, offset, kRetroBar, scale);
}

void DrawHoverForeGauge(HDC hDC, HBRUSH fill, double level, double scale) {
  const RECT bar = DrawEngineBar(hDC, fill, level, 0, kHoverForeBar, scale);
  WriteText(hDC, bar.left, bar.bottom, kMinusY);
}

void DrawHoverAftGauge(HDC hDC, HBRUSH fill, double level, int offset, double scale) {
  const RECT bar = DrawEngineBar(hDC, fill, level, offset, kHoverAftBar, scale);
  WriteText(hDC, bar.left, bar.bottom, kMinusY);
}

void DrawForeLeftSideGauge(HDC hDC, HBRUSH fill, double level, double scale) {
  DrawSideBar(hDC, fill, level, kForeLeftBar, scale);
}

void DrawForeRightSideGauge(HDC hDC, HBRUSH fill, double level, double scale) {
  DrawSideBar(hDC, fill, level, kForeRightBar, scale);
}

void DrawAftLeftSideGauge(HDC hDC, HBRUSH fill, double level, double scale) {
  DrawSideBar(hDC, fill, level, kAftLeftBar, scale);
}

void DrawAftRightSideGauge(HDC hDC, HBRUSH fill, double level, double scale) {
  DrawSideBar(hDC, fill, level, kAftRightBar, scale);
}

void DrawAftAxialGauge(HDC hDC, HBRUSH fill, double level, double scale) {
  DrawAxialBar(hDC, fill, level, 0, kAftAxialBar, scale);
}

void DrawForeAxialGauge(HDC hDC, HBRUSH fill, double level, int offset, double scale) {
  DrawAxialBar(hDC, fill, level, offset, kForeAxialBar, scale);
}

void DrawLeftWingVerticalGauge(HDC hDC, HBRUSH fill, double level, int signedShift, double scale) {
  DrawVerticalBar(hDC, fill, level, 0, signedShift, kLeftWingBar, scale);
}

void DrawRightWingVerticalGauge(HDC hDC, HBRUSH fill, double level, int signedShift, double scale) {
  DrawVerticalBar(hDC, fill, level, 0, signedShift, kRightWingBar, scale);
}

void DrawAftVerticalGauge(HDC hDC, HBRUSH fill, double level, int signedShift, double scale) {
  DrawVerticalBar(hDC, fill, level, 0, signedShift, kAftVerticalBar, scale);
}

void DrawForeVerticalGauge(HDC hDC, HBRUSH fill, double level, int offset, int signedShift, double scale) {
  DrawVerticalBar(hDC, fill, level, offset, signedShift, kForeVerticalBar, scale);
}
