// The colour key at the upper left and the wheel-brake note at the page foot.
#pragma once

#include "host/gdi.h"

// The four colour swatches, one brush each, created and deleted around its fill.
void DrawKeySwatches(HDC hDC, double scale);

// "Bw" in red, then its meaning in green; leaves the text colour green.
void DrawBrakeNote(HDC hDC, double scale);
