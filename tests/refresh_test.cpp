// One whole refresh: its order, the state carried between routines, brush
// lifetimes, heap use and hostile values.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>

#include "page_fixture.h"
#include "sim/raster_surface.h"
#include "temp_dir.h"

namespace {

long allocations = 0;
bool counting = false;

}  // namespace

void* operator new(std::size_t n) {
  if (counting) ++allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

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
  struct Case {
    int cockpit;
    const char* tag;
    const char* firstLegendLine;
  };
  const Case cases[] = {
      {1, "TextOutA 6 18 4 \"Norm\"", "TextOutA 151 0 45 \"1. Yaw right/Pitch up/dn/Move up/dn/bck/right\""},
      {3, "TextOutA 4 12 4 \"Norm\"", "TextOutA 108 0 45 \"1. Yaw right/Pitch up/dn/Move up/dn/bck/right\""},
      {2, "TextOutA 4 13 4 \"Norm\"", "TextOutA 116 0 45 \"1. Yaw right/Pitch up/dn/Move up/dn/bck/right\""},
      {0, "TextOutA 4 13 4 \"Norm\"", "TextOutA 116 0 45 \"1. Yaw right/Pitch up/dn/Move up/dn/bck/right\""},
      {-7, "TextOutA 4 13 4 \"Norm\"", "TextOutA 116 0 45 \"1. Yaw right/Pitch up/dn/Move up/dn/bck/right\""},
  };
  showDescriptions = true;
  for (const Case& c : cases) {
    sim::TheHost().cockpitMode = c.cockpit;
    const auto lines = RefreshTrace();
    SCOPED_TRACE(c.cockpit);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "oapiCockpitMode -> " + std::to_string(c.cockpit));
    EXPECT_EQ(lines[1], "Title \"Vitals MFD V1.0\"");
    EXPECT_EQ(lines[2], "SelectDefaultFont 1");
    EXPECT_EQ(lines[3], c.tag);
    EXPECT_EQ(lines[4], "BeginPaint");
    Find(lines, c.firstLegendLine);
  }
}

TEST_F(Refresh, LogOptionChangesTheTag) {
  logExhausts = true;
  sim::TheHost().cockpitMode = 1;
  EXPECT_EQ(RefreshTrace()[3], "TextOutA 6 18 3 \"Log\"");
}

TEST_F(Refresh, RoutinesRunInPageOrderInsideThePaintBracket) {
  MakeBusy(0.5);
  sim::TheHost().attitudeMode = 1;
  sim::TheHost().cockpitMode = 3;
  for (bool legend : {false, true}) {
    showDescriptions = legend;
    const auto lines = RefreshTrace();
    SCOPED_TRACE(legend);
    // One landmark of each routine, in page order.
    const std::vector<std::string> landmarks = {
        "BeginPaint",
        "SelectDefaultPen 1",
        "Polygon 9 128,45 133,49 148,79 207,168 210,204 45,204 48,168 108,79 122,49",
        "SelectDefaultPen 2",
        "Ellipse 123 105 133 116",
        "CreateSolidBrush 0x0000FF00",
        "TextOutA 20 36 9 \"Thrusters\"",
        "TextOutA 16 240 16 \"= Wheel brake ON\"",
        legend ? "TextOutA 102 240 22 \"RCS mode/Flight Status\"" : "TextOutA 16 240 16 \"= Wheel brake ON\"",
        "oapiGetFocusInterface",
        "GetNavmodeState 7 -> false",
        "GetGroupThrusterCount 0 -> 3",
        "GetGroupThrusterCount 1 -> 3",
        "GetGroupThrusterCount 2 -> 3",
        "oapiGetFocusAttitudeMode -> 1",
        "GetGroupThrusterCount 5 -> 3",
        "GetADCtrlMode -> 7",
        "SelectDefaultPen 3",
        "GetControlSurfaceLevel 1 -> 0.5",
        "GetWheelbrakeLevel 1 -> 0.5",
        "GetFlightStatus -> 1",
        "TextOutA 208 240 6 \"Landed\"",
        "EndPaint",
    };
    std::size_t at = 0;
    for (const std::string& landmark : landmarks) at = Find(lines, landmark, at);
    EXPECT_EQ(at, lines.size() - 1);
  }
}

TEST_F(Refresh, LiveIndicatorsStartInGreenWhateverTheLegend) {
  sim::TheHost().cockpitMode = 2;
  for (bool legend : {false, true}) {
    showDescriptions = legend;
    const auto lines = RefreshTrace();
    SCOPED_TRACE(legend);
    const std::size_t focusAt = Find(lines, "oapiGetFocusInterface");
    std::string colour, pen;
    for (std::size_t i = 0; i < focusAt; ++i) {
      if (lines[i].rfind("SetTextColor ", 0) == 0) colour = lines[i];
      if (lines[i].rfind("SelectDefaultPen ", 0) == 0) pen = lines[i];
    }
    EXPECT_EQ(colour, "SetTextColor 0x0000C800");
    EXPECT_EQ(pen, legend ? "SelectDefaultPen 3" : "SelectDefaultPen 2");
    EXPECT_EQ(lines.back(), "EndPaint");
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
        ++live;
        colour = line.substr(17);
        EXPECT_EQ(live, 1) << line;
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
  for (int cockpit : {1, 2, 3}) {
    for (int attitude : {1, 2}) {
      sim::TheHost().cockpitMode = cockpit;
      sim::TheHost().attitudeMode = attitude;
      for (HDC target : {static_cast<HDC>(&surface), static_cast<HDC>(&raster)}) {
        allocations = 0;
        counting = true;
        mfd.Update(target);
        counting = false;
        EXPECT_EQ(allocations, 0) << "cockpit " << cockpit << " attitude " << attitude;
      }
    }
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
        for (int attitude : {std::numeric_limits<int>::min(), 0, 1, 2}) {
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
