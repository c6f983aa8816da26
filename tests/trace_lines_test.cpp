// Each call a module makes of the host, and the one trace line it writes, as
// docs/trace.md spells it out.
#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <functional>

#include "page_fixture.h"

namespace {

struct Plain : GraphMFD {
  Plain() : GraphMFD(288, 320, nullptr) {}
  void Update(HDC) override {}
};

class TraceLines : public PageTest {};

TEST_F(TraceLines, EveryCallWritesItsDocumentedLine) {
  sim::TheHost().config = "PanelScale = 0.1\n";
  sim::TheHost().cockpitMode = 3;
  sim::TheHost().attitudeMode = 2;
  state().SetThrusters(THGROUP_HOVER, {0.5, 0.25});
  state().controlSurfaces = {0, -INFINITY, 0};
  state().wheelBrakes = {0, -NAN, INFINITY};
  state().navmodes = {4};
  state().adcMode = 5;
  state().flightStatus = 2;
  Take();
  VESSEL& v = *focus();
  const POINT pts[3] = {{1, -2}, {30, 40}, {-5, 6}};
  const RECT rc{1, 2, 3, 4};
  HBRUSH brush = nullptr;
  FILEHANDLE file = nullptr;
  PAINTSTRUCT paint;
  const HWND window = static_cast<HWND>(sim::TheHost().renderWindow);
  char name[] = "Mode", date[] = "Apr 25 2006", item[] = "PanelScale", missing[] = "GenericMFDSize";
  MFDMODESPEC record{name, 33, nullptr};
  std::unique_ptr<Plain> display;
  void* self = dlopen(nullptr, RTLD_NOW);  // a module exporting neither start-up routine
  char initLib[32];
  std::snprintf(initLib, sizeof initLib, "InitLib 0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(self)));
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { InitLib(static_cast<HINSTANCE>(self)); }, initLib},
      {[&] { Date2Int(date); }, "Date2Int \"Apr 25 2006\" -> 60425"},
      {[&] { oapiRegisterMFDMode(record); }, "oapiRegisterMFDMode \"Mode\" 33 -> 1"},
      {[&] { oapiUnregisterMFDMode(1); }, "oapiUnregisterMFDMode 1 -> true"},
      {[&] { oapiUnregisterMFDMode(1); }, "oapiUnregisterMFDMode 1 -> false"},
      {[&] { display = std::make_unique<Plain>(); }, "GraphMFD 288 320"},
      {[&] { oapiOpenFile("Other.cfg", FILE_IN, ROOT); }, "oapiOpenFile \"Other.cfg\" 0 0 -> null"},
      {[&] { file = oapiOpenFile("Orbiter.cfg", FILE_IN, CONFIG); }, "oapiOpenFile \"Orbiter.cfg\" 0 1 -> handle"},
      {[&] { double d; oapiReadItem_float(file, item, d); },
       "oapiReadItem_float \"PanelScale\" -> 0.10000000000000001"},
      {[&] { double d; oapiReadItem_float(file, missing, d); }, "oapiReadItem_float \"GenericMFDSize\" -> false"},
      {[&] { oapiCloseFile(file, FILE_IN); }, "oapiCloseFile handle 0"},
      {[&] { oapiCloseFile(file, FILE_IN); }, "oapiCloseFile null 0"},
      {[&] { oapiCockpitMode(); }, "oapiCockpitMode -> 3"},
      {[&] { oapiGetFocusInterface(); }, "oapiGetFocusInterface"},
      {[&] { oapiGetFocusAttitudeMode(); }, "oapiGetFocusAttitudeMode -> 2"},
      {[&] { display->Title(hdc, "A \"b\"\\\t"); }, "Title \"A \\\"b\\\"\\\\\\x09\""},
      {[&] { display->SelectDefaultFont(hdc, 1); }, "SelectDefaultFont 1"},
      {[&] { display->SelectDefaultPen(hdc, 3); }, "SelectDefaultPen 3"},
      {[&] { v.GetGroupThrusterCount(THGROUP_HOVER); }, "GetGroupThrusterCount 2 -> 2"},
      {[&] { v.GetGroupThruster(THGROUP_HOVER, 1); }, "GetGroupThruster 2 1"},
      {[&] { v.GetThrusterLevel(v.GetGroupThruster(THGROUP_HOVER, 1)); }, "GetThrusterLevel 2 1 -> 0.25"},
      {[&] { v.GetThrusterLevel(nullptr); }, "GetThrusterLevel null -> 0"},
      {[&] { v.GetControlSurfaceLevel(AIRCTRL_RUDDER); }, "GetControlSurfaceLevel 1 -> -inf"},
      {[&] { v.GetWheelbrakeLevel(1); }, "GetWheelbrakeLevel 1 -> nan"},
      {[&] { v.GetWheelbrakeLevel(2); }, "GetWheelbrakeLevel 2 -> inf"},
      {[&] { v.GetNavmodeState(4); }, "GetNavmodeState 4 -> true"},
      {[&] { v.GetNavmodeState(5); }, "GetNavmodeState 5 -> false"},
      {[&] { v.GetADCtrlMode(); }, "GetADCtrlMode -> 5"},
      {[&] { v.GetFlightStatus(); }, "GetFlightStatus -> 2"},
      {[&] { MoveToEx(hdc, -3, 4, nullptr); }, "MoveToEx -3 4"},
      {[&] { LineTo(hdc, 5, -6); }, "LineTo 5 -6"},
      {[&] { Polyline(hdc, pts, 3); }, "Polyline 3 1,-2 30,40 -5,6"},
      {[&] { Polygon(hdc, pts, 2); }, "Polygon 2 1,-2 30,40"},
      {[&] { Ellipse(hdc, 1, 2, 30, 40); }, "Ellipse 1 2 30 40"},
      {[&] { Rectangle(hdc, -1, -2, 3, 4); }, "Rectangle -1 -2 3 4"},
      {[&] { SetPixel(hdc, 7, 8, RGB(0, 200, 0)); }, "SetPixel 7 8 0x0000C800"},
      {[&] { brush = CreateSolidBrush(RGB(255, 165, 0)); }, "CreateSolidBrush 0x0000A5FF"},
      {[&] { FillRect(hdc, &rc, brush); }, "FillRect 1 2 3 4 0x0000A5FF"},
      {[&] { DeleteObject(brush); }, "DeleteObject 0x0000A5FF"},
      {[&] { SetTextColor(hdc, RGB(192, 192, 192)); }, "SetTextColor 0x00C0C0C0"},
      {[&] { TextOutA(hdc, 9, -10, "ab\"\\c\xff\0\n", 8); }, "TextOutA 9 -10 8 \"ab\\\"\\\\c\\xFF\\x00\\x0A\""},
      {[&] { TextOutA(hdc, 0, 0, "abc", 2); }, "TextOutA 0 0 2 \"ab\""},
      {[&] { BeginPaint(window, &paint); }, "BeginPaint"},
      {[&] { EndPaint(window, &paint); }, "EndPaint"},
  };
  for (const auto& [call, line] : cases) {
    call();
    const Lines lines = Take();
    EXPECT_EQ(lines.empty() ? "" : lines.back(), line);
  }
  // A deleted brush is named stale, and its use is a fault.
  FillRect(hdc, &rc, brush);
  DeleteObject(brush);
  EXPECT_EQ(Take(), (Lines{"FillRect 1 2 3 4 stale", "fault FillRect with a deleted or unknown brush",
                           "DeleteObject stale", "fault DeleteObject of a deleted or unknown brush"}));
  sim::TheHost().faults.clear();
  dlclose(self);
}

}  // namespace
