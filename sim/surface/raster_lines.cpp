// Lines in the pen: runs along a row or a column are boxes; a sloped line is
// clipped once to its first and last Bresenham pixels on the surface, then
// stepped between them.
#include <algorithm>
#include <cstdlib>

#include "sim/surface/raster_geometry.h"
#include "sim/surface/raster_surface.h"

namespace sim {
namespace {

using raster::i64;

struct Pt {
  i64 x, y;
};
struct Box {  // half-open
  i64 l, t, r, b;
};

// Line octants 1..8 clockwise from +x (y down), as the bit 1 << (octant - 1).
unsigned Octant(i64 dx, i64 dy) {
  int n;
  if (dy > 0)
    n = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  else
    n = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
  return 1u << (n - 1);
}
bool XMajor(unsigned octant) { return octant & 0x99; }
bool PositiveSlope(unsigned octant) { return octant & 0x33; }
bool XIncreasing(unsigned octant) { return octant & 0xc3; }
bool YIncreasing(unsigned octant) { return octant & 0x0f; }
int Bias(unsigned octant) { return octant & 0xb4 ? 1 : 0; }  // octants 3, 5, 6 and 8

// A sloped line with an end this far out is first scaled down eightfold, end by end.
POINT Crop(POINT p) {
  constexpr int kFar = 0x10000000;
  if (p.x >= kFar || p.x <= -kFar || p.y >= kFar || p.y <= -kFar) {
    p.x /= 8;
    p.y /= 8;
  }
  return p;
}

enum : unsigned { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

unsigned Outcode(Pt p, const Box& c) {
  unsigned out = 0;
  if (p.x < c.l) out |= kLeft;
  else if (p.x >= c.r) out |= kRight;
  if (p.y < c.t) out |= kTop;
  else if (p.y >= c.b) out |= kBottom;
  return out;
}

// Moves the ends of the sloped line p1-p2 (|dx|, |dy| given) to its first and
// last Bresenham pixels inside clip, keeping the pixel sequence. Returns 0 when
// none is inside, 1 when clipped, 2 when the line is wholly inside.
int ClipLine(Pt p1, Pt p2, const Box& clip, i64 dx, i64 dy, unsigned octant, Pt* c1, Pt* c2) {
  const i64 bias = Bias(octant);
  const i64 two_dx = 2 * dx, two_dy = 2 * dy;
  const bool xmajor = XMajor(octant);
  const i64 sign = PositiveSlope(octant) ? 1 : -1;
  *c1 = p1;
  *c2 = p2;
  unsigned s = Outcode(p1, clip), e = Outcode(p2, clip);
  bool clipped = false;
  for (int step = 0; step < 8; ++step) {
    if (!s && !e) return clipped ? 1 : 2;
    if (s & e) return 0;
    clipped = true;
    i64 m, n;
    if (s & (kLeft | kRight)) {
      m = s & kLeft ? clip.l - p1.x : p1.x - clip.r + 1;
      n = xmajor ? (m * two_dy + bias + dx - 1) / two_dx : (m * two_dy - bias - dy) / two_dx + 1;
      c1->x = s & kLeft ? clip.l : clip.r - 1;
      c1->y = s & kLeft ? p1.y + sign * n : p1.y - sign * n;
      s = Outcode(*c1, clip);
    } else if (s) {
      n = s & kTop ? clip.t - p1.y : p1.y - clip.b + 1;
      m = xmajor ? (n * two_dx - bias - dx) / two_dy + 1 : (n * two_dx + bias + dy - 1) / two_dy;
      c1->y = s & kTop ? clip.t : clip.b - 1;
      c1->x = s & kTop ? p1.x + sign * m : p1.x - sign * m;
      s = Outcode(*c1, clip);
    } else if (e & (kLeft | kRight)) {
      m = e & kLeft ? clip.l - p2.x : p2.x - clip.r + 1;
      n = xmajor ? (m * two_dy - bias + dx) / two_dx : (m * two_dy + bias - dy - 1) / two_dx + 1;
      c2->x = e & kLeft ? clip.l : clip.r - 1;
      c2->y = e & kLeft ? p2.y + sign * n : p2.y - sign * n;
      e = Outcode(*c2, clip);
    } else {
      n = e & kTop ? clip.t - p2.y : p2.y - clip.b + 1;
      m = xmajor ? (n * two_dx + bias - dx - 1) / two_dy + 1 : (n * two_dx - bias + dy) / two_dy;
      c2->y = e & kTop ? clip.t : clip.b - 1;
      c2->x = e & kTop ? p2.x + sign * m : p2.x - sign * m;
      e = Outcode(*c2, clip);
    }
  }
  return 0;
}

}  // namespace

void RasterSurface::LineTo(int x, int y) {
  Segment(position_, {x, y});
  position_ = {x, y};
}

void RasterSurface::Polyline(const POINT* pts, int n) {
  if (!pts || n < 2) return;
  for (int i = 0; i + 1 < n; ++i) Segment(pts[i], pts[i + 1]);
}

void RasterSurface::Segment(POINT from, POINT to) {
  if (nullPen_) return;
  if (from.y == to.y) {  // a run along the row, end excluded
    int l = from.x, r = to.x;
    raster::OrderEnds(&l, &r);
    FillBox(l, from.y, r, raster::Wrap(i64(to.y) + 1), pen_);
    return;
  }
  if (from.x == to.x) {
    int t = from.y, b = to.y;
    raster::OrderEnds(&t, &b);
    FillBox(from.x, t, raster::Wrap(i64(to.x) + 1), b, pen_);
    return;
  }

  // The line's box on the surface; its pixels between the clipped ends all
  // lie inside, since a line's pixels move monotonically in x and y.
  const POINT c1 = Crop(from), c2 = Crop(to);
  const Pt p1{c1.x, c1.y}, p2{c2.x, c2.y};
  const unsigned octant = Octant(p2.x - p1.x, p2.y - p1.y);
  const i64 dx = std::abs(p2.x - p1.x), dy = std::abs(p2.y - p1.y);
  const Box clip{std::max<i64>(std::min(p1.x, p2.x), 0), std::max<i64>(std::min(p1.y, p2.y), 0),
                 std::min<i64>(std::max(p1.x, p2.x) + 1, width_), std::min<i64>(std::max(p1.y, p2.y) + 1, height_)};
  if (clip.l >= clip.r || clip.t >= clip.b) return;
  Pt start, end;
  if (!ClipLine(p1, p2, clip, dx, dy, octant, &start, &end)) return;

  // Error term at the clipped start, as if stepped there from p1.
  const bool xmajor = XMajor(octant);
  const i64 m = std::abs(start.x - p1.x), n = std::abs(start.y - p1.y);
  const i64 major = xmajor ? dx : dy, minor = xmajor ? dy : dx;
  i64 err = xmajor ? 2 * dy - dx + 2 * m * dy - 2 * n * dx : 2 * dx - dy + 2 * n * dx - 2 * m * dy;
  i64 len = (xmajor ? std::abs(end.x - start.x) : std::abs(end.y - start.y)) + 1;
  if (end.x == p2.x && end.y == p2.y) --len;

  // Steps along the pixel array: the major step always, the minor one on the error.
  const i64 bias = Bias(octant);
  const i64 xi = XIncreasing(octant) ? 1 : -1, yi = YIncreasing(octant) ? width_ : -i64(width_);
  const i64 major_step = xmajor ? xi : yi, minor_step = xmajor ? yi : xi;
  const COLORREF colour = pen_ & raster::kRgbMask;
  COLORREF* const pixels = pixels_.data();
  for (i64 at = start.y * width_ + start.x; len > 0; --len) {
    pixels[at] = colour;
    if (err + bias > 0) {
      at += minor_step;
      err += 2 * minor - 2 * major;
    } else {
      err += 2 * minor;
    }
    at += major_step;
  }
}

}  // namespace sim
