// The fixed plan view of the vessel that the live indicators are drawn over.
#pragma once

#include "host/gdi.h"

// Outline, fuselage sides, nozzles, control-surface outlines, centre-line
// bodies and the two zero marks, in the pen the caller selected.
void DrawVesselOutline(HDC hDC, double scale);

// Hover-engine rings and wheels, drawn over the outline.
void DrawEnginesAndWheels(HDC hDC, double scale);
