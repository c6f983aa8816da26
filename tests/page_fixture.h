// Common ground for tests of the page's drawing routines: a fresh host with
// tracing on, a focus vessel, a surface that draws nothing, the options off,
// and the trace lines the routines write.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "display/module_values.h"
#include "display/vitals_mfd.h"
#include "sim/core/host.h"
#include "sim/surface/null_surface.h"
#include "tests/cockpit_scales.h"


using Lines = std::vector<std::string>;

inline std::string Text(long x, long y, std::string_view s) {
  return "TextOutA " + std::to_string(x) + ' ' + std::to_string(y) + ' ' + std::to_string(s.size()) + " \"" +
         std::string(s) + '"';
}

inline std::string Fill(long l, long t, long r, long b, std::string_view colour = "0x0000FF00") {
  return "FillRect " + std::to_string(l) + ' ' + std::to_string(t) + ' ' + std::to_string(r) + ' ' +
         std::to_string(b) + ' ' + std::string(colour);
}

// The lines of the given calls.
inline Lines Only(Lines lines, std::initializer_list<std::string_view> calls) {
  std::erase_if(lines, [&](const std::string& line) {
    return std::ranges::find(calls, line.substr(0, line.find(' '))) == calls.end();
  });
  return lines;
}

class PageTest : public testing::Test {
 protected:
  void SetUp() override {
    sim::TheHost().Reset();
    sim::TheHost().focus = &vessel;
    sim::TheHost().drawing = &surface;
    renderWindow = static_cast<HWND>(sim::TheHost().renderWindow);
    sim::TheHost().trace.Enable(true);
    showDescriptions = false;
    logExhausts = false;
  }
  void TearDown() override {
    EXPECT_TRUE(sim::TheHost().faults.empty()) << sim::TheHost().faults.front();
    EXPECT_EQ(sim::TheHost().brushes.Live(), 0);
  }

  // Everything traced so far, and the trace restarted.
  Lines Take() {
    Lines lines = sim::TheHost().trace.Lines();
    sim::TheHost().trace.Clear();
    return lines;
  }

  sim::Vessel vessel;
  VESSEL* focus() { return static_cast<VESSEL*>(vessel.Interface()); }
  sim::VesselState& state() { return vessel.State(); }
  sim::NullSurface surface;
  HDC hdc = static_cast<HDC>(surface.Dc());
};
