// Ellipses as GDI draws them: the region filled, then the outline, both as
// runs along rows that are clipped to the surface once each.
#include <algorithm>
#include <cmath>

#include "sim/surface/raster_geometry.h"
#include "sim/surface/raster_surface.h"

namespace sim {
namespace {

using raster::i64;

constexpr COLORREF kBlack = RGB(0, 0, 0);
// Ellipses whose width + height exceed this are drawn row by row instead of traced.
constexpr i64 kTracedEllipseSpan = i64(1) << 16;

// The error stepping of GDI's ellipse (Alois Zingl's algorithm) for a w x h box.
struct EllipseSteps {
  EllipseSteps(i64 w, i64 h) {
    const i64 a = w - 1, b = h - 1;
    asq = 8 * a * a;
    bsq = 8 * b * b;
    dx = 4 * b * b * (1 - a);
    dy = 4 * a * a * (1 + b % 2);
    err = dx + dy + i64(raster::Wrap(a * a)) * (b % 2);  // a 32-bit product there
  }
  // One step: whether x and whether y moves.
  void Next(bool* x_moves, bool* y_moves) {
    const i64 e2 = 2 * err;
    *x_moves = e2 >= dx;
    *y_moves = e2 <= dy;
    if (*x_moves) err += dx += bsq;
    if (*y_moves) err += dy += asq;
  }
  i64 asq, bsq, dx, dy, err;
};

}  // namespace

void RasterSurface::Ellipse(int l, int t, int r, int b) {
  const i64 L = std::min(l, r), R = std::max(l, r), T = std::min(t, b), B = std::max(t, b);
  if (L == R || T == B) return;
  if (R - L <= 2 || B - T <= 2) return Rectangle(l, t, r, b);
  if ((R - L) + (B - T) <= kTracedEllipseSpan) return ZinglEllipse(L, T, R, B);
  RowEllipse(L, T, R, B);
}

// GDI's ellipse: the elliptic region of the box filled, then the traced outline.
// One quadrant is stepped; the other three are its mirror images.
void RasterSurface::ZinglEllipse(i64 L, i64 T, i64 R, i64 B) {
  const i64 w = R - L, h = B - T;
  const i64 guard = w + h + 2;  // the steps always end well before

  // Region rows: row h/2 and below step inwards; rows above mirror them.
  const auto fill_row = [&](i64 y, i64 inset) {
    if (y >= h) return;
    FillBox(L + inset, T + y, R - inset, T + y + 1, kBlack);
    if (h - 1 - y < h / 2) FillBox(L + inset, B - 1 - y, R - inset, B - y, kBlack);
  };
  if (!nullBrush_) {
    EllipseSteps region(w, h);
    i64 x = 0, y = h / 2;
    fill_row(y, x);
    for (i64 i = 0; x <= w / 2 && i < guard; ++i) {
      bool x_moves, y_moves;
      region.Next(&x_moves, &y_moves);
      if (x_moves) ++x;
      if (y_moves) fill_row(++y, x);
    }
  }

  // Outline: from the right end of the middle row up to the top middle. The
  // pixels a row takes, x from `last` to `first`, are one run on each side,
  // mirrored to the row above the middle.
  if (nullPen_) return;
  const auto outline_row = [&](i64 y, i64 last, i64 first) {
    for (const i64 row : {B - 1 - y, T + y}) {
      FillBox(L + last, row, L + first + 1, row + 1, pen_);
      FillBox(R - 1 - first, row, R - last, row + 1, pen_);
    }
  };
  EllipseSteps outline(w, h);
  i64 x = w - 1, y = h / 2, first = x;
  for (i64 i = 0; x >= w / 2 && i < guard; ++i) {
    bool x_moves, y_moves;
    outline.Next(&x_moves, &y_moves);
    const i64 last = x;
    if (x_moves) --x;
    if (y_moves || x < w / 2 || i + 1 >= guard) {
      outline_row(y, last, first);
      first = x;
    }
    if (y_moves) ++y;
  }
}

// Boxes too large to trace: the ellipse through the extreme pixel centres, row by
// row. A row's pixels are those up to where the curve leaves the row on the side
// nearer the centre; of them, those the curve crosses within the row are outline.
void RasterSurface::RowEllipse(i64 L, i64 T, i64 R, i64 B) {
  using real = long double;
  const real cx = real(L + R - 1) / 2, cy = real(T + B - 1) / 2;
  const real ax = real(R - L - 1) / 2, ay = real(B - T - 1) / 2;
  const auto half_width = [&](real y) {  // negative beyond the ellipse
    const real v = (y - cy) / ay;
    return v * v > 1 ? real(-1) : ax * std::sqrt(1 - v * v);
  };
  const i64 y_end = std::min<i64>(B, height_);
  for (i64 y = std::max<i64>(T, 0); y < y_end; ++y) {
    const real toward = real(y) < cy ? real(0.5) : real(-0.5);
    const real inner = std::abs(real(y) - cy) <= real(0.5) ? cy : real(y) + toward;
    const real wide = half_width(inner), narrow = half_width(real(y) - toward);
    const i64 lo = std::min(i64(std::ceil(cx - wide)), i64(std::floor(cx)));
    const i64 hi = std::max(i64(std::floor(cx + wide)), i64(std::ceil(cx)));
    if (!nullBrush_) FillBox(lo, y, hi + 1, y + 1, kBlack);
    if (nullPen_) continue;
    if (narrow < 0) {
      FillBox(lo, y, hi + 1, y + 1, pen_);
      continue;
    }
    FillBox(lo, y, std::max(lo, i64(std::floor(cx - narrow))) + 1, y + 1, pen_);
    FillBox(std::min(hi, i64(std::ceil(cx + narrow))), y, hi + 1, y + 1, pen_);
  }
}

}  // namespace sim
