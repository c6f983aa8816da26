// Common ground for tests of the page's drawing routines: a fresh host with
// tracing on, a focus vessel, a surface that draws nothing, and the options off.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/options.h"
#include "display/vitals_mfd.h"
#include "sim/core/host.h"
#include "sim/surface/null_surface.h"

// The single-precision cockpit factors, widened to double.
constexpr double kGenericScale = static_cast<double>(1.2f);
constexpr double kVirtualScale = static_cast<double>(0.8f);
constexpr double kPanelScale = static_cast<double>(0.9f);

class PageTest : public testing::Test {
 protected:
  void SetUp() override {
    sim::TheHost().Reset();
    sim::TheHost().focus = &vessel;
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
  std::vector<std::string> Take() {
    std::vector<std::string> lines = sim::TheHost().trace.Lines();
    sim::TheHost().trace.Clear();
    return lines;
  }

  sim::Vessel vessel;
  VESSEL* focus() { return static_cast<VESSEL*>(vessel.Interface()); }
  sim::VesselState& state() { return vessel.State(); }
  sim::NullSurface surface;
  HDC hdc = &surface;
};
