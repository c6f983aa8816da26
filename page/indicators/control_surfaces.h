// Control-surface bars around the tail and the wheel-brake marks.
#pragma once

#include "host/vessel.h"

// Both rudder bars from one rudder level.
void DrawRudders(HDC hDC, double scale, VESSEL* vessel);
// Both elevator bars from one elevator level.
void DrawElevators(HDC hDC, double scale, VESSEL* vessel);
// Both aileron bars from one aileron level.
void DrawAilerons(HDC hDC, double scale, VESSEL* vessel);

// Horizontal bar; the marker moves right with a positive level.
void DrawRudderBar(HDC hDC, double level, int offset, double scale);
// Vertical bar with its "+y"/"-y" label; direction -1 moves the marker up.
void DrawElevatorBar(HDC hDC, double level, int barOffset, int labelOffset, int direction, double scale);
// Vertical bar with its "+y"/"-y" label; direction +1 moves the marker down.
void DrawAileronBar(HDC hDC, double level, int barOffset, int labelOffset, int direction, double scale);

// "Bw" beside a main wheel, in the current text colour.
void DrawBrakeMarker(HDC hDC, int offset, double scale);
