// The numbered parts, their descriptions and the axis cross, shown on request.
#include "display/vitals_mfd.h"
#include "page/colours.h"
#include "page/text.h"

namespace {

// On the schematic; never shifted.
constexpr Label kPartNumbers[23] = {
    {145, 56, "1"},   {171, 56, "2"},   {90, 170, "3"},   {213, 170, "4"},  {133, 242, "5"},
    {182, 242, "6"},  {158, 256, "7"},  {121, 99, "8"},   {194, 99, "9"},   {143, 126, "10"},
    {95, 222, "11"},  {188, 222, "12"}, {126, 256, "13"}, {182, 256, "14"}, {26, 254, "15"},
    {281, 254, "16"}, {64, 270, "17"},  {246, 270, "18"}, {89, 270, "19"},  {220, 270, "20"},
    {89, 204, "21"},  {200, 204, "22"}, {246, 283, "23"},
};

// Right-hand column, shifted by the legend offset.
constexpr Label kThrusterLines[14] = {
    {129, 0, "1. Yaw right/Pitch up/dn/Move up/dn/bck/right"},
    {129, 11, "2. Yaw left/Pitch up/dn/Move up/dn/bck/left"},
    {242, 22, "3. Bank right/left"},
    {242, 33, "4. Bank left/right"},
    {216, 44, "5. Yaw left/Move right"},
    {216, 55, "6. Yaw right/Move left"},
    {175, 66, "7. Pitch dn/up/Move up/dn/fwd"},
    {230, 83, "8. Retro thrust left"},
    {230, 94, "9. Retro thrust right"},
    {227, 105, "10. Hover thrust fwd"},
    {227, 116, "11. Hover thrust aft"},
    {227, 127, "12. Hover thrust aft"},
    {225, 138, "13. Main thrust left"},
    {225, 149, "14. Main thrust right"},
};

// Left-hand column and page foot; never shifted.
constexpr Label kFixedLines[10] = {
    {3, 130, "15. Rudder"},
    {3, 141, "16. Rudder"},
    {3, 152, "17. Aileron"},
    {3, 163, "18. Aileron"},
    {3, 174, "19. Elevator"},
    {3, 185, "20. Elevator"},
    {110, 267, "21. Wheel brake left"},
    {110, 278, "22. Wheel brake right"},
    {110, 289, "23. AutoPilot/AF ctrl/"},
    {128, 300, "RCS mode/Flight Status"},
};

// Axis cross labels, shifted.
constexpr Label kAxisLabels[6] = {
    {265, 165, "+y(up)"}, {280, 200, "-y(dn)"}, {263, 183, "-x"},
    {298, 183, "+x"},     {265, 196, "-z"},     {296, 170, "+z"},
};

// x, y and z arrows with their arrowhead strokes, shifted.
constexpr DesignPoint kAxisArrows[3][6] = {
    {{276, 191}, {276, 189}, {275, 190}, {295, 190}, {294, 191}, {294, 189}},
    {{286, 199}, {284, 199}, {285, 200}, {285, 180}, {286, 181}, {284, 181}},
    {{275, 199}, {276, 200}, {275, 200}, {295, 180}, {294, 180}, {295, 181}},
};

}  // namespace

void VitalsMFD::DrawPartsLegend(HDC hDC, double scale, int legendOffset) const {
  SelectDefaultFont(hDC, 1);
  SetTextColor(hDC, kOrange);
  SelectDefaultPen(hDC, 3);
  for (const Label& number : kPartNumbers) WriteLabel(hDC, number, scale);
  for (const Label& line : kThrusterLines) WriteLabel(hDC, line, scale, legendOffset);
  for (const Label& line : kFixedLines) WriteLabel(hDC, line, scale);
  for (const Label& label : kAxisLabels) WriteLabel(hDC, label, scale, legendOffset);
  for (const auto& arrow : kAxisArrows) {
    const auto pixels = ToPixels(arrow, scale, legendOffset);
    Polyline(hDC, pixels.points, pixels.count);
  }
  SetTextColor(hDC, kTextGreen);
}
