// The stand-in host's own services: configuration files, dates, modes, brushes, trace fields.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "host/mfd.h"
#include "sim/core/host.h"
#include "sim/surface/raster_surface.h"

namespace {

using sim::TheHost;

// Keys match without case; a value must be a number as a whole; failed reads,
// and reads through null, closed or forged handles, leave the value alone.
TEST(Config, ReadsWholeNumbersThroughOpenHandlesOnly) {
  TheHost().Reset();
  TheHost().config = "; PanelScale = 1\r\n  panelscale =  7.5  ; trailing\nBad=abc\nEmpty =\nNoEquals\n = 3\nBig = 1e400\nNeg=-0.25";
  EXPECT_EQ(oapiOpenFile("Missing.cfg", FILE_IN, ROOT), nullptr);
  EXPECT_EQ(oapiOpenFile("Orbiter.cfg", FILE_OUT, ROOT), nullptr);
  const FILEHANDLE f = oapiOpenFile("Orbiter.cfg", FILE_IN, ROOT), closed = oapiOpenFile("Orbiter.cfg", FILE_IN, ROOT);
  oapiCloseFile(closed, FILE_IN), oapiCloseFile(closed, FILE_IN), oapiCloseFile(nullptr, FILE_IN);
  constexpr double kUnread = 42;
  const struct { FILEHANDLE file; const char* key; double value; } cases[] = {
      {f, "PanelScale", 7.5}, {f, "BIG", INFINITY}, {f, "Neg", -0.25}, {f, "Bad", kUnread}, {f, "Empty", kUnread},
      {f, "NoEquals", kUnread}, {f, "", kUnread}, {f, nullptr, kUnread}, {nullptr, "PanelScale", kUnread},
      {closed, "PanelScale", kUnread}, {reinterpret_cast<FILEHANDLE>(0x5151), "PanelScale", kUnread}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    double v = kUnread;
    EXPECT_EQ(oapiReadItem_float(c.file, const_cast<char*>(c.key), v), c.value != kUnread);
    EXPECT_EQ(v, c.value);
  }
  oapiCloseFile(f, FILE_IN);
}

TEST(Date2Int, ReadsMonthDayYearAndRejectsTheRest) {
  const std::pair<const char*, int> cases[] = {
      {"Apr 25 2006", 60425}, {"Jan  5 1999", 990105}, {"Dec 31 2026", 261231}, {"", 0}, {"Apr", 0},
      {"April 25 2006", 0}, {"Foo 25 2006", 0}, {"Apr 32 2006", 0}, {"Apr 0 2006", 0}, {"Apr 25", 0},
      {"Apr 25 2006x", 0}, {"apr 25 2006", 0}, {"25 Apr 2006", 0}, {"Apr 25 -1", 0}};
  for (const auto& [date, value] : cases) EXPECT_EQ(Date2Int(std::string(date).data()), value) << date;
  EXPECT_EQ(Date2Int(nullptr), 0);
}

TEST(Modes, FreshIdentifiersAndHarmlessWithdrawal) {
  TheHost().Reset();
  char name[] = "A";
  MFDMODESPEC record{name, 1, nullptr};
  const int a = oapiRegisterMFDMode(record), b = oapiRegisterMFDMode(record);
  EXPECT_NE(a, b);
  EXPECT_TRUE(oapiUnregisterMFDMode(a));
  EXPECT_FALSE(oapiUnregisterMFDMode(9999));
  EXPECT_TRUE(!TheHost().FindMode(a) && TheHost().FindMode(b));
  EXPECT_NE(oapiRegisterMFDMode(record), a);  // never reused
}

// A handle is stale once deleted, even when its slot is reused. Stale use,
// double deletion and exhaustion are faults.
TEST(Brushes, StaleUseDoubleDeleteAndExhaustionAreFaults) {
  TheHost().Reset();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  COLORREF c = 0;
  EXPECT_TRUE(TheHost().brushes.Find(brush, &c) && c == 0x00030201u);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));
  std::vector<HBRUSH> brushes = {CreateSolidBrush(RGB(9, 9, 9))};  // same slot, new generation
  EXPECT_NE(brushes[0], brush);
  RECT rc{0, 0, 1, 1};
  EXPECT_EQ(FillRect(nullptr, &rc, brush), 0);
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_EQ(TheHost().faults.size(), 3u);
  for (int i = 0; i < 100; ++i) brushes.push_back(CreateSolidBrush(0));
  EXPECT_TRUE(brushes.back() == nullptr && TheHost().faults.size() > 3u);
  for (HBRUSH b : brushes)
    if (b) DeleteObject(b);
  EXPECT_EQ(TheHost().brushes.Live(), 0);
}

// Each misuse of a drawing call is one fault naming it, and draws nothing.
TEST(DrawingFaults, NullOrForeignContextsBadPointsNullTextAndUnbalancedPaints) {
  const POINT two[2] = {{0, 0}, {1, 1}};
  const HDC foreign = reinterpret_cast<HDC>(0x77);
  const auto window = [] { return static_cast<HWND>(TheHost().renderWindow); };
  const std::pair<std::function<int(HDC)>, std::string> cases[] = {
      {[](HDC) { return LineTo(nullptr, 1, 1); }, "LineTo on a null device context"},
      {[&](HDC) { return Ellipse(foreign, 0, 0, 2, 2); }, "Ellipse on a device context the host did not hand out"},
      {[](HDC dc) { return Polyline(dc, nullptr, 2); }, "Polyline with a bad point list"},
      {[&](HDC dc) { return Polygon(dc, two, -1); }, "Polygon with a bad point list"},
      {[](HDC dc) { return TextOutA(dc, 0, 0, nullptr, 2); }, "TextOutA with null text"},
      {[&](HDC) { return EndPaint(window(), nullptr); }, "EndPaint without BeginPaint"},
      {[](HDC) { return BeginPaint(reinterpret_cast<HWND>(0x2), nullptr) ? 1 : 0; },
       "BeginPaint on a window the host does not know"},
  };
  for (const auto& [call, fault] : cases) {
    TheHost().Reset();
    sim::RasterSurface surface(4, 4);
    TheHost().drawing = &surface;
    surface.FillRect({0, 0, 4, 4}, RGB(255, 255, 255));
    const sim::Image blank = surface.Picture();
    EXPECT_EQ(call(static_cast<HDC>(surface.Dc())), 0) << fault;
    EXPECT_EQ(TheHost().faults, std::vector<std::string>{fault});
    EXPECT_EQ(surface.Picture().rgb, blank.rgb) << fault;
  }
}

// The host's default pens 0 to 5 and the title's colour, as drawn: facts of the real host.
TEST(HostLook, PensAndTitleDrawInTheHostsColours) {
  TheHost().Reset();
  sim::RasterSurface surface(200, 200);
  const unsigned char pens[6][3] = {{0, 255, 0}, {0, 255, 0}, {0, 128, 0}, {128, 128, 0}, {64, 64, 0}, {128, 128, 128}};
  for (int pen = 0; pen < 6; ++pen) surface.SelectPen(pen), surface.MoveTo(0, 190 + pen), surface.LineTo(3, 190 + pen);
  struct Titled : MFD {
    Titled() : MFD(200, 200, nullptr) {}
    void Update(HDC) override {}
  } display;
  TheHost().drawing = &surface;
  display.Title(static_cast<HDC>(surface.Dc()), "MMM");
  const sim::Image image = surface.Picture();
  for (int pen = 0; pen < 6; ++pen) {
    const unsigned char* rgb = &image.rgb[std::size_t((190 + pen) * 200 * 3)];
    EXPECT_EQ(std::vector<int>(rgb, rgb + 3), std::vector<int>(pens[pen], pens[pen] + 3)) << "pen " << pen;
  }
  int title = 0;
  for (std::size_t i = 0; i < std::size_t(3 * 200 * 190); i += 3) {
    if (!image.rgb[i] && !image.rgb[i + 1] && !image.rgb[i + 2]) continue;
    ++title;
    EXPECT_EQ(std::vector<int>(&image.rgb[i], &image.rgb[i] + 3), (std::vector<int>{224, 224, 224}));
  }
  EXPECT_GT(title, 0);
  TheHost().drawing = nullptr;
}

}  // namespace
