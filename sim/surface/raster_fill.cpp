// Filled figures: rectangles and boxes, and polygons by the alternate rule.
// Each clips its rows and columns to the surface once, before its loops.
#include <algorithm>

#include "sim/surface/raster_geometry.h"
#include "sim/surface/raster_surface.h"

namespace sim {
namespace {

using raster::i128;
using raster::i64;

constexpr COLORREF kBlack = RGB(0, 0, 0);

// ceil(a / b) for b > 0.
i64 CeilDiv(i128 a, i64 b) {
  i128 q = a / b;
  if (a % b > 0) ++q;
  return static_cast<i64>(q);
}

}  // namespace

void RasterSurface::FillRect(const RECT& rc, COLORREF brush) {
  int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
  raster::OrderEnds(&l, &r);
  raster::OrderEnds(&t, &b);
  FillBox(l, t, r, b, brush);
}

void RasterSurface::Rectangle(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (l == r || t == b) return;
  --r;  // the last column and row
  --b;
  const POINT corners[4] = {{r, t}, {l, t}, {l, b}, {r, b}};
  for (int i = 0; i < 4; ++i) Segment(corners[i], corners[(i + 1) % 4]);
  if (!nullBrush_) FillBox(i64(l) + 1, i64(t) + 1, r, b, kBlack);
}

void RasterSurface::Polygon(const POINT* pts, int n) {
  if (!pts || n < 2) return;
  if (!nullBrush_) FillPolygon(pts, n);
  for (int i = 0; i + 1 < n; ++i) Segment(pts[i], pts[i + 1]);
  Segment(pts[n - 1], pts[0]);
}

// Alternate fill: on each scan line y, an edge from top to bottom (top.y <= y <
// bottom.y) crosses at top.x + ceil((y - top.y) * dx / dy); pixels from an odd
// crossing up to, not including, the next are inside.
void RasterSurface::FillPolygon(const POINT* pts, int n) {
  i64 ymin = pts[0].y, ymax = pts[0].y;
  for (int i = 1; i < n; ++i) {
    ymin = std::min<i64>(ymin, pts[i].y);
    ymax = std::max<i64>(ymax, pts[i].y);
  }
  if (crossings_.size() < std::size_t(n)) crossings_.resize(std::size_t(n));
  const i64 y_end = std::min<i64>(ymax, height_);
  for (i64 y = std::max<i64>(ymin, 0); y < y_end; ++y) {
    // Where the row crosses the edges, clipped to the surface and in order;
    // alternate spans between them are inside.
    std::size_t count = 0;
    for (int i = 0; i < n; ++i) {
      POINT top = pts[i], bottom = pts[(i + 1) % n];
      if (top.y > bottom.y) std::swap(top, bottom);
      if (y < top.y || y >= bottom.y) continue;
      const i64 x = top.x + CeilDiv(i128(y - top.y) * (i64(bottom.x) - top.x), i64(bottom.y) - top.y);
      crossings_[count++] = std::clamp<i64>(x, 0, width_);
    }
    std::sort(crossings_.begin(), crossings_.begin() + i64(count));
    COLORREF* row = pixels_.data() + y * width_;
    for (std::size_t i = 0; i + 1 < count; i += 2) std::fill(row + crossings_[i], row + crossings_[i + 1], kBlack);
  }
}

}  // namespace sim
