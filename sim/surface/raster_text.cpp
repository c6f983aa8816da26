// Text in the selected font and the text colour, drawn transparently: each
// glyph's bitmap clipped to the surface once, then copied.
#include <algorithm>

#include "sim/surface/raster_geometry.h"
#include "sim/surface/raster_surface.h"

namespace sim {

using raster::i64;

// Reference point at the top left of the cell, as the text runs: the pen
// moves right from x, or up from y.
void RasterSurface::TextOut(int x, int y, const char* text, int len) {
  if (!text || len <= 0) return;
  const bool upward = font_->Upward();
  const COLORREF colour = text_ & raster::kRgbMask;
  i64 pen = upward ? y : x;
  for (int i = 0; i < len; ++i) {
    const Font::Glyph* g = font_->Find(static_cast<unsigned char>(text[i]));
    if (!g) continue;
    const i64 left = (upward ? x : pen) + g->x, top = (upward ? pen : y) + g->y;
    const int c0 = int(std::clamp<i64>(-left, 0, g->width)), c1 = int(std::clamp<i64>(width_ - left, 0, g->width));
    const int r0 = int(std::clamp<i64>(-top, 0, g->rows)), r1 = int(std::clamp<i64>(height_ - top, 0, g->rows));
    for (int row = r0; row < r1; ++row) {
      const std::uint8_t* bits = font_->Row(*g, row);
      COLORREF* pixels = pixels_.data() + (top + row) * width_ + left;
      for (int col = c0; col < c1; ++col)
        if (bits[col >> 3] & (0x80 >> (col & 7))) pixels[col] = colour;
    }
    pen += upward ? -g->advance : g->advance;
  }
}

}  // namespace sim
