#include "page/static/colour_key.h"

#include "display/vitals_mfd.h"
#include "page/colours.h"
#include "page/fill.h"
#include "page/text.h"

namespace {

struct Swatch {
  int left, top, right, bottom;
  COLORREF colour;
};

// Thrusters +/-, then control surfaces +/-.
constexpr Swatch kSwatches[4] = {
    {5, 42, 15, 52, kGreen},
    {5, 54, 15, 64, kYellow},
    {5, 88, 15, 98, kGrey},
    {5, 100, 15, 110, kWhite},
};

constexpr Label kCaptions[8] = {
    {18, 40, "+"},      {19, 51, "-"},       {26, 45, "Thrusters"}, {18, 86, "+"},
    {19, 98, "-"},      {26, 81, "Flight"},  {26, 92, "Control"},   {26, 103, "Surfaces"},
};

struct ColouredLabel {
  COLORREF colour;
  Label label;
};

constexpr ColouredLabel kBrakeNote[2] = {
    {kRed, {3, 300, "Bw"}},
    {kTextGreen, {21, 300, "= Wheel brake ON"}},
};

}  // namespace

void DrawKeySwatches(HDC hDC, double scale) {
  for (const Swatch& s : kSwatches) FillDesignRect(hDC, s.left, s.top, s.right, s.bottom, s.colour, scale);
}

void VitalsMFD::DrawKeyCaptions(HDC hDC, double scale) const {
  SelectDefaultFont(hDC, 1);
  SetTextColor(hDC, kTextGreen);
  for (const Label& caption : kCaptions) WriteLabel(hDC, caption, scale);
}

void DrawBrakeNote(HDC hDC, double scale) {
  for (const ColouredLabel& part : kBrakeNote) {
    SetTextColor(hDC, part.colour);
    WriteLabel(hDC, part.label, scale);
  }
}
