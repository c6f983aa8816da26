// One whole refresh: its order, the state carried between routines, brush
// lifetimes, heap use and hostile values.
#include <cmath>
#include <fstream>

#include "page_fixture.h"
#include "sim/surface/raster_surface.h"
#include "temp_dir.h"
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

  std::vector<std::string> RefreshTrace() {
    VitalsMFD mfd(320, 320, focus());
    Take();
    mfd.Update(hdc);
    return Take();
  }

  // Index of the first line equal to `line` at or after `from`; fails when absent.
  static std::size_t Find(const std::vector<std::string>& lines, const std::string& line, std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
      if (lines[i] == line) return i;
    ADD_FAILURE() << "no line " << line;
    return lines.size();
  }
};

TEST_F(Refresh, ScaleTagAndLegendOffsetFollowTheCockpit) {
  const std::string line1 = " 0 45 \"1. Yaw right/Pitch up/dn/Move up/dn/bck/right\"";
  struct Case {
    int cockpit;
    bool log;
    std::string tag, legend;
  } const cases[] = {
      {1, false, "TextOutA 6 18 4 \"Norm\"", "TextOutA 151" + line1},
      {3, true, "TextOutA 4 12 3 \"Log\"", "TextOutA 108" + line1},
      {2, false, "TextOutA 4 13 4 \"Norm\"", "TextOutA 116" + line1},
      {-7, true, "TextOutA 4 13 3 \"Log\"", "TextOutA 116" + line1},
  };
  showDescriptions = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cockpit);
    sim::TheHost().cockpitMode = c.cockpit;
    logExhausts = c.log;
    const auto lines = RefreshTrace();
    const std::vector<std::string> head(lines.begin(), lines.begin() + 5);
    EXPECT_EQ(head, (std::vector<std::string>{"oapiCockpitMode -> " + std::to_string(c.cockpit),
                                              "Title \"Vitals MFD V1.0\"", "SelectDefaultFont 1", c.tag, "BeginPaint"}));
    Find(lines, c.legend);
  }
}

// One landmark of each routine in page order; the live part starts in green
// with pen 3 after the legend, pen 2 without it.
TEST_F(Refresh, RoutinesRunInPageOrderInsideThePaintBracket) {
  MakeBusy(0.5);
  sim::TheHost().attitudeMode = 1;
  sim::TheHost().cockpitMode = 3;
  for (bool legend : {false, true}) {
    SCOPED_TRACE(legend);
    showDescriptions = legend;
    const auto lines = RefreshTrace();
    const std::string landmarks[] = {
        "BeginPaint", "SelectDefaultPen 1",
        "Polygon 9 128,45 133,49 148,79 207,168 210,204 45,204 48,168 108,79 122,49", "SelectDefaultPen 2",
        "Ellipse 123 105 133 116", "CreateSolidBrush 0x0000FF00", "TextOutA 20 36 9 \"Thrusters\"",
        "TextOutA 16 240 16 \"= Wheel brake ON\"",
        legend ? "TextOutA 102 240 22 \"RCS mode/Flight Status\"" : "TextOutA 16 240 16 \"= Wheel brake ON\"",
        "oapiGetFocusInterface", "GetNavmodeState 7 -> false", "GetGroupThrusterCount 0 -> 3",
        "GetGroupThrusterCount 1 -> 3", "GetGroupThrusterCount 2 -> 3", "oapiGetFocusAttitudeMode -> 1",
        "GetGroupThrusterCount 5 -> 3", "GetADCtrlMode -> 7", "SelectDefaultPen 3", "GetControlSurfaceLevel 1 -> 0.5",
        "GetWheelbrakeLevel 1 -> 0.5", "GetFlightStatus -> 1", "TextOutA 208 240 6 \"Landed\"", "EndPaint"};
    std::size_t at = 0;
    for (const std::string& landmark : landmarks) at = Find(lines, landmark, at);
    EXPECT_EQ(at, lines.size() - 1);

    std::string colour, pen;
    for (std::size_t i = 0; i < Find(lines, "oapiGetFocusInterface"); ++i) {
      if (lines[i].rfind("SetTextColor ", 0) == 0) colour = lines[i];
      if (lines[i].rfind("SelectDefaultPen ", 0) == 0) pen = lines[i];
    }
    EXPECT_EQ(colour, "SetTextColor 0x0000C800");
    EXPECT_EQ(pen, legend ? "SelectDefaultPen 3" : "SelectDefaultPen 2");
  }
}

// One brush at a time, every fill with the live one, all gone at the end.
TEST_F(Refresh, BrushesNeverOutliveTheirFills) {
  MakeBusy(1.0);
  showDescriptions = true;
  for (int attitude : {1, 2}) {
    sim::TheHost().attitudeMode = attitude;
    int live = 0, fills = 0;
    std::string colour;
    for (const std::string& line : RefreshTrace()) {
      if (line.rfind("CreateSolidBrush ", 0) == 0) {
        EXPECT_EQ(++live, 1) << line;
        colour = line.substr(17);
      } else if (line.rfind("DeleteObject ", 0) == 0) {
        --live;
        EXPECT_EQ(line.substr(13), colour);
      } else if (line.rfind("FillRect ", 0) == 0) {
        ++fills;
        EXPECT_EQ(live, 1) << line;
        EXPECT_EQ(line.substr(line.rfind(' ') + 1), colour) << line;
      }
    }
    EXPECT_EQ(live, 0);
    EXPECT_GT(fills, 12 + 4);  // surfaces and swatches at least
  }
}

TEST_F(Refresh, AllocatesNothing) {
  MakeBusy(1.0);
  showDescriptions = true;
  sim::TheHost().trace.Enable(false);
  VitalsMFD mfd(320, 320, focus());
  sim::RasterSurface raster(400, 400);
  for (int cockpit : {1, 2, 3})
    for (int attitude : {1, 2})
      for (HDC target : {static_cast<HDC>(&surface), static_cast<HDC>(&raster)}) {
        sim::TheHost().cockpitMode = cockpit;
        sim::TheHost().attitudeMode = attitude;
        allocations = 0;
        countingAllocations = true;
        mfd.Update(target);
        countingAllocations = false;
        EXPECT_EQ(allocations, 0) << "cockpit " << cockpit << " attitude " << attitude;
      }
}

// Values no vessel should report and sizes no configuration should hold: the
// page draws them without undefined behaviour (run under the sanitizers).
TEST_F(Refresh, HostileValuesDrawSafely) {
  const double values[] = {std::nan(""), INFINITY, -INFINITY, 1e300, -1e300};
  const char* configs[] = {"GenericMFDSize = 0\nPanelScale = 0\n", "GenericMFDSize = -6\nPanelScale = -1\n",
                           "GenericMFDSize = 1e300\nPanelScale = 1e300\n", "GenericMFDSize = 1e-300\nPanelScale = -1e300\n"};
  const auto dir = TempDirFor("vitals_refresh_test");
  sim::TheHost().configDir = dir.string();
  sim::TheHost().trace.Enable(false);
  sim::RasterSurface raster(320, 320);
  for (const char* config : configs) {
    std::ofstream(dir / "Orbiter.cfg") << config;
    VitalsMFD mfd(320, 320, focus());
    for (double v : values) {
      MakeBusy(v);
      state().adcMode = 0xFFFFFFFF;
      state().flightStatus = 0xFFFFFFFF;
      for (int cockpit : {1, 2, 3})
        for (int attitude : {INT_MIN, 0, 1, 2}) {
          sim::TheHost().cockpitMode = cockpit;
          sim::TheHost().attitudeMode = attitude;
          showDescriptions = logExhausts = attitude == 1;
          mfd.Update(&raster);
          mfd.Update(hdc);
        }
    }
  }
}

}  // namespace
