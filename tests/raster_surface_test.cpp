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
#include "tests/raster_cases.h"
#include "tests/counting_new.h"

namespace {

using sim::RasterSurface;

using namespace raster_cases;

// A surface painted in the background colour with pen 1 selected.
RasterSurface Canvas(int w, int h) {
  RasterSurface s(w, h);
  Prepare(s, w, h);
  return s;
}

std::string Picture(const RasterSurface& s) { return raster_cases::Picture(s.Picture()); }

// Draws each case on a fresh canvas, without allocating whatever the
// coordinates (their time: BM_RasterExtremes).
void ExpectPictures(const std::vector<raster_cases::Case>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases.data());
    RasterSurface s = Canvas(c.width, c.height);
    allocations = 0, countingAllocations = true;
    c.draw(s);
    countingAllocations = false;
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(Picture(s), c.picture);
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
  ExpectPictures(raster_cases::Boxes());
}

TEST(RasterLine, ExcludesTheEndPointTakesTheBiasOfItsOctantAndClipsHugeEndsAtOnce) {
  ExpectPictures(raster_cases::Lines());
  RasterSurface s(6, 5);
  const POINT pts[4] = {{0, 0}, {4, 0}, {4, 3}, {1, 3}};
  s.MoveTo(5, 4), s.Polyline(pts, 4);
  EXPECT_TRUE(s.Position().x == 5 && s.Position().y == 4);  // a polyline leaves the position alone
  const sim::Image drawn = s.Picture();
  s.Polyline(nullptr, 3), s.Polygon(nullptr, 3);  // the host faults these before GDI would crash
  EXPECT_EQ(s.Picture().rgb, drawn.rgb);
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
  ExpectPictures(raster_cases::Polygons());
}

TEST(RasterEllipse, OutlinesTheTracedQuadrantFourWaysOverItsBlackRegion) {
  ExpectPictures(raster_cases::Ellipses());
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
