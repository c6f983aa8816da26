#include "sim/surface/raster_surface.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

#include "sim/core/look.h"

namespace sim {
namespace {

using i64 = std::int64_t;
__extension__ typedef __int128 i128;  // products of two 33-bit differences

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kInvalid = 0xFFFFFFFF;
constexpr COLORREF kRgbMask = 0x00FFFFFF;
constexpr int kMaxSide = 16384;
// Ellipses whose width + height exceed this are drawn row by row instead of traced.
constexpr i64 kTracedEllipseSpan = i64(1) << 16;

// GDI keeps coordinates in 32-bit ints; where its sums wrap, these do too.
int Wrap(i64 v) { return static_cast<int>(static_cast<std::uint32_t>(v)); }

// Puts a pair of edges in order; an inverted pair covers (e, s], not [e, s).
void OrderEnds(int* s, int* e) {
  if (*s <= *e) return;
  const int start = *s;
  *s = Wrap(i64(*e) + 1);
  *e = Wrap(i64(start) + 1);
}

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

// ceil(a / b) for b > 0.
i64 CeilDiv(i128 a, i64 b) {
  i128 q = a / b;
  if (a % b > 0) ++q;
  return static_cast<i64>(q);
}

// The error stepping of GDI's ellipse (Alois Zingl's algorithm) for a w x h box.
struct EllipseSteps {
  EllipseSteps(i64 w, i64 h) {
    const i64 a = w - 1, b = h - 1;
    asq = 8 * a * a;
    bsq = 8 * b * b;
    dx = 4 * b * b * (1 - a);
    dy = 4 * a * a * (1 + b % 2);
    err = dx + dy + i64(Wrap(a * a)) * (b % 2);  // a 32-bit product there
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

// The host's default fonts for a display of this size.
std::vector<Font> DefaultFonts(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    throw std::invalid_argument("surface size out of range");
  return HostFonts(height);
}

}  // namespace

RasterSurface::RasterSurface(int width, int height)
    : width_(width), height_(height), fonts_(DefaultFonts(width, height)), font_(&fonts_[0]) {
  pixels_.assign(std::size_t(width) * std::size_t(height), kBlack);
  crossings_.resize(kPolygonPoints);
}

COLORREF RasterSurface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalid;
  return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void RasterSurface::Plot(i64 x, i64 y, COLORREF c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = c & kRgbMask;
}

void RasterSurface::FillBox(i64 l, i64 t, i64 r, i64 b, COLORREF c) {
  l = std::max<i64>(l, 0);
  t = std::max<i64>(t, 0);
  r = std::min<i64>(r, width_);
  b = std::min<i64>(b, height_);
  for (i64 y = t; y < b; ++y) {
    COLORREF* row = pixels_.data() + y * width_;
    std::fill(row + l, row + std::max(l, r), c & kRgbMask);
  }
}

COLORREF RasterSurface::SetTextColor(COLORREF c) {
  const COLORREF previous = text_;
  text_ = c;
  return previous;
}

void RasterSurface::Clear() { std::fill(pixels_.begin(), pixels_.end(), kBlack); }

void RasterSurface::SelectPen(int index) {
  if (unsigned(index) >= std::size(kDefaultPens)) return;
  pen_ = kDefaultPens[index];
  nullPen_ = false;
}

void RasterSurface::SelectStockObject(int object) {
  if (object == NULL_PEN) nullPen_ = true;
  if (object == NULL_BRUSH) nullBrush_ = true;
}

void RasterSurface::SelectFont(int index) {
  if (unsigned(index) < fonts_.size()) font_ = &fonts_[std::size_t(index)];
}

void RasterSurface::FillRect(const RECT& rc, COLORREF brush) {
  int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
  OrderEnds(&l, &r);
  OrderEnds(&t, &b);
  FillBox(l, t, r, b, brush);
}

void RasterSurface::LineTo(int x, int y) {
  Segment(position_, {x, y});
  position_ = {x, y};
}

void RasterSurface::Polyline(const POINT* pts, int n) {
  if (!pts || n < 2) return;
  for (int i = 0; i + 1 < n; ++i) Segment(pts[i], pts[i + 1]);
}

void RasterSurface::Polygon(const POINT* pts, int n) {
  if (!pts || n < 2) return;
  if (!nullBrush_) FillPolygon(pts, n);
  for (int i = 0; i + 1 < n; ++i) Segment(pts[i], pts[i + 1]);
  Segment(pts[n - 1], pts[0]);
}

void RasterSurface::Segment(POINT from, POINT to) {
  if (nullPen_) return;
  if (from.y == to.y) {  // a run along the row, end excluded
    int l = from.x, r = to.x;
    OrderEnds(&l, &r);
    FillBox(l, from.y, r, Wrap(i64(to.y) + 1), pen_);
    return;
  }
  if (from.x == to.x) {
    int t = from.y, b = to.y;
    OrderEnds(&t, &b);
    FillBox(from.x, t, Wrap(i64(to.x) + 1), b, pen_);
    return;
  }

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

  const i64 bias = Bias(octant);
  const i64 xi = XIncreasing(octant) ? 1 : -1, yi = YIncreasing(octant) ? 1 : -1;
  i64 x = start.x, y = start.y;
  for (; len > 0; --len) {
    Plot(x, y, pen_);
    if (err + bias > 0) {
      (xmajor ? y : x) += xmajor ? yi : xi;
      err += 2 * minor - 2 * major;
    } else {
      err += 2 * minor;
    }
    (xmajor ? x : y) += xmajor ? xi : yi;
  }
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

  // Outline: from the right end of the middle row up to the top middle.
  if (nullPen_) return;
  EllipseSteps outline(w, h);
  i64 x = w - 1, y = h / 2;
  for (i64 i = 0; x >= w / 2 && i < guard; ++i) {
    for (const i64 px : {L + x, R - 1 - x})
      for (const i64 py : {B - 1 - y, T + y}) Plot(px, py, pen_);
    bool x_moves, y_moves;
    outline.Next(&x_moves, &y_moves);
    if (x_moves) --x;
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

// Reference point at the top left of the cell, as the text runs: the pen
// moves right from x, or up from y.
void RasterSurface::TextOut(int x, int y, const char* text, int len) {
  if (!text || len <= 0) return;
  const bool upward = font_->Upward();
  i64 pen = upward ? y : x;
  for (int i = 0; i < len; ++i) {
    const Font::Glyph* g = font_->Find(static_cast<unsigned char>(text[i]));
    if (!g) continue;
    const i64 left = (upward ? x : pen) + g->x, top = (upward ? pen : y) + g->y;
    const int c0 = int(std::clamp<i64>(-left, 0, g->width)), c1 = int(std::clamp<i64>(width_ - left, 0, g->width));
    const int r0 = int(std::clamp<i64>(-top, 0, g->rows)), r1 = int(std::clamp<i64>(height_ - top, 0, g->rows));
    const COLORREF colour = text_ & kRgbMask;
    for (int row = r0; row < r1; ++row) {
      const std::uint8_t* bits = font_->Row(*g, row);
      COLORREF* pixels = pixels_.data() + (top + row) * width_ + left;
      for (int col = c0; col < c1; ++col)
        if (bits[col >> 3] & (0x80 >> (col & 7))) pixels[col] = colour;
    }
    pen += upward ? -g->advance : g->advance;
  }
}

Image RasterSurface::Picture() const {
  Image image{width_, height_, std::vector<unsigned char>(pixels_.size() * 3)};
  for (std::size_t i = 0; i < pixels_.size(); ++i) {
    const COLORREF c = pixels_[i];  // 0x00BBGGRR
    image.rgb[3 * i] = static_cast<unsigned char>(c);
    image.rgb[3 * i + 1] = static_cast<unsigned char>(c >> 8);
    image.rgb[3 * i + 2] = static_cast<unsigned char>(c >> 16);
  }
  return image;
}

std::unique_ptr<PageSurface> MakePageSurface(int width, int height) {
  return std::make_unique<RasterSurface>(width, height);
}

}  // namespace sim
