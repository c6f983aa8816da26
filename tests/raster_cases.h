// The raster surface's pixel facts, as GDI draws them: each case a drawing on
// a fresh canvas (the background colour, pen 1 selected) and the picture it
// leaves, for any of the host's surfaces: the rasteriser here, the real GDI
// under wine (tests/windows/raster_cases.cpp).
#pragma once

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "sim/surface/page_surface.h"

namespace raster_cases {

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPen1 = RGB(0, 255, 0);  // the host's default pen 1

inline void Prepare(DrawingSurface& s, int w, int h) { s.FillRect({0, 0, w, h}, kBackground), s.SelectPen(1); }

// Rows of a picture: ' ' background, '.' black, '#' pen 1, 'T' white, '?' other.
inline std::string Picture(const sim::Image& image) {
  std::string out;
  for (int y = 0; y < image.height; ++y, out += '\n')
    for (int x = 0; x < image.width; ++x) {
      const unsigned char* p = &image.rgb[std::size_t(3 * (y * image.width + x))];
      const COLORREF c = RGB(p[0], p[1], p[2]);
      out += c == kBackground ? ' ' : c == kBlack ? '.' : c == kPen1 ? '#' : c == kWhite ? 'T' : '?';
    }
  return out;
}

// A w x h picture, blank but for the half-open box in c.
inline std::string Filled(int w, int h, RECT box = {}, char c = ' ') {
  std::string out;
  for (int y = 0; y < h; ++y, out += '\n')
    for (int x = 0; x < w; ++x) out += x >= box.left && x < box.right && y >= box.top && y < box.bottom ? c : ' ';
  return out;
}

// Unclipped Bresenham line as GDI steps it, end excluded, as a w x h picture. On a zero
// error the minor step is taken too when it goes up (x-major) or left (y-major).
inline std::string ReferenceLine(int x1, int y1, int x2, int y2, int w, int h) {
  const long long dx = (long long)x2 - x1, dy = (long long)y2 - y1, ax = std::llabs(dx), ay = std::llabs(dy);
  const long long major = std::max(ax, ay), minor = std::min(ax, ay);
  const int x_major = ax > ay, bias = x_major ? dy < 0 : dx < 0, sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
  long long err = 2 * minor - major, x = x1, y = y1;
  std::string out = Filled(w, h);
  for (long long i = 0; i < major; ++i, err += 2 * minor) {
    if (x >= 0 && y >= 0 && x < w && y < h) out[y * (w + 1) + x] = '#';
    if (err + bias > 0) (x_major ? y : x) += x_major ? sy : sx, err -= 2 * major;
    (x_major ? x : y) += x_major ? sx : sy;
  }
  return out;
}

// A drawing, and whether it reaches beyond ±2^20, where only the host's own
// surfaces promise to clip (wine's GDI divides by zero there).
struct Draw {
  template <typename F>
    requires(!std::is_same_v<std::decay_t<F>, Draw>)
  Draw(F f, bool beyond = false) : draw(std::move(f)), beyond(beyond) {}
  void operator()(DrawingSurface& s) const { draw(s); }
  std::function<void(DrawingSurface&)> draw;
  bool beyond;
};
inline bool Beyond(std::initializer_list<long long> v) {
  return std::ranges::any_of(v, [](long long c) { return c > (1 << 20) || c < -(1 << 20); });
}
inline Draw Fill(RECT r) {
  return {[=](DrawingSurface& s) { s.FillRect(r, kBlack); }, Beyond({r.left, r.top, r.right, r.bottom})};
}
inline Draw Line(int x1, int y1, int x2, int y2) {
  return {[=](DrawingSurface& s) { s.MoveTo(x1, y1), s.LineTo(x2, y2); }, Beyond({x1, y1, x2, y2})};
}
inline Draw Box(int l, int t, int r, int b) {
  return {[=](DrawingSurface& s) { s.Rectangle(l, t, r, b); }, Beyond({l, t, r, b})};
}
inline Draw Dot(int x, int y) { return {[=](DrawingSurface& s) { s.SetPixel(x, y, kWhite); }, Beyond({x, y})}; }
inline Draw Oval(int l, int t, int r, int b) {
  return {[=](DrawingSurface& s) { s.Ellipse(l, t, r, b); }, Beyond({l, t, r, b})};
}
inline Draw All(std::vector<Draw> draws) {
  const bool beyond = std::ranges::any_of(draws, [](const Draw& d) { return d.beyond; });
  return {[=](DrawingSurface& s) { for (const Draw& d : draws) d(s); }, beyond};
}
inline Draw Shape(std::vector<POINT> pts) {
  const bool beyond = std::ranges::any_of(pts, [](POINT p) { return Beyond({p.x, p.y}); });
  return {[=](DrawingSurface& s) { s.Polygon(pts.data(), int(pts.size())); }, beyond};
}
inline Draw Pen(int index) { return [=](DrawingSurface& s) { s.SelectPen(index); }; }
// The stock objects the host selects: figures hollow, then nothing drawn with the pen.
inline const Draw kNullBrush = [](DrawingSurface& s) { s.SelectStockObject(NULL_BRUSH); };
inline const Draw kNullPen = [](DrawingSurface& s) { s.SelectStockObject(NULL_PEN); };

struct Case {
  int width, height;
  Draw draw;
  std::string picture;
};

inline void Add(std::vector<Case>* cases, int w, int h, std::initializer_list<std::pair<Draw, std::string>> list) {
  for (const auto& [draw, picture] : list) cases->push_back({w, h, draw, picture});
}

inline std::vector<Case> Boxes() {
  std::vector<Case> cases;
  // FillRect: an inverted pair (s > e) covers e+1 .. s, as GDI's bounding rectangle of a
  // negative extent; from INT_MAX the far edge wraps, and it is empty. Rectangle: the pen
  // outline over a black inside (none with the null brush, nothing with the null pen too), its
  // corners in either order. SetPixel sets one pixel, if on the surface.
  const auto fill = [](RECT r, char c = '.') { return Filled(6, 5, r, c); };
  const std::string none = Filled(6, 5), all = fill({0, 0, 6, 5}), box = "      \n #### \n #..# \n #### \n      \n";
  Add(&cases, 6, 5, {{Fill({1, 1, 4, 3}), fill({1, 1, 4, 3})}, {Fill({4, 3, 1, 1}), fill({2, 2, 5, 4})},
                        {Fill({-3, -2, 2, 1}), fill({0, 0, 2, 1})}, {Fill({5, 4, 1000, 1000}), fill({5, 4, 6, 5})},
                        {Fill({2, 1, 2, 4}), none}, {Fill({6, 0, 9, 5}), none}, {Fill({INT_MAX, 0, INT_MIN, 5}), none},
                        {Fill({INT_MIN, INT_MIN, INT_MAX, INT_MAX}), all},
                        {Fill({INT_MAX - 1, INT_MAX - 1, INT_MIN, INT_MIN}), all}, {Box(1, 1, 5, 4), box},
                        {Box(5, 4, 1, 1), box},
                        {All({kNullBrush, Box(1, 1, 5, 4)}), "      \n #### \n #  # \n #### \n      \n"},
                        {All({kNullBrush, kNullPen, Box(1, 1, 5, 4), Fill({0, 4, 2, 5})}), fill({0, 4, 2, 5})},
                        {Box(1, 1, 1, 4), none}, {Box(2, 0, 3, 4), fill({2, 0, 3, 4}, '#')},
                        {Box(INT_MIN, INT_MIN, INT_MAX, INT_MAX), all},
                        {Box(-10, 2, 100, 100), "      \n      \n######\n......\n......\n"},
                        {All({Dot(1, 2), Dot(-1, 0), Dot(6, 0), Dot(INT_MIN, INT_MAX)}), fill({1, 2, 2, 3}, 'T')}});
  return cases;
}

inline std::vector<Case> Lines() {
  std::vector<Case> cases;
  // (0,0)-(4,2): the error 2*2-4 is 0 at the start; unbiased octant 1 waits, while reversed,
  // octant 5 is biased and steps at once (every octant: ClippedLinesKeepTheirUnclippedPixels).
  // A polyline draws each segment and leaves the position alone. The null pen draws nothing
  // until a pen is selected again.
  const auto polyline = [](DrawingSurface& s) {
    const POINT pts[4] = {{0, 0}, {4, 0}, {4, 3}, {1, 3}};
    s.MoveTo(5, 4), s.Polyline(pts, 4), s.Polyline(pts, 1);
  };
  const auto run = [](RECT r) { return Filled(6, 5, r, '#'); };
  Add(&cases, 6, 5, {{Line(1, 1, 5, 1), run({1, 1, 5, 2})}, {Line(5, 3, 1, 3), run({2, 3, 6, 4})},
                        {Line(2, 2, 2, 2), run({})}, {Line(0, 0, 4, 2), "##    \n  ##  \n      \n      \n      \n"},
                        {Line(4, 2, 0, 0), " #    \n  ##  \n    # \n      \n      \n"},
                        {polyline, "##### \n    # \n    # \n  ### \n      \n"},
                        {All({kNullPen, polyline, Line(0, 0, 4, 2)}), run({})},
                        {All({kNullPen, Pen(1), Line(1, 1, 5, 1)}), run({1, 1, 5, 2})}});
  // Sloped lines with ends this far out are scaled down eightfold first: (INT_MIN,0)-(INT_MAX,10)
  // becomes (-268435456,0)-(268435455,1), which steps to row 1 just before x = 0. A reversed run
  // from INT_MAX wraps past it and is empty.
  Add(&cases, 30, 20, {{Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX), ReferenceLine(-5, -5, 40, 40, 30, 20)},
                          {Line(INT_MIN, 0, INT_MAX, 10), Filled(30, 20, {0, 1, 30, 2}, '#')},
                          {Line(INT_MIN, 5, INT_MAX, 5), Filled(30, 20, {0, 5, 30, 6}, '#')},
                          {Line(7, INT_MIN, 7, INT_MAX), Filled(30, 20, {7, 0, 8, 20}, '#')},
                          {Line(INT_MAX - 1, 9, 0, 9), Filled(30, 20, {1, 9, 30, 10}, '#')},
                          {Line(INT_MAX, 8, 0, 8), Filled(30, 20)}, {Line(3, INT_MAX, 3, 0), Filled(30, 20)}});
  return cases;
}

inline std::vector<Case> Polygons() {
  std::vector<Case> cases;
  // On row y an edge crosses at the ceiling of its exact x; pixels from an odd crossing up
  // to the next are inside, so a box traced twice stays unfilled; with the null brush none is.
  Add(&cases, 9, 7, {{Shape({{1, 1}, {7, 1}, {1, 5}}),
                         "         \n ####### \n #...##  \n #..#    \n ###     \n #       \n         \n"},
                        {All({kNullBrush, Shape({{1, 1}, {7, 1}, {1, 5}})}),
                         "         \n ####### \n #   ##  \n #  #    \n ###     \n #       \n         \n"},
                        {All({kNullBrush, kNullPen, Shape({{1, 1}, {7, 1}, {1, 5}})}), Filled(9, 7)},
                        {Shape({{1, 1}, {7, 1}, {7, 5}, {1, 5}, {1, 1}, {7, 1}, {7, 5}, {1, 5}}),
                         "         \n ####### \n #     # \n #     # \n #     # \n ####### \n         \n"},
                        {Shape({{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}}), Filled(9, 7, {0, 0, 9, 7}, '.')},
                        {Shape({{-5000, -5000}, {-4000, -5000}, {-4500, -10}}), Filled(9, 7)}});
  return cases;
}

inline std::vector<Case> Ellipses() {
  std::vector<Case> cases;
  // 13 x 13, 5 x 10, 8 x 6, two rows high (drawn as a rectangle) and two empty boxes, in
  // either corner order; hollow with the null brush, and nothing with the null pen too.
  const std::string picture =
      "                              \n"
      "     #####       #     ####   \n"
      "    #.....#     #.#   #....#  \n"
      "   #.......#   #...# #......# \n"
      "  #.........#  #...# #......# \n"
      " #...........# #...#  #....#  \n"
      " #...........# #...#   ####   \n"
      " #...........# #...#          \n"
      " #...........# #...#          \n"
      " #...........#  #.#  #####    \n"
      "  #.........#    #   #####    \n"
      "   #.......#                  \n"
      "    #.....#                   \n"
      "     #####                    \n"
      "                              \n";
  const Draw ovals = All({Oval(1, 1, 14, 14), Oval(15, 1, 20, 11), Oval(21, 1, 29, 7), Oval(21, 9, 26, 11),
                          Oval(22, 12, 22, 14), Oval(21, 13, 28, 13)});
  std::string hollow = picture;
  std::replace(hollow.begin(), hollow.end(), '.', ' ');
  Add(&cases, 30, 15, {{ovals, picture},
                          {All({Oval(14, 14, 1, 1), Oval(20, 11, 15, 1), Oval(29, 7, 21, 1), Oval(26, 11, 21, 9),
                               Oval(22, 14, 22, 12), Oval(28, 13, 21, 13)}), picture},
                          {All({kNullBrush, ovals}), hollow}, {All({kNullBrush, kNullPen, ovals}), Filled(30, 15)}});
  // Huge boxes: deep inside, the flat top row of a very wide one is outline, and far away.
  const Draw wide = Oval(-(1 << 24), 5, 1 << 24, 1 << 25);
  const std::string top_row = Filled(30, 5) + std::string(30, '#') + "\n";
  Add(&cases, 30, 20, {{Oval(INT_MIN, INT_MIN, INT_MAX, INT_MAX), Filled(30, 20, {0, 0, 30, 20}, '.')},
                          {wide, top_row + Filled(30, 14, {0, 0, 30, 14}, '.')},
                          {All({kNullBrush, wide}), top_row + Filled(30, 14)},
                          {All({kNullPen, kNullBrush, wide}), Filled(30, 20)},
                          {Oval(INT_MIN, INT_MIN, -100, -100), Filled(30, 20)}});
  return cases;
}

// Every case, each family in turn.
inline std::vector<Case> EveryCase() {
  std::vector<Case> all;
  for (auto family : {Boxes, Lines, Polygons, Ellipses}) {
    const std::vector<Case> cases = family();
    all.insert(all.end(), cases.begin(), cases.end());
  }
  return all;
}

}  // namespace raster_cases
