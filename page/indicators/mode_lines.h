// The four mode and status lines at the lower right of the page.
#pragma once

#include "host/vessel.h"

// Engaged autopilot function; true when it shows one of navigation modes 1 to 6.
bool DrawAutopilotLine(HDC hDC, double scale, VESSEL* vessel);
// Aerodynamic-control mode.
void DrawAeroControlLine(HDC hDC, double scale, VESSEL* vessel);
// Reaction-control mode, from the attitude mode the caller has read.
void DrawRcsLine(HDC hDC, double scale, int attitudeMode);
// In flight, landed or docked.
void DrawFlightStatusLine(HDC hDC, double scale, VESSEL* vessel);
