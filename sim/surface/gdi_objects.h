// Windows: the host's default pens and fonts as GDI objects, kept for the
// life of the process.
#pragma once

#include <windows.h>

namespace sim {

// Default pen 0 to 5 (sim/core/look.h); null for any other index.
HPEN DefaultPen(int index);
// Makes default fonts 0 to 3 for a display this high, in place of any before.
void MakeDefaultFonts(int displayHeight);
// Default font 0 to 3, once made; null for any other index.
HFONT DefaultFont(int index);

}  // namespace sim
