// The static page: vessel schematic, colour key, brake note and parts legend.
#include "page/static/colour_key.h"
#include "page/static/schematic.h"
#include "page_fixture.h"
#include "tests/golden.h"

namespace {

using StaticPageTest = PageTest;

// Scale 1 puts design units on pixels, with a legend offset of 40: it moves only
// lines 1 to 14, the axis labels and the arrows. Other scales and offsets:
// Refresh.EveryCoordinateIsScaledAndTruncated.
TEST_F(StaticPageTest, WholePageInOrderAtScaleOne) {
  const VitalsMFD mfd{256, 256, nullptr};
  Take();
  DrawVesselOutline(hdc, 1.0);
  DrawEnginesAndWheels(hdc, 1.0);
  DrawKeySwatches(hdc, 1.0);
  mfd.DrawKeyCaptions(hdc, 1.0);
  DrawBrakeNote(hdc, 1.0);
  mfd.DrawPartsLegend(hdc, 1.0, 40);
  ExpectGolden(Take(), "static-page");
}

}  // namespace
