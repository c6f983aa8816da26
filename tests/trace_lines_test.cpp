// Each call a module makes of the host, and the one trace line it writes, as
// docs/trace.md spells it out; lines the goldens and page tests pin literally
// (counts, modes, figures, colours, paint brackets, the session's calls) are left to them.
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

TEST_F(TraceLines, EachCallWritesItsDocumentedLine) {
  sim::TheHost().config = "PanelScale = 0.1\n";
  sim::TheHost().attitudeMode = 2;
  state().SetThrusters(THGROUP_HOVER, {0.5, 0.25});
  state().controlSurfaces = {0, -INFINITY, 0};
  state().wheelBrakes = {0, -NAN, INFINITY};
  Take();
  VESSEL& v = *focus();
  const RECT rc{1, 2, 3, 4};
  HBRUSH brush = nullptr;
  FILEHANDLE file = nullptr;
  char item[] = "PanelScale", missing[] = "GenericMFDSize";
  void* self = dlopen(nullptr, RTLD_NOW);  // a module exporting neither start-up routine
  char initLib[32];
  std::snprintf(initLib, sizeof initLib, "InitLib 0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(self)));
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { InitLib(static_cast<HINSTANCE>(self)); }, initLib},
      {[&] { file = oapiOpenFile("Orbiter.cfg", FILE_IN, CONFIG); }, "oapiOpenFile \"Orbiter.cfg\" 0 1 -> handle"},
      {[&] { double d; oapiReadItem_float(file, item, d); },
       "oapiReadItem_float \"PanelScale\" -> 0.10000000000000001"},
      {[&] { double d; oapiReadItem_float(file, missing, d); }, "oapiReadItem_float \"GenericMFDSize\" -> false"},
      {[&] { oapiCloseFile(file, FILE_IN); }, "oapiCloseFile handle 0"},
      {[&] { oapiCloseFile(file, FILE_IN); }, "oapiCloseFile null 0"},
      {[&] { oapiGetFocusAttitudeMode(); }, "oapiGetFocusAttitudeMode -> 2"},
      {[&] { Plain().Title(hdc, "A \"b\"\\\t"); }, "Title \"A \\\"b\\\"\\\\\\x09\""},
      {[&] { v.GetGroupThruster(THGROUP_HOVER, 1); }, "GetGroupThruster 2 1"},
      {[&] { v.GetThrusterLevel(nullptr); }, "GetThrusterLevel null -> 0"},
      {[&] { v.GetControlSurfaceLevel(AIRCTRL_RUDDER); }, "GetControlSurfaceLevel 1 -> -inf"},
      {[&] { v.GetWheelbrakeLevel(1); }, "GetWheelbrakeLevel 1 -> nan"},
      {[&] { v.GetWheelbrakeLevel(2); }, "GetWheelbrakeLevel 2 -> inf"},
      {[&] { brush = CreateSolidBrush(RGB(255, 165, 0)); }, "CreateSolidBrush 0x0000A5FF"},
      {[&] { FillRect(hdc, &rc, brush); }, "FillRect 1 2 3 4 0x0000A5FF"},
      {[&] { DeleteObject(brush); }, "DeleteObject 0x0000A5FF"},
      {[&] { TextOutA(hdc, 9, -10, "ab\"\\c\xff\0\n", 8); }, "TextOutA 9 -10 8 \"ab\\\"\\\\c\\xFF\\x00\\x0A\""},
      {[&] { TextOutA(hdc, 0, 0, "abc", 2); }, "TextOutA 0 0 2 \"ab\""},
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
