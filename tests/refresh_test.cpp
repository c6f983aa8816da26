// One whole refresh: its order, the state carried between routines, scaling of
// every routine, heap use and hostile values.
#include <cmath>

#include "page/indicators/mode_lines.h"
#include "page/static/colour_key.h"
#include "page/static/schematic.h"
#include "page_fixture.h"
#include "sim/surface/raster_surface.h"
#include "tests/counting_new.h"

namespace {

class Refresh : public PageTest {
 protected:
  // Every group firing, every surface deflected, both brakes set.
  void MakeBusy(double level) {
    for (int g = 0; g < sim::VesselState::kGroups; ++g) state().SetThrusters(g, {level, level, level});
    state().controlSurfaces = {level, level, level};
    state().wheelBrakes = {level, level, level};
    state().adcMode = 7;
    state().flightStatus = 1;
  }

  // Index of the first line at or after `from` that contains `part`; fails when absent.
  static std::size_t Find(const Lines& lines, const std::string& part, std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
      if (lines[i].find(part) != std::string::npos) return i;
    ADD_FAILURE() << "no line with " << part;
    return lines.size();
  }
};

// The cockpit gives the scale and the legend offset; one landmark of each
// routine in page order. The scale tag's place: ModuleLife.ConfigurationIsReadAtEveryConstruction.
TEST_F(Refresh, CockpitScaleLegendAndRoutinesInPageOrder) {
  const std::string line1 = " 0 45 \"1. Yaw right/Pitch up/dn/Move up/dn/bck/right\"";
  const struct {
    int cockpit, attitude;
    bool log, legend;
    std::string legendLine, landed;
  } cases[] = {
      {1, 1, false, true, "TextOutA 151" + line1, "TextOutA 312 360 6 \"Landed\""},
      {3, 2, true, true, "TextOutA 108" + line1, "TextOutA 208 240 6 \"Landed\""},
      {2, 1, false, true, "TextOutA 116" + line1, "TextOutA 233 269 6 \"Landed\""},
      {-7, 2, true, false, "", "TextOutA 233 269 6 \"Landed\""},
  };
  MakeBusy(0.5);
  VitalsMFD mfd(320, 320, focus());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cockpit);
    sim::TheHost().cockpitMode = c.cockpit;
    sim::TheHost().attitudeMode = c.attitude;
    logExhausts = c.log;
    showDescriptions = c.legend;
    Take();
    mfd.Update(hdc);
    const Lines lines = Take();
    Lines head(lines.begin(), lines.begin() + 5);
    head[3].resize(9);  // the tag's text
    EXPECT_EQ(head, (Lines{"oapiCockpitMode -> " + std::to_string(c.cockpit), "Title \"Vitals MFD V1.0\"",
                           "SelectDefaultFont 1", "TextOutA ", "BeginPaint"}));
    const std::string landmarks[] = {
        "SelectDefaultPen 1", "Polygon 9", "SelectDefaultPen 2", "Ellipse", "CreateSolidBrush 0x0000FF00",
        "\"Thrusters\"", "\"= Wheel brake ON\"", c.legend ? c.legendLine : "\"= Wheel brake ON\"",
        "oapiGetFocusInterface", "GetNavmodeState 7 -> false", "GetGroupThrusterCount 0 -> 3",
        "GetGroupThrusterCount 1 -> 3", "GetGroupThrusterCount 2 -> 3", "oapiGetFocusAttitudeMode",
        c.attitude == 1 ? "GetGroupThrusterCount 5 -> 3" : "GetGroupThrusterCount 9 -> 3", "GetADCtrlMode -> 7",
        "SelectDefaultPen 3", "GetControlSurfaceLevel 1 -> 0.5", "GetWheelbrakeLevel 1 -> 0.5",
        "GetFlightStatus -> 1", c.landed, "EndPaint"};
    std::size_t at = 4;
    for (const std::string& landmark : landmarks) at = Find(lines, landmark, at);
    EXPECT_EQ(at, lines.size() - 1);
    EXPECT_EQ(std::ranges::count_if(lines, [](auto& l) { return l.ends_with("bck/right\""); }), c.legend ? 1 : 0);
  }
}

// `unit`, drawn at scale 1, as it should read at `scale`: each coordinate v is
// (int)(v × scale). Exact where every design value is whole.
Lines Scaled(Lines unit, double scale) {
  for (std::string& line : unit) {
    const std::string call = line.substr(0, line.find(' '));
    const bool points = call == "Polygon" || call == "Polyline";
    int n = call == "FillRect" || call == "Ellipse" || call == "Rectangle" ? 4 : 0;
    if (call == "MoveToEx" || call == "LineTo" || call == "SetPixel" || call == "TextOutA") n = 2;
    if (points) n = 1 + 2 * std::stoi(line.substr(call.size() + 1));
    std::string out = call;
    std::size_t at = call.size();
    for (int i = 0; i < n; ++i) {
      const std::size_t end = line.find_first_of(" ,", at + 1);
      const std::string value = line.substr(at + 1, end - at - 1);
      out += line[at] + (points && i == 0 ? value : std::to_string(static_cast<int>(std::stoi(value) * scale)));
      at = end;
    }
    line = out + (at < line.size() ? line.substr(at) : "");
  }
  return unit;
}

// Every routine's coordinates are design values scaled, with sums formed
// before scaling, and truncated; levels of 1 keep every design value whole.
TEST_F(Refresh, EveryCoordinateIsScaledAndTruncated) {
  MakeBusy(1.0);
  const VitalsMFD mfd(320, 320, focus());
  const auto draw = [&](double scale) {
    Take();
    mfd.DrawScaleTag(hdc, scale);
    DrawVesselOutline(hdc, scale);
    DrawEnginesAndWheels(hdc, scale);
    DrawKeySwatches(hdc, scale);
    mfd.DrawKeyCaptions(hdc, scale);
    DrawBrakeNote(hdc, scale);
    mfd.DrawPartsLegend(hdc, scale, 0);
    VitalsMFD::DrawThrusterReadout(hdc, scale, focus());
    mfd.DrawControlSurfaces(hdc, scale, focus());
    VitalsMFD::DrawWheelBrakes(hdc, scale, focus());
    DrawRcsLine(hdc, scale, 0);
    DrawFlightStatusLine(hdc, scale, focus());
    return Take();
  };
  for (int attitude : {1, 2}) {
    sim::TheHost().attitudeMode = attitude;
    const Lines unit = draw(1.0);
    for (double scale : {kGenericScale, kVirtualScale, kPanelScale, 2.7})
      EXPECT_EQ(draw(scale), Scaled(unit, scale)) << "attitude " << attitude << ", scale " << scale;
  }
}

// Values no vessel should report and sizes no configuration should hold: the
// page draws them without undefined behaviour (run under the sanitizers) and
// without a heap allocation, in pixels and on the null surface.
TEST_F(Refresh, HostileValuesDrawSafelyWithoutAllocating) {
  const double values[] = {1.0, std::nan(""), INFINITY, -INFINITY, 1e300, -1e300};
  const double sizes[][2] = {{6, 1}, {0, 0}, {-6, -1}, {1e300, 1e300}, {1e-300, -1e300}};  // as Orbiter.cfg may give
  sim::TheHost().trace.Enable(false);
  sim::RasterSurface raster(400, 400);
  std::string glyphs;  // every byte, so that each glyph is rendered before the count
  for (int c = 1; c < 256; ++c) glyphs += char(c);
  for (int font : {3, 2, 1, 0}) raster.SelectFont(font), raster.TextOut(0, 0, glyphs.data(), int(glyphs.size()));
  VitalsMFD display(320, 320, focus());
  for (const auto& size : sizes) {
    configGenericMfdSize = size[0];
    configPanelScale = size[1];
    for (double v : values) {
      MakeBusy(v);
      state().adcMode = state().flightStatus = 0xFFFFFFFF;
      for (int cockpit : {1, 2, 3})
        for (int attitude : {INT_MIN, 0, 1, 2})
          for (DrawingSurface* target : {static_cast<DrawingSurface*>(&surface), static_cast<DrawingSurface*>(&raster)}) {
            sim::TheHost().cockpitMode = cockpit;
            sim::TheHost().attitudeMode = attitude;
            showDescriptions = logExhausts = attitude == 1;
            sim::TheHost().drawing = target;
            allocations = 0;
            countingAllocations = true;
            display.Update(static_cast<HDC>(target->Dc()));
            countingAllocations = false;
            EXPECT_EQ(allocations, 0) << size[0] << ' ' << size[1] << ' ' << v << ' ' << cockpit << ' ' << attitude;
          }
    }
  }
}

}  // namespace
