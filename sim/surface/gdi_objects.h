// Windows: the host's default pens and fonts as GDI objects, made once and
// kept for the life of the process.
#pragma once

#include <windows.h>

namespace sim {

// Default pen 1, 2 or 3 (style.h); null for any other index.
HPEN DefaultPen(int index);
// Default font 1; null for any other index.
HFONT DefaultFont(int index);

}  // namespace sim
