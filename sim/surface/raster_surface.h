// A drawing surface that rasterises into pixels by the rules of the Windows GDI
// (as its DIB engine draws with one-pixel cosmetic pens and solid brushes).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/surface/font.h"
#include "sim/surface/page_surface.h"

namespace sim {

// width x height COLORREF pixels, black at start. The state starts as a new
// device context's: position (0,0), black pen, black brush, black text, and
// the host's default font 0 for a display of this height selected. Polygon,
// Ellipse and Rectangle fill their interiors black until the null brush
// leaves them hollow; the null pen draws no lines and no outlines.
// Drawing allocates only for a glyph's first drawing and for a polygon of more
// points than any before (the page's have at most 9); every coordinate from INT_MIN to INT_MAX is clipped before
// any pixel loop.
class RasterSurface final : public PageSurface {
 public:
  // Throws std::invalid_argument for a size outside 1..16384, std::runtime_error
  // when a font cannot be loaded.
  RasterSurface(int width, int height);

  POINT Position() const override { return position_; }
  void MoveTo(int x, int y) override { position_ = {x, y}; }
  void LineTo(int x, int y) override;
  void Polyline(const POINT* pts, int n) override;
  void Polygon(const POINT* pts, int n) override;
  void Ellipse(int l, int t, int r, int b) override;
  void Rectangle(int l, int t, int r, int b) override;
  void SetPixel(int x, int y, COLORREF c) override;
  void FillRect(const RECT& rc, COLORREF brush) override;
  COLORREF SetTextColor(COLORREF c) override;
  void TextOut(int x, int y, const char* text, int len) override;
  void SetBkMode(int) override {}  // text is always transparent
  void SelectPen(int index) override;
  void SelectFont(int index) override;
  void SelectStockObject(int object) override;
  void Clear() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixel at (x, y); CLR_INVALID (0xFFFFFFFF) outside the surface, as GetPixel.
  COLORREF Pixel(int x, int y) const;
  // Rows top to bottom, Width() pixels each.
  const COLORREF* Data() const { return pixels_.data(); }
  // The selected font, and the host's default font i (0 to 3).
  const Font& TextFont() const { return *font_; }
  const Font& DefaultFont(int i) const { return fonts_[std::size_t(i)]; }
  // The pixels as an RGB image.
  Image Picture() const override;
  int CharWidth() const override { return DefaultFont(0).AverageCharWidth(); }
  int CharHeight() const override { return DefaultFont(0).CellHeight(); }

 private:
  // Fills [l, r) x [t, b) clipped to the surface; nothing when r <= l or b <= t.
  // Every primitive draws its runs through it or clips before its own loops.
  void FillBox(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, COLORREF c);
  void Segment(POINT from, POINT to);  // pen line, end point excluded
  void FillPolygon(const POINT* pts, int n);
  void ZinglEllipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b);
  void RowEllipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b);

  int width_;
  int height_;
  std::vector<COLORREF> pixels_;
  static constexpr std::size_t kPolygonPoints = 16;  // crossings held without allocating
  std::vector<std::int64_t> crossings_;  // one polygon scan line's edge crossings
  std::vector<Font> fonts_;  // the host's default fonts 0 to 3
  const Font* font_;
  POINT position_{0, 0};
  COLORREF pen_ = RGB(0, 0, 0);
  bool nullPen_ = false;
  bool nullBrush_ = false;  // else black
  COLORREF text_ = RGB(0, 0, 0);
};

inline void RasterSurface::FillBox(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, COLORREF c) {
  l = std::max<std::int64_t>(l, 0);
  t = std::max<std::int64_t>(t, 0);
  r = std::min<std::int64_t>(r, width_);
  b = std::min<std::int64_t>(b, height_);
  if (r <= l) return;
  for (std::int64_t y = t; y < b; ++y) {
    COLORREF* row = pixels_.data() + y * width_;
    std::fill(row + l, row + r, c & 0x00FFFFFF);
  }
}

}  // namespace sim
