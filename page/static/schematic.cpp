#include "page/static/schematic.h"

#include "page/pixel.h"
#include "page/colours.h"

namespace {

struct DesignBox {
  int left, top, right, bottom;
};

template <int N>
void DrawChain(HDC hDC, const DesignPoint (&points)[N], double scale) {
  const PixelPoints<N> pixels = ToPixels(points, scale);
  Polyline(hDC, pixels.points, pixels.count);
}

constexpr DesignPoint kOutline[9] = {{160, 57}, {167, 62}, {185, 99},  {259, 210}, {263, 256},
                                     {57, 256}, {61, 210}, {135, 99}, {153, 62}};
constexpr DesignPoint kFuselageSides[6] = {{140, 256}, {140, 165}, {153, 62},
                                           {167, 62},  {180, 165}, {180, 256}};
constexpr DesignBox kForwardBody = {155, 91, 166, 125};
// Main-engine nozzles, then the trailing-edge control-surface outlines.
constexpr DesignPoint kSmallOutlines[4][4] = {
    {{152, 256}, {156, 266}, {139, 266}, {143, 256}},
    {{177, 256}, {181, 266}, {164, 266}, {168, 256}},
    {{61, 256}, {61, 245}, {105, 245}, {105, 256}},
    {{215, 256}, {215, 245}, {259, 245}, {259, 256}},
};
// Aft block, then the square base over the forward body's lower end.
constexpr DesignBox kCentreBlocks[2] = {{150, 226, 171, 238}, {155, 114, 166, 125}};
constexpr DesignPoint kZeroMarks[2] = {{98, 175}, {221, 175}};

// Forward, left aft and right aft hover rings; nose, left and right main wheels.
constexpr DesignBox kRingsAndWheels[6] = {
    {154, 132, 167, 145}, {106, 216, 119, 229}, {200, 216, 213, 229},
    {158, 77, 163, 87},   {101, 205, 106, 215}, {213, 205, 218, 215},
};

}  // namespace

void DrawVesselOutline(HDC hDC, double scale) {
  const PixelPoints<9> outline = ToPixels(kOutline, scale);
  Polygon(hDC, outline.points, outline.count);
  DrawChain(hDC, kFuselageSides, scale);
  Ellipse(hDC, Px(kForwardBody.left, scale), Px(kForwardBody.top, scale), Px(kForwardBody.right, scale),
          Px(kForwardBody.bottom, scale));
  for (const auto& chain : kSmallOutlines) DrawChain(hDC, chain, scale);
  for (const DesignBox& box : kCentreBlocks)
    Rectangle(hDC, Px(box.left, scale), Px(box.top, scale), Px(box.right, scale), Px(box.bottom, scale));
  for (const DesignPoint& mark : kZeroMarks) SetPixel(hDC, Px(mark.x, scale), Px(mark.y, scale), kTextGreen);
}

void DrawEnginesAndWheels(HDC hDC, double scale) {
  for (const DesignBox& box : kRingsAndWheels)
    Ellipse(hDC, Px(box.left, scale), Px(box.top, scale), Px(box.right, scale), Px(box.bottom, scale));
}
