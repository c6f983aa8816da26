#include "sim/surface/gdi_objects.h"

#include <iterator>

#include "sim/core/look.h"

namespace sim {

HPEN DefaultPen(int index) {
  static const HPEN pens[6] = {CreatePen(PS_SOLID, 0, kDefaultPens[0]), CreatePen(PS_SOLID, 0, kDefaultPens[1]),
                               CreatePen(PS_SOLID, 0, kDefaultPens[2]), CreatePen(PS_SOLID, 0, kDefaultPens[3]),
                               CreatePen(PS_SOLID, 0, kDefaultPens[4]), CreatePen(PS_SOLID, 0, kDefaultPens[5])};
  return unsigned(index) < std::size(pens) ? pens[index] : nullptr;
}

namespace {
HFONT defaultFonts[std::size(kDefaultFonts)];
}  // namespace

void MakeDefaultFonts(int displayHeight) {
  for (std::size_t i = 0; i < std::size(kDefaultFonts); ++i) {
    const FontStyle& style = kDefaultFonts[i];
    if (defaultFonts[i]) DeleteObject(defaultFonts[i]);
    defaultFonts[i] = CreateFontA(-FontHeight(style, displayHeight), 0, style.escapement, style.escapement, FW_NORMAL,
                                  FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_STROKE_PRECIS,
                                  NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, style.face);
  }
}

HFONT DefaultFont(int index) { return unsigned(index) < std::size(defaultFonts) ? defaultFonts[index] : nullptr; }

}  // namespace sim
