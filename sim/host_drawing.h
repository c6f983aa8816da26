// The host's own drawing on a display's device context, done by each
// platform's surface and left out of the trace of the module's calls.
#pragma once

#include "host/gdi.h"

namespace sim {

// The title at (x, 0) in the host's title colour, which stays set.
void DrawTitle(HDC hdc, int x, const char* title, int len);
// Host default pen 0 to 5; other indices select nothing.
void SelectHostPen(HDC hdc, int index);
// Host default font 0 to 3; other indices select nothing.
void SelectHostFont(HDC hdc, int index);

}  // namespace sim
