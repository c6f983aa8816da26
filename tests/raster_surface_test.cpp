// The rasterising surface: exact pixels of each primitive by the GDI rules, clipping of
// any coordinates, text in its cell, no allocation while drawing, PNG output.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "sim/program/output.h"
#include "sim/surface/raster_surface.h"
#include "sim/core/look.h"
#include "temp_dir.h"
#include "tests/counting_new.h"

namespace {

using sim::RasterSurface;

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A surface painted in the background colour with pen 1 selected.
RasterSurface Canvas(int w, int h) {
  RasterSurface s(w, h);
  s.FillRect({0, 0, w, h}, kBackground), s.SelectPen(1);
  return s;
}

// Rows of the surface: ' ' background, '.' black, '#' pen 1, 'T' white, '?' other.
std::string Picture(const RasterSurface& s) {
  std::string out;
  for (int y = 0; y < s.Height(); ++y, out += '\n')
    for (int x = 0; x < s.Width(); ++x) {
      const COLORREF c = s.Pixel(x, y);
      out += c == kBackground ? ' ' : c == kBlack ? '.' : c == sim::kDefaultPens[0] ? '#' : c == kWhite ? 'T' : '?';
    }
  return out;
}

// A w x h picture, blank but for the half-open box in c.
std::string Filled(int w, int h, RECT box = {}, char c = ' ') {
  std::string out;
  for (int y = 0; y < h; ++y, out += '\n')
    for (int x = 0; x < w; ++x) out += x >= box.left && x < box.right && y >= box.top && y < box.bottom ? c : ' ';
  return out;
}

// Unclipped Bresenham line as GDI steps it, end excluded, as a w x h picture. On a zero
// error the minor step is taken too when it goes up (x-major) or left (y-major).
std::string ReferenceLine(int x1, int y1, int x2, int y2, int w, int h) {
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

using Draw = std::function<void(RasterSurface&)>;
Draw Fill(RECT r) { return [=](RasterSurface& s) { s.FillRect(r, kBlack); }; }
Draw Line(int x1, int y1, int x2, int y2) { return [=](RasterSurface& s) { s.MoveTo(x1, y1), s.LineTo(x2, y2); }; }
Draw Box(int l, int t, int r, int b) { return [=](RasterSurface& s) { s.Rectangle(l, t, r, b); }; }
Draw Dot(int x, int y) { return [=](RasterSurface& s) { s.SetPixel(x, y, kWhite); }; }
Draw Oval(int l, int t, int r, int b) { return [=](RasterSurface& s) { s.Ellipse(l, t, r, b); }; }
Draw All(std::vector<Draw> draws) { return [=](RasterSurface& s) { for (const Draw& d : draws) d(s); }; }
Draw Shape(std::vector<POINT> pts) { return [=](RasterSurface& s) { s.Polygon(pts.data(), int(pts.size())); }; }
Draw Pen(int index) { return [=](RasterSurface& s) { s.SelectPen(index); }; }
// The stock objects the host selects: figures hollow, then nothing drawn with the pen.
const Draw kNullBrush = [](RasterSurface& s) { s.SelectStockObject(NULL_BRUSH); };
const Draw kNullPen = [](RasterSurface& s) { s.SelectStockObject(NULL_PEN); };

// Draws each case on a fresh w x h canvas, without allocating whatever the
// coordinates (their time: BM_RasterExtremes).
void ExpectPictures(int w, int h, std::initializer_list<std::pair<Draw, std::string>> cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases.begin());
    RasterSurface s = Canvas(w, h);
    allocations = 0, countingAllocations = true;
    c.first(s);
    countingAllocations = false;
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(Picture(s), c.second);
  }
}

TEST(RasterSurfaceState, StartsAsANewDeviceContextAndTakesOnlyHostPens) {
  RasterSurface s(4, 5);
  EXPECT_EQ(Picture(s), Filled(4, 5, {0, 0, 4, 5}, '.'));
  EXPECT_EQ(s.Pixel(0, 5), 0xFFFFFFFFu);
  EXPECT_EQ(s.SetTextColor(kWhite), kBlack);
  EXPECT_THROW(RasterSurface(0, 5), std::invalid_argument);
  EXPECT_THROW(sim::Font("/nonexistent/font.ttf", 9), std::runtime_error);
  s.FillRect({0, 0, 4, 5}, kBackground);
  s.LineTo(3, 0);  // from (0,0) in the default black pen
  const int pens[] = {1, 2, 5, 7};  // 7: no host pen
  for (int y = 1; y < 5; ++y) s.SelectPen(pens[y - 1]), Line(0, y, 3, y)(s);
  const COLORREF want[5] = {kBlack, sim::kDefaultPens[1], sim::kDefaultPens[2], sim::kDefaultPens[5], sim::kDefaultPens[5]};
  for (int y = 0; y < 5; ++y) EXPECT_EQ(s.Pixel(0, y), want[y]) << y;
  EXPECT_TRUE(s.Position().x == 3 && s.Position().y == 4);
}

// A surface's fonts, their glyphs rendered, give back all FreeType took for them.
TEST(RasterSurfaceState, ReleasesWhatFreeTypeHoldsForItsFonts) {
  const auto draw = [](int height) {
    RasterSurface s(60, height);
    for (int font = 0; font < 4; ++font) s.SelectFont(font), s.TextOut(0, 0, "Hg", 2);
    return sim::Font::FreeTypeBlocks();
  };
  draw(100);
  const long before = sim::Font::FreeTypeBlocks();
  EXPECT_GT(draw(200), before);
  EXPECT_EQ(sim::Font::FreeTypeBlocks(), before);
}

TEST(RasterBoxes, FillRectAndRectangleCoverLeftTopToRightBottomExclusiveClipped) {
  // FillRect: an inverted pair (s > e) covers e+1 .. s, as GDI's bounding rectangle of a
  // negative extent; from INT_MAX the far edge wraps, and it is empty. Rectangle: the pen
  // outline over a black inside (none with the null brush, nothing with the null pen too), its
  // corners in either order. SetPixel sets one pixel, if on the surface.
  const auto fill = [](RECT r, char c = '.') { return Filled(6, 5, r, c); };
  const std::string none = Filled(6, 5), all = fill({0, 0, 6, 5}), box = "      \n #### \n #..# \n #### \n      \n";
  ExpectPictures(6, 5, {{Fill({1, 1, 4, 3}), fill({1, 1, 4, 3})}, {Fill({4, 3, 1, 1}), fill({2, 2, 5, 4})},
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
}

TEST(RasterLine, ExcludesTheEndPointTakesTheBiasOfItsOctantAndClipsHugeEndsAtOnce) {
  // (0,0)-(4,2): the error 2*2-4 is 0 at the start; unbiased octant 1 waits, while reversed,
  // octant 5 is biased and steps at once (every octant: ClippedLinesKeepTheirUnclippedPixels).
  // A polyline draws each segment and leaves the position alone. The null pen draws nothing
  // until a pen is selected again.
  const auto polyline = [](RasterSurface& s) {
    const POINT pts[4] = {{0, 0}, {4, 0}, {4, 3}, {1, 3}};
    s.MoveTo(5, 4), s.Polyline(pts, 4), s.Polyline(pts, 1), s.Polyline(nullptr, 3);
    EXPECT_TRUE(s.Position().x == 5 && s.Position().y == 4);
  };
  const auto run = [](RECT r) { return Filled(6, 5, r, '#'); };
  ExpectPictures(6, 5, {{Line(1, 1, 5, 1), run({1, 1, 5, 2})}, {Line(5, 3, 1, 3), run({2, 3, 6, 4})},
                        {Line(2, 2, 2, 2), run({})}, {Line(0, 0, 4, 2), "##    \n  ##  \n      \n      \n      \n"},
                        {Line(4, 2, 0, 0), " #    \n  ##  \n    # \n      \n      \n"},
                        {polyline, "##### \n    # \n    # \n  ### \n      \n"},
                        {All({kNullPen, polyline, Line(0, 0, 4, 2)}), run({})},
                        {All({kNullPen, Pen(1), Line(1, 1, 5, 1)}), run({1, 1, 5, 2})}});
  // Sloped lines with ends this far out are scaled down eightfold first: (INT_MIN,0)-(INT_MAX,10)
  // becomes (-268435456,0)-(268435455,1), which steps to row 1 just before x = 0. A reversed run
  // from INT_MAX wraps past it and is empty.
  ExpectPictures(30, 20, {{Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX), ReferenceLine(-5, -5, 40, 40, 30, 20)},
                          {Line(INT_MIN, 0, INT_MAX, 10), Filled(30, 20, {0, 1, 30, 2}, '#')},
                          {Line(INT_MIN, 5, INT_MAX, 5), Filled(30, 20, {0, 5, 30, 6}, '#')},
                          {Line(7, INT_MIN, 7, INT_MAX), Filled(30, 20, {7, 0, 8, 20}, '#')},
                          {Line(INT_MAX - 1, 9, 0, 9), Filled(30, 20, {1, 9, 30, 10}, '#')},
                          {Line(INT_MAX, 8, 0, 8), Filled(30, 20)}, {Line(3, INT_MAX, 3, 0), Filled(30, 20)}});
}

TEST(RasterLine, ClippedLinesKeepTheirUnclippedPixels) {
  std::mt19937 rng(1234);
  RasterSurface s = Canvas(32, 24);
  for (int i = 0; i < 4000; ++i) {
    const int range = i % 3 == 0 ? 40 : i % 3 == 1 ? 400 : 5000;
    std::uniform_int_distribution<int> coord(-range, range + 32);
    const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
    s.FillRect({0, 0, 32, 24}, kBackground);
    Line(x1, y1, x2, y2)(s);
    ASSERT_EQ(Picture(s), ReferenceLine(x1, y1, x2, y2, 32, 24)) << x1 << "," << y1 << " -> " << x2 << "," << y2;
  }
}

TEST(RasterPolygon, FillsAlternateThenOutlinesClosed) {
  // On row y an edge crosses at the ceiling of its exact x; pixels from an odd crossing up
  // to the next are inside, so a box traced twice stays unfilled; with the null brush none is.
  ExpectPictures(9, 7, {{Shape({{1, 1}, {7, 1}, {1, 5}}),
                         "         \n ####### \n #...##  \n #..#    \n ###     \n #       \n         \n"},
                        {All({kNullBrush, Shape({{1, 1}, {7, 1}, {1, 5}})}),
                         "         \n ####### \n #   ##  \n #  #    \n ###     \n #       \n         \n"},
                        {All({kNullBrush, kNullPen, Shape({{1, 1}, {7, 1}, {1, 5}})}), Filled(9, 7)},
                        {Shape({{1, 1}, {7, 1}, {7, 5}, {1, 5}, {1, 1}, {7, 1}, {7, 5}, {1, 5}}),
                         "         \n ####### \n #     # \n #     # \n #     # \n ####### \n         \n"},
                        {Shape({{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}}), Filled(9, 7, {0, 0, 9, 7}, '.')},
                        {Shape({{-5000, -5000}, {-4000, -5000}, {-4500, -10}}), Filled(9, 7)}});
}

TEST(RasterEllipse, OutlinesTheTracedQuadrantFourWaysOverItsBlackRegion) {
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
  ExpectPictures(30, 15, {{ovals, picture},
                          {All({Oval(14, 14, 1, 1), Oval(20, 11, 15, 1), Oval(29, 7, 21, 1), Oval(26, 11, 21, 9),
                               Oval(22, 14, 22, 12), Oval(28, 13, 21, 13)}), picture},
                          {All({kNullBrush, ovals}), hollow}, {All({kNullBrush, kNullPen, ovals}), Filled(30, 15)}});
  // Huge boxes: deep inside, the flat top row of a very wide one is outline, and far away.
  const Draw wide = Oval(-(1 << 24), 5, 1 << 24, 1 << 25);
  const std::string top_row = Filled(30, 5) + std::string(30, '#') + "\n";
  ExpectPictures(30, 20, {{Oval(INT_MIN, INT_MIN, INT_MAX, INT_MAX), Filled(30, 20, {0, 0, 30, 20}, '.')},
                          {wide, top_row + Filled(30, 14, {0, 0, 30, 14}, '.')},
                          {All({kNullBrush, wide}), top_row + Filled(30, 14)},
                          {All({kNullPen, kNullBrush, wide}), Filled(30, 20)},
                          {Oval(INT_MIN, INT_MIN, -100, -100), Filled(30, 20)}});
}

TEST(RasterText, DrawsLenBytesInTheTextColourWithinTheCellTransparentlyAndClips) {
  // 200 pixels high: the host's font 0 is 9 pixels high.
  RasterSurface s = Canvas(60, 200), prefix = Canvas(60, 200), edges = Canvas(10, 200);
  for (RasterSurface* t : {&s, &prefix, &edges}) t->SetTextColor(kWhite);
  const char unterminated[4] = {'H', 'g', 'O', 'X'};
  s.TextOut(3, 4, "HgO", 3);  // renders the glyphs; drawing them again allocates nothing
  allocations = 0, countingAllocations = true;
  s.TextOut(3, 4, "HgO", 3);
  countingAllocations = false;
  EXPECT_EQ(allocations, 0);
  prefix.TextOut(3, 4, unterminated, 3), prefix.TextOut(30, 4, "H", 0), prefix.TextOut(30, 4, "H", -5);
  prefix.TextOut(30, 4, nullptr, 3);
  EXPECT_EQ(Picture(prefix), Picture(s));
  const sim::Font& font = s.TextFont();
  const int g_left = 3 + font.TextWidth("H", 1), o_left = 3 + font.TextWidth("Hg", 2), right = 3 + font.TextWidth("HgO", 3);
  int h_bottom = -1, g_bottom = -1;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      if (s.Pixel(x, y) != kBackground) {
        EXPECT_TRUE(s.Pixel(x, y) == kWhite && x >= 3 && x < right && y >= 4 && y < 4 + font.CellHeight()) << x << "," << y;
        if (x < o_left) (x < g_left ? h_bottom : g_bottom) = y;
      }
  EXPECT_EQ(h_bottom, 4 + font.Ascent() - 1);  // 'H' ends on the baseline, 'g' below it
  EXPECT_GT(g_bottom, h_bottom);
  EXPECT_EQ(s.Pixel(o_left + font.TextWidth("O", 1) / 2, 4 + font.CellHeight() / 2), kBackground);  // inside the 'O'
  EXPECT_EQ(font.TextWidth("H\x01\x7f", 3), font.TextWidth("H", 1));  // no glyph, no room
  edges.TextOut(-3, -4, "WWWWWWWW", 8), edges.TextOut(INT_MAX - 5, INT_MIN, "WW", 2), edges.TextOut(INT_MIN, 0, "WW", 2);
  EXPECT_EQ(Picture(edges).find_first_not_of(" T\n"), std::string::npos);
  EXPECT_NE(Picture(edges).find('T'), std::string::npos);
}

TEST(RasterText, FontTwoRunsUpwardsWithItsCellRightOfTheReference) {
  // Font 2 is font 1 turned a quarter left: font 1's pixel (3 + u, 4 + v) is font 2's (10 + v, 49 - u).
  RasterSurface across = Canvas(60, 400), up = Canvas(60, 400);
  for (RasterSurface* t : {&across, &up}) t->SetTextColor(kWhite);
  across.SelectFont(1), across.TextOut(3, 4, "HgO", 3);
  up.SelectFont(2), up.TextOut(10, 50, "HgO", 3);
  EXPECT_LT(up.TextFont().TextWidth("HgO", 3), 45);
  std::string turned = Filled(60, 400);
  for (int u = 0; u < 50; ++u)
    for (int v = 0; v < 50; ++v)
      if (across.Pixel(3 + u, 4 + v) == kWhite) turned[std::size_t((49 - u) * 61 + 10 + v)] = 'T';
  EXPECT_NE(turned, Filled(60, 400));
  EXPECT_EQ(Picture(up), turned);
}

TEST(RasterPng, WritesAnImageAndLeavesNothingBehindOnFailure) {
  const sim::Image image = Canvas(5, 4).Picture();
  const auto dir = TempDirFor("raster_surface_test");
  std::string error, head(8, '\0');
  ASSERT_TRUE(sim::WritePng((dir / "a.png").string(), image, &error)) << error;
  std::ifstream(dir / "a.png", std::ios::binary).read(head.data(), 8);
  EXPECT_EQ(head, "\x89PNG\r\n\x1a\n");
  EXPECT_TRUE(!sim::WritePng((dir / "missing" / "b.png").string(), image, &error) && !error.empty());
  std::filesystem::create_directories(dir / "taken.png");  // the rename cannot replace a directory
  EXPECT_FALSE(sim::WritePng((dir / "taken.png").string(), image, nullptr));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);  // a.png, taken.png: no temporary
  std::filesystem::remove_all(dir);
}

}  // namespace
