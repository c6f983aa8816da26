// The rasterising surface: exact pixels of each primitive by the GDI rules, clipping of
// any coordinates, text in its cell, no allocation while drawing, PNG output.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "sim/output.h"
#include "sim/raster_surface.h"
#include "sim/style.h"
#include "temp_dir.h"

// Heap allocations made by this program, to show that drawing makes none.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // malloc/free behind new/delete
static std::atomic<long> g_allocations{0};
void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using sim::RasterSurface;

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPen = sim::kDefaultPens[0];

// A surface painted in the background colour with pen 1 selected.
RasterSurface Canvas(int w, int h) {
  RasterSurface s(w, h);
  s.FillRect({0, 0, w, h}, kBackground);
  s.SelectPen(1);
  return s;
}

// Rows of the given area: ' ' background, '.' black, '#' pen 1, 'T' white, '?' other.
std::string Picture(const RasterSurface& s, int x0, int y0, int w, int h) {
  std::string out;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const COLORREF c = s.Pixel(x, y);
      out += c == kBackground ? ' ' : c == kBlack ? '.' : c == kPen ? '#' : c == RGB(255, 255, 255) ? 'T' : '?';
    }
    out += '\n';
  }
  return out;
}
std::string Picture(const RasterSurface& s) { return Picture(s, 0, 0, s.Width(), s.Height()); }

// Pixels not in the background colour, as "x,y" in row order.
std::vector<std::pair<int, int>> Marked(const RasterSurface& s) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.Pixel(x, y) != kBackground) out.emplace_back(x, y);
  return out;
}

// Unclipped Bresenham line as GDI steps it, end excluded. Octants run 1..8 clockwise
// from +x (y down); 1, 4, 5, 8 are x-major; in 3, 5, 6, 8 the minor step is taken
// on a zero error too.
std::vector<std::pair<int, int>> ReferenceLine(int x1, int y1, int x2, int y2, int w, int h) {
  const long long dx = (long long)x2 - x1, dy = (long long)y2 - y1;
  int octant;
  if (dy > 0) octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  else octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
  const bool x_major = octant == 1 || octant == 4 || octant == 5 || octant == 8;
  const int bias = octant == 3 || octant == 5 || octant == 6 || octant == 8;
  const long long major = x_major ? std::llabs(dx) : std::llabs(dy), minor = x_major ? std::llabs(dy) : std::llabs(dx);
  const int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
  long long err = 2 * minor - major, x = x1, y = y1;
  std::vector<std::pair<int, int>> pts;
  for (long long i = 0; i < major; ++i) {
    if (x >= 0 && y >= 0 && x < w && y < h) pts.emplace_back(int(x), int(y));
    if (err + bias > 0) {
      if (x_major) y += sy; else x += sx;
      err += 2 * minor - 2 * major;
    } else {
      err += 2 * minor;
    }
    if (x_major) x += sx; else y += sy;
  }
  std::sort(pts.begin(), pts.end(), [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a.first < b.first; });
  return pts;
}

// ---------------------------------------------------------------------------------------------

TEST(RasterSurfaceState, StartsBlackWithTheStateOfANewDeviceContext) {
  RasterSurface s(7, 5);
  EXPECT_EQ(s.Width(), 7);
  EXPECT_EQ(s.Height(), 5);
  for (int i = 0; i < 35; ++i) EXPECT_EQ(s.Data()[i], kBlack);
  EXPECT_EQ(s.Position().x, 0);
  EXPECT_EQ(s.Position().y, 0);
  EXPECT_EQ(s.SetTextColor(RGB(1, 2, 3)), kBlack);
  EXPECT_EQ(s.SetTextColor(RGB(4, 5, 6)), RGB(1, 2, 3));
  EXPECT_EQ(s.Pixel(-1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(s.Pixel(0, 5), 0xFFFFFFFFu);
  EXPECT_THROW(RasterSurface(0, 5), std::invalid_argument);
  EXPECT_THROW(RasterSurface(4, 4, "/nonexistent/font.ttf"), std::runtime_error);
}

TEST(RasterSurfaceState, PensAreBlackUntilSelectedThenTheHostColours) {
  RasterSurface s(4, 4);
  s.FillRect({0, 0, 4, 4}, kBackground);
  s.LineTo(3, 0);
  EXPECT_EQ(s.Pixel(0, 0), kBlack);  // the default pen
  std::vector<COLORREF> seen;
  for (int pen = 1; pen <= 3; ++pen) {
    s.SelectPen(pen);
    s.MoveTo(0, pen);
    s.LineTo(3, pen);
    EXPECT_EQ(s.Pixel(0, pen), sim::kDefaultPens[pen - 1]);
    seen.push_back(s.Pixel(0, pen));
  }
  EXPECT_NE(seen[0], seen[1]);
  EXPECT_NE(seen[1], seen[2]);
  EXPECT_NE(seen[0], seen[2]);
  s.SelectPen(7);  // not a host pen: no change
  s.MoveTo(0, 0);
  s.LineTo(3, 0);
  EXPECT_EQ(s.Pixel(0, 0), sim::kDefaultPens[2]);
}

TEST(RasterSurfaceState, DrawingAllocatesNothing) {
  RasterSurface s = Canvas(64, 48);
  const POINT shape[5] = {{2, 2}, {60, 5}, {30, 40}, {-100, 1000}, {5, 30}};
  const long before = g_allocations.load();
  s.MoveTo(1, 1);
  s.LineTo(60, 47);
  s.Polyline(shape, 5);
  s.Polygon(shape, 5);
  s.Ellipse(3, 3, 40, 30);
  s.Ellipse(INT_MIN, 10, INT_MAX, 40);
  s.Rectangle(5, 5, 50, 40);
  s.FillRect({1, 1, 9, 9}, RGB(1, 1, 1));
  s.SetPixel(3, 3, RGB(2, 2, 2));
  s.SetTextColor(RGB(255, 255, 255));
  s.TextOut(2, 2, "Vitals 42 \xb0 \x01", 12);
  EXPECT_EQ(g_allocations.load(), before);
}

// ---------------------------------------------------------------------------------------------

TEST(RasterFillRect, CoversLeftTopInclusiveRightBottomExclusive) {
  RasterSurface s = Canvas(6, 5);
  s.FillRect({1, 1, 4, 3}, kBlack);
  EXPECT_EQ(Picture(s),
            "      \n"
            " ...  \n"
            " ...  \n"
            "      \n"
            "      \n");
}

TEST(RasterFillRect, InvertedEdgesFillTheBandOneAfterEach) {
  // An inverted pair (s > e) covers e+1 .. s, as GDI's bounding rectangle of a
  // negative extent: {4,3,1,1} fills columns 2..4, rows 2..3.
  RasterSurface s = Canvas(6, 5);
  s.FillRect({4, 3, 1, 1}, kBlack);
  EXPECT_EQ(Picture(s),
            "      \n"
            "      \n"
            "  ... \n"
            "  ... \n"
            "      \n");
  RasterSurface x = Canvas(6, 5);
  x.FillRect({4, 1, 1, 3}, kBlack);  // only x inverted
  EXPECT_EQ(Picture(x, 0, 1, 6, 2), "  ... \n  ... \n");
}

TEST(RasterFillRect, EqualEdgesAndFarRectanglesFillNothing) {
  RasterSurface s = Canvas(6, 5);
  s.FillRect({2, 1, 2, 4}, kBlack);
  s.FillRect({1, 3, 5, 3}, kBlack);
  s.FillRect({100, 100, 200, 200}, kBlack);
  s.FillRect({-50, -50, 0, 0}, kBlack);
  s.FillRect({6, 0, 9, 5}, kBlack);
  s.FillRect({INT_MAX, 0, INT_MIN, 5}, kBlack);  // inverted at INT_MAX: the far edge wraps, empty
  EXPECT_TRUE(Marked(s).empty());
}

TEST(RasterFillRect, ClipsPartlyOffAndExtremeRectangles) {
  RasterSurface s = Canvas(6, 5);
  s.FillRect({-3, -2, 2, 1}, kBlack);
  s.FillRect({5, 4, 1000, 1000}, kBlack);
  EXPECT_EQ(Picture(s),
            "..    \n"
            "      \n"
            "      \n"
            "      \n"
            "     .\n");
  RasterSurface all = Canvas(6, 5);
  all.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kBlack);
  EXPECT_EQ(Marked(all).size(), 30u);
  RasterSurface inv = Canvas(6, 5);
  inv.FillRect({INT_MAX - 1, INT_MAX - 1, INT_MIN, INT_MIN}, kBlack);  // band INT_MIN+1 .. INT_MAX-1
  EXPECT_EQ(Marked(inv).size(), 30u);
}

// ---------------------------------------------------------------------------------------------

TEST(RasterLine, HorizontalAndVerticalExcludeTheEndPoint) {
  RasterSurface s = Canvas(7, 6);
  s.MoveTo(1, 1);
  s.LineTo(5, 1);  // 1..4
  s.MoveTo(5, 3);
  s.LineTo(1, 3);  // 5..2
  s.MoveTo(0, 1);
  s.LineTo(0, 4);  // rows 1..3
  s.MoveTo(6, 5);
  s.LineTo(6, 2);  // rows 5..3
  EXPECT_EQ(Picture(s),
            "       \n"
            "#####  \n"
            "#      \n"
            "# #####\n"
            "      #\n"
            "      #\n");
  EXPECT_EQ(s.Position().x, 6);
  EXPECT_EQ(s.Position().y, 2);
}

TEST(RasterLine, ZeroLengthDrawsNothingButMoves) {
  RasterSurface s = Canvas(4, 4);
  s.MoveTo(2, 2);
  s.LineTo(2, 2);
  EXPECT_TRUE(Marked(s).empty());
  EXPECT_EQ(s.Position().x, 2);
}

TEST(RasterLine, ShallowAndSteepLinesTakeTheBiasOfTheirOctant) {
  // (0,0)-(4,2): x-major, error 2*2-4 = 0 at the start: the unbiased octant 1 waits,
  // (0,0),(1,0); reversed, octant 5 is biased and steps at once: (4,2),(3,1),(2,1),(1,0).
  RasterSurface s = Canvas(6, 4);
  s.MoveTo(0, 0);
  s.LineTo(4, 2);
  EXPECT_EQ(Picture(s),
            "##    \n"
            "  ##  \n"
            "      \n"
            "      \n");
  RasterSurface r = Canvas(6, 4);
  r.MoveTo(4, 2);
  r.LineTo(0, 0);
  EXPECT_EQ(Picture(r),
            " #    \n"
            "  ##  \n"
            "    # \n"
            "      \n");
  RasterSurface steep = Canvas(4, 6);
  steep.MoveTo(0, 0);
  steep.LineTo(2, 4);  // octant 2 mirrors octant 1
  EXPECT_EQ(Picture(steep), "#   \n#   \n #  \n #  \n    \n    \n");
}

TEST(RasterLine, EveryOctantMatchesTheUnclippedSequence) {
  const int dirs[][2] = {{7, 3}, {3, 7}, {-3, 7}, {-7, 3}, {-7, -3}, {-3, -7}, {3, -7}, {7, -3},
                         {5, 5}, {-5, 5}, {-5, -5}, {5, -5}, {9, 1}, {1, 9}, {-9, -2}, {2, -9}};
  for (const auto& d : dirs) {
    RasterSurface s = Canvas(24, 24);
    s.MoveTo(12, 12);
    s.LineTo(12 + d[0], 12 + d[1]);
    const auto want = ReferenceLine(12, 12, 12 + d[0], 12 + d[1], 24, 24);
    EXPECT_EQ(Marked(s), want) << d[0] << "," << d[1];
    EXPECT_EQ(want.size(), size_t(std::max(std::abs(d[0]), std::abs(d[1]))));
    EXPECT_EQ(s.Pixel(12 + d[0], 12 + d[1]), kBackground);  // end point excluded
  }
}

TEST(RasterLine, ClippedLinesKeepTheirUnclippedPixels) {
  std::mt19937 rng(1234);
  int visible = 0;
  RasterSurface s = Canvas(32, 24);
  for (int i = 0; i < 4000; ++i) {
    const int range = (i % 3 == 0) ? 40 : (i % 3 == 1) ? 400 : 5000;
    std::uniform_int_distribution<int> coord(-range, range + 32);
    const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
    s.FillRect({0, 0, 32, 24}, kBackground);
    s.MoveTo(x1, y1);
    s.LineTo(x2, y2);
    const auto want = ReferenceLine(x1, y1, x2, y2, 32, 24);
    ASSERT_EQ(Marked(s), want) << x1 << "," << y1 << " -> " << x2 << "," << y2;
    visible += !want.empty();
  }
  EXPECT_GT(visible, 500);  // the sample does cross the surface
}

TEST(RasterLine, ExtremeLinesAreClippedAtOnce) {
  const auto t0 = std::chrono::steady_clock::now();
  RasterSurface s = Canvas(20, 12);
  s.MoveTo(INT_MIN, INT_MIN);
  s.LineTo(INT_MAX, INT_MAX);  // exactly 45 degrees: the diagonal through the origin
  std::vector<std::pair<int, int>> diagonal;
  for (int i = 0; i < 12; ++i) diagonal.emplace_back(i, i);
  EXPECT_EQ(Marked(s), diagonal);

  // Ends this far out are scaled down eightfold first: (INT_MIN,0)-(INT_MAX,10)
  // becomes (-268435456,0)-(268435455,1), whose step to row 1 comes just before x = 0.
  RasterSurface far = Canvas(20, 12);
  far.MoveTo(INT_MIN, 0);
  far.LineTo(INT_MAX, 10);
  EXPECT_EQ(Picture(far, 0, 0, 20, 3), std::string(20, ' ') + "\n" + std::string(20, '#') + "\n" + std::string(20, ' ') + "\n");

  RasterSurface flat = Canvas(20, 12);
  flat.MoveTo(INT_MIN, 5);
  flat.LineTo(INT_MAX, 5);  // every column of row 5
  flat.MoveTo(7, INT_MIN);
  flat.LineTo(7, INT_MAX);  // every row of column 7
  flat.MoveTo(INT_MAX - 1, 9);
  flat.LineTo(0, 9);  // reversed: columns 1 .. INT_MAX-1
  EXPECT_EQ(Picture(flat, 0, 5, 20, 1), std::string(20, '#') + "\n");
  for (int y = 0; y < 12; ++y) EXPECT_EQ(flat.Pixel(7, y), kPen) << y;
  EXPECT_EQ(Picture(flat, 0, 9, 20, 1), " " + std::string(19, '#') + "\n");
  EXPECT_EQ(Marked(flat).size(), 20u + 11u + 18u);
  // A reversed run starting at INT_MAX: its far edge wraps past INT_MAX, so it is empty.
  RasterSurface wrap = Canvas(20, 12);
  wrap.MoveTo(INT_MAX, 8);
  wrap.LineTo(0, 8);
  wrap.MoveTo(3, INT_MAX);
  wrap.LineTo(3, 0);
  EXPECT_TRUE(Marked(wrap).empty());
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));
}

TEST(RasterPolyline, DrawsEachSegmentAndKeepsThePosition) {
  RasterSurface s = Canvas(6, 5);
  s.MoveTo(5, 4);
  const POINT pts[4] = {{0, 0}, {4, 0}, {4, 3}, {1, 3}};
  s.Polyline(pts, 4);
  EXPECT_EQ(Picture(s),
            "##### \n"
            "    # \n"
            "    # \n"
            "  ### \n"
            "      \n");
  EXPECT_EQ(s.Position().x, 5);
  EXPECT_EQ(s.Position().y, 4);
  s.Polyline(pts, 1);
  s.Polyline(nullptr, 3);
  EXPECT_EQ(Marked(s).size(), 10u);
}

// ---------------------------------------------------------------------------------------------

TEST(RasterPolygon, TriangleIsFilledThenOutlinedClosed) {
  // Fill: on row y the edges cross at ceil of their exact x; pixels from the left
  // crossing up to the right one. Outline: (1,1)->(7,1), (7,1)->(1,5), (1,5)->(1,1).
  RasterSurface s = Canvas(9, 7);
  const POINT tri[3] = {{1, 1}, {7, 1}, {1, 5}};
  s.Polygon(tri, 3);
  EXPECT_EQ(Picture(s),
            "         \n"
            " ####### \n"
            " #...##  \n"
            " #..#    \n"
            " ###     \n"
            " #       \n"
            "         \n");
}

TEST(RasterPolygon, NinePointOutlineShape) {
  RasterSurface s = Canvas(320, 300);
  const POINT shape[9] = {{160, 57}, {167, 62}, {185, 99}, {259, 210}, {263, 256},
                          {57, 256}, {61, 210}, {135, 99}, {153, 62}};
  s.Polygon(shape, 9);
  for (const POINT& p : shape) EXPECT_EQ(s.Pixel(p.x, p.y), kPen) << p.x << "," << p.y;
  for (int x = 57; x <= 263; ++x) EXPECT_EQ(s.Pixel(x, 256), kPen) << x;  // the bottom edge
  EXPECT_EQ(s.Pixel(160, 150), kBlack);
  EXPECT_EQ(s.Pixel(160, 58), kBlack);
  EXPECT_EQ(s.Pixel(100, 80), kBackground);
  EXPECT_EQ(s.Pixel(160, 257), kBackground);
  for (const auto& [x, y] : Marked(s)) EXPECT_TRUE(x >= 57 && x <= 263 && y >= 57 && y <= 256) << x << "," << y;
  for (int y = 57; y <= 256; ++y) {  // each row is one run: outline at both ends, black between
    int first = 0, last = 319;
    while (s.Pixel(first, y) == kBackground) ++first;
    while (s.Pixel(last, y) == kBackground) --last;
    EXPECT_EQ(s.Pixel(first, y), kPen) << y;
    EXPECT_EQ(s.Pixel(last, y), kPen) << y;
    for (int x = first; x <= last; ++x) ASSERT_NE(s.Pixel(x, y), kBackground) << x << "," << y;
  }
}

TEST(RasterPolygon, SelfCrossingFillAlternates) {
  // A pentagram: the centre is crossed twice, so it stays unfilled.
  RasterSurface s = Canvas(41, 41);
  const POINT star[5] = {{20, 2}, {31, 38}, {2, 15}, {38, 15}, {9, 38}};
  s.Polygon(star, 5);
  EXPECT_EQ(s.Pixel(20, 24), kBackground);
  EXPECT_EQ(s.Pixel(20, 8), kBlack);
}

TEST(RasterPolygon, ExtremeVerticesAreClippedAtOnce) {
  const auto t0 = std::chrono::steady_clock::now();
  RasterSurface s = Canvas(30, 20);
  const POINT huge[3] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
  s.Polygon(huge, 3);
  EXPECT_EQ(Marked(s).size(), 600u);
  EXPECT_EQ(s.Pixel(15, 10), kBlack);
  RasterSurface off = Canvas(30, 20);
  const POINT away[3] = {{-5000, -5000}, {-4000, -5000}, {-4500, -10}};
  off.Polygon(away, 3);
  EXPECT_TRUE(Marked(off).empty());
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));
}

// ---------------------------------------------------------------------------------------------

TEST(RasterRectangle, OutlinesInThePenAndFillsBlackInside) {
  RasterSurface s = Canvas(8, 6);
  s.Rectangle(1, 1, 6, 5);  // columns 1..5, rows 1..4
  EXPECT_EQ(Picture(s),
            "        \n"
            " #####  \n"
            " #...#  \n"
            " #...#  \n"
            " #####  \n"
            "        \n");
  RasterSurface inv = Canvas(8, 6);
  inv.Rectangle(6, 5, 1, 1);
  EXPECT_EQ(Picture(inv), Picture(s));
}

TEST(RasterRectangle, ThinEmptyAndExtremeBoxes) {
  RasterSurface s = Canvas(6, 5);
  s.Rectangle(1, 1, 1, 4);
  s.Rectangle(0, 2, 5, 2);
  EXPECT_TRUE(Marked(s).empty());
  s.Rectangle(2, 0, 3, 4);  // one column wide
  EXPECT_EQ(Picture(s, 2, 0, 1, 5), "#\n#\n#\n#\n \n");
  RasterSurface huge = Canvas(6, 5);
  huge.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(Picture(huge), "......\n......\n......\n......\n......\n");
  RasterSurface edge = Canvas(6, 5);
  edge.Rectangle(-10, 2, 100, 100);
  EXPECT_EQ(Picture(edge), "      \n      \n######\n......\n......\n");
}

// ---------------------------------------------------------------------------------------------

// Ellipse pictures: the points of GDI's traced quadrant mirrored four ways in the
// pen, over its elliptic region filled black.
TEST(RasterEllipse, ThirteenSquare) {
  RasterSurface s = Canvas(15, 15);
  s.Ellipse(1, 1, 14, 14);
  EXPECT_EQ(Picture(s),
            "               \n"
            "     #####     \n"
            "    #.....#    \n"
            "   #.......#   \n"
            "  #.........#  \n"
            " #...........# \n"
            " #...........# \n"
            " #...........# \n"
            " #...........# \n"
            " #...........# \n"
            "  #.........#  \n"
            "   #.......#   \n"
            "    #.....#    \n"
            "     #####     \n"
            "               \n");
}

TEST(RasterEllipse, FiveByTenAndInvertedBox) {
  RasterSurface s = Canvas(7, 12);
  s.Ellipse(1, 1, 6, 11);
  const std::string want =
      "       \n"
      "   #   \n"
      "  #.#  \n"
      " #...# \n"
      " #...# \n"
      " #...# \n"
      " #...# \n"
      " #...# \n"
      " #...# \n"
      "  #.#  \n"
      "   #   \n"
      "       \n";
  EXPECT_EQ(Picture(s), want);
  RasterSurface inv = Canvas(7, 12);
  inv.Ellipse(6, 11, 1, 1);
  EXPECT_EQ(Picture(inv), want);
}

TEST(RasterEllipse, EvenBoxHasTwoMiddleRowsAndColumns) {
  RasterSurface s = Canvas(8, 6);
  s.Ellipse(0, 0, 8, 6);
  EXPECT_EQ(Picture(s),
            "  ####  \n"
            " #....# \n"
            "#......#\n"
            "#......#\n"
            " #....# \n"
            "  ####  \n");
}

TEST(RasterEllipse, EmptyAndThinBoxes) {
  RasterSurface s = Canvas(8, 6);
  s.Ellipse(2, 2, 2, 5);
  s.Ellipse(1, 3, 6, 3);
  EXPECT_TRUE(Marked(s).empty());
  s.Ellipse(1, 1, 6, 3);  // two rows high: drawn as a rectangle
  EXPECT_EQ(Picture(s, 0, 0, 8, 4), "        \n #####  \n #####  \n        \n");
}

TEST(RasterEllipse, HugeBoxesAreClippedAtOnce) {
  const auto t0 = std::chrono::steady_clock::now();
  RasterSurface inside = Canvas(30, 20);
  inside.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // deep inside: all interior
  for (int y = 0; y < 20; ++y) EXPECT_EQ(Picture(inside, 0, y, 30, 1), std::string(30, '.') + "\n");
  // Top of a very wide ellipse: its flat top row is outline, the rows below interior.
  RasterSurface top = Canvas(30, 20);
  top.Ellipse(-(1 << 24), 5, 1 << 24, 1 << 25);
  EXPECT_EQ(Picture(top, 0, 4, 30, 3), std::string(30, ' ') + "\n" + std::string(30, '#') + "\n" + std::string(30, '.') + "\n");
  RasterSurface away = Canvas(30, 20);
  away.Ellipse(INT_MIN, INT_MIN, -100, -100);
  EXPECT_TRUE(Marked(away).empty());
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));
}

// ---------------------------------------------------------------------------------------------

TEST(RasterSetPixel, SetsOnePixelAndIgnoresOutside) {
  RasterSurface s = Canvas(3, 3);
  s.SetPixel(1, 2, RGB(1, 2, 3));
  s.SetPixel(-1, 0, RGB(1, 2, 3));
  s.SetPixel(3, 0, RGB(1, 2, 3));
  s.SetPixel(INT_MIN, INT_MAX, RGB(1, 2, 3));
  ASSERT_EQ(Marked(s).size(), 1u);
  EXPECT_EQ(s.Pixel(1, 2), RGB(1, 2, 3));
}

// ---------------------------------------------------------------------------------------------

TEST(RasterText, DrawsOnlyTheTextColourInsideItsCell) {
  RasterSurface s = Canvas(60, 20);
  s.SetTextColor(RGB(255, 255, 255));
  s.TextOut(3, 4, "Hg", 2);
  const sim::Font& font = s.TextFont();
  const int w = font.TextWidth("Hg", 2), h = font.CellHeight();
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  int ink = 0;
  for (const auto& [x, y] : Marked(s)) {
    EXPECT_EQ(s.Pixel(x, y), RGB(255, 255, 255));
    EXPECT_TRUE(x >= 3 && x < 3 + w && y >= 4 && y < 4 + h) << x << "," << y;
    ++ink;
  }
  EXPECT_GT(ink, 10);
  // 'H' sits on the baseline, its lowest ink just above it; 'g' goes below.
  const int split = 3 + font.TextWidth("H", 1);
  int h_bottom = -1, g_bottom = -1;
  for (const auto& [x, y] : Marked(s)) {
    int& bottom = x < split ? h_bottom : g_bottom;
    bottom = std::max(bottom, y);
  }
  EXPECT_EQ(h_bottom, 4 + font.Ascent() - 1);
  EXPECT_GT(g_bottom, h_bottom);
}

TEST(RasterText, BackgroundIsTransparentAndLengthIsExact) {
  RasterSurface a = Canvas(60, 20);
  a.FillRect({0, 0, 60, 20}, RGB(0, 0, 255));
  a.SetTextColor(RGB(255, 255, 255));
  a.TextOut(2, 2, "O", 1);
  EXPECT_EQ(a.Pixel(2 + a.TextFont().TextWidth("O", 1) / 2, 2 + a.TextFont().CellHeight() / 2), RGB(0, 0, 255));

  RasterSurface one = Canvas(60, 20), prefix = Canvas(60, 20), none = Canvas(60, 20);
  one.SetTextColor(RGB(255, 255, 255));
  prefix.SetTextColor(RGB(255, 255, 255));
  none.SetTextColor(RGB(255, 255, 255));
  const char unterminated[3] = {'H', 'I', 'X'};
  one.TextOut(1, 1, "H", 1);
  prefix.TextOut(1, 1, unterminated, 1);
  EXPECT_EQ(Picture(one), Picture(prefix));
  none.TextOut(1, 1, "H", 0);
  none.TextOut(1, 1, "H", -5);
  none.TextOut(1, 1, nullptr, 3);
  EXPECT_TRUE(Marked(none).empty());
  EXPECT_EQ(one.TextFont().TextWidth("HH", 2), 2 * one.TextFont().TextWidth("H", 1));
  EXPECT_EQ(one.TextFont().TextWidth("H\x01\x7f", 3), one.TextFont().TextWidth("H", 1));  // no glyph, no room
  EXPECT_EQ(one.TextFont().TextWidth("H", 0), 0);
}

TEST(RasterText, ClipsAtTheEdgesAndFarAway) {
  RasterSurface s = Canvas(10, 6);
  s.SetTextColor(RGB(255, 255, 255));
  s.TextOut(-3, -4, "WWWWWWWW", 8);
  s.TextOut(INT_MAX - 5, INT_MIN, "WW", 2);
  s.TextOut(INT_MIN, 0, "WW", 2);
  for (const auto& [x, y] : Marked(s)) EXPECT_EQ(s.Pixel(x, y), RGB(255, 255, 255));
  EXPECT_FALSE(Marked(s).empty());
}

// ---------------------------------------------------------------------------------------------

TEST(RasterPng, WritesAnImageAndLeavesNothingBehindOnFailure) {
  RasterSurface s = Canvas(5, 4);
  s.SetPixel(0, 0, RGB(255, 0, 0));
  const auto dir = TempDirFor("raster_surface_test");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::string error;
  ASSERT_TRUE(sim::WritePng((dir / "a.png").string(), s.Picture(), &error)) << error;
  std::ifstream in(dir / "a.png", std::ios::binary);
  std::string head(8, '\0');
  in.read(head.data(), 8);
  EXPECT_EQ(head, "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left

  EXPECT_FALSE(sim::WritePng((dir / "missing" / "b.png").string(), s.Picture(), &error));
  EXPECT_FALSE(error.empty());
  std::filesystem::create_directories(dir / "taken.png");  // the rename cannot replace a directory
  EXPECT_FALSE(sim::WritePng((dir / "taken.png").string(), s.Picture(), nullptr));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
}

}  // namespace
