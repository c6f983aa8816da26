// The built module's whole life in the stand-in host, through its real loading path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "host/mfd.h"
#include "sim/core/host.h"
#include "sim/core/module.h"
#include "sim/core/module_session.h"
#include "sim/surface/null_surface.h"
#include "sim/surface/raster_surface.h"
#include "sim/core/look.h"
#include "tests/golden.h"
#include "tests/counting_new.h"  // exported: the module's nothrow allocations come here

namespace {

using sim::TheHost;

// A fresh host, tracing, with the default configuration.
void FreshHost() {
  TheHost().Reset();
  TheHost().config = "GenericMFDSize = 6\nPanelScale = 1\n";
  TheHost().trace.Enable(true);
}

// The host's calls into the module and the module's into the host, in session
// order: a display opened, reopened at another size, given keys and a click,
// refreshed; the refresh's own lines are left to the page tests.
TEST(ModuleSession, LoadOpenInputRefreshReopenCloseUnloadInTheHostsOrder) {
  FreshHost();
  sim::NullSurface surface;
  {
    sim::ModuleSession session(VITALS_MODULE, 288, 320);
    session.OpenDisplay(100, 100, 5, 9);
    session.OpenDisplay(288, 320, 7, 12);
    session.Opened().ConsumeKeyBuffered(35);
    session.Opened().ConsumeButton(1, sim::kButtonDown);
    session.Opened().Update(surface);
  }
  std::vector<std::string> lines;
  bool refreshing = false;
  for (const std::string& line : TheHost().trace.Lines()) {
    if (line.starts_with("> ")) refreshing = line == "> Update";
    if (!refreshing || line == "> Update") lines.push_back(line.starts_with("InitLib 0x") ? "InitLib" : line);
  }
  ExpectGolden(lines, "session");
  EXPECT_TRUE(TheHost().faults.empty());
  EXPECT_EQ(TheHost().focus, nullptr);
}

// A display of the test's own type T, opened in a mode of the test's own.
template <typename T>
std::unique_ptr<sim::DisplayInstance> OpenOwn() {
  char name[] = "Own";
  MFDMODESPEC record{name, 1, [](UINT msg, UINT, WPARAM, LPARAM) {
                       return msg == 1 ? reinterpret_cast<OAPI_MSGTYPE>(static_cast<MFD*>(new T)) : 0;
                     }};
  return sim::DisplayInstance::Open(oapiRegisterMFDMode(record), 200, 200, nullptr, 7, 12, nullptr);
}

// A display of the host's older class, made by a mode of the test's own. It
// keeps what the host had written when it was asked to read its status.
struct Older : MFD {
  Older() : MFD(1, 2, nullptr) {}
  void Update(HDC) override {}
  void ReadStatus(FILEHANDLE) override {
    cell = cw << 16 | ch;
    std::memcpy(&last, reinterpret_cast<char*>(this) + sizeof(MFD) - sizeof(void*), sizeof last);
  }
  static inline DWORD cell = 0;
  static inline void* last = nullptr;
};

// cw and ch sit after W and H, the host's own record last, all written before ReadStatus.
TEST(HostMembers, WrittenBeforeTheDisplayReadsItsStatus) {
  TheHost().Reset();
  const auto display = OpenOwn<Older>();
  ASSERT_TRUE(display);
  EXPECT_EQ(Older::cell, 7u << 16 | 12u);
  EXPECT_EQ(Older::last, display.get());
}

// A display that draws in whatever state the host hands it: a red dot, a box
// around it and a letter.
struct Bare : MFD {
  Bare() : MFD(200, 200, nullptr) {}
  void Update(HDC dc) override {
    SetPixel(dc, 50, 50, RGB(255, 0, 0));
    Rectangle(dc, 40, 40, 60, 60);
    TextOutA(dc, 100, 100, "H", 1);
  }
};

// Each refresh starts black, with green text in font 0 and hollow figures in
// pen 0, framed in the generic cockpit, and ends with no pen; the trace holds
// only the display's own calls.
TEST(HostRefresh, StartsAsTheHostLeavesTheDisplayAndEndsWithoutAPen) {
  FreshHost();
  const auto display = OpenOwn<Bare>();
  ASSERT_TRUE(display);
  const COLORREF green = sim::kDefaultPens[0], white = RGB(255, 255, 255);
  for (const int cockpit : {1, 2}) {
    SCOPED_TRACE(cockpit);
    TheHost().cockpitMode = cockpit;
    sim::RasterSurface surface(200, 200);
    surface.FillRect({0, 0, 200, 200}, white), surface.SetTextColor(white), surface.SelectFont(2), surface.SelectPen(2);
    for (int refresh = 0; refresh < 2; ++refresh) {
      TheHost().trace.Clear();
      display->Update(surface);
      EXPECT_EQ(TheHost().trace.Lines().size(), 4u);
      EXPECT_TRUE(surface.Pixel(50, 50) == RGB(255, 0, 0) && surface.Pixel(40, 40) == green);
      int white_left = 0, text = 0, frame = 0;
      for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
          const COLORREF c = surface.Pixel(x, y);
          white_left += c == white;
          text += x >= 100 && x < 150 && y >= 100 && y < 150 && c == green;
          frame += (x == 0 || y == 0 || x == 199 || y == 199) && c == green;
        }
      EXPECT_TRUE(white_left == 0 && text > 0) << white_left << " " << text;
      EXPECT_EQ(frame, cockpit == 1 ? 4 * 199 : 0);
      const sim::Image drawn = surface.Picture();
      surface.LineTo(199, 199), surface.Rectangle(0, 0, 200, 200);
      EXPECT_EQ(surface.Picture().rgb, drawn.rgb);
    }
  }
  EXPECT_TRUE(TheHost().faults.empty());
}

// A refresh that leaves its paint bracket open and a brush alive.
struct Leaky : MFD {
  Leaky() : MFD(200, 200, nullptr) {}
  void Update(HDC) override {
    PAINTSTRUCT paint;
    BeginPaint(static_cast<HWND>(TheHost().renderWindow), &paint);
    CreateSolidBrush(0);
  }
};

TEST(HostRefresh, ABrushAliveOrAPaintBracketOpenAfterItAreFaults) {
  FreshHost();
  sim::NullSurface surface;
  OpenOwn<Leaky>()->Update(surface);
  EXPECT_EQ(TheHost().faults, (std::vector<std::string>{"1 brush(es) alive after the refresh",
                                                         "paint bracket left open after the refresh"}));
}

class ModuleLife : public testing::Test {
 protected:
  // The module loaded; its render window, given by a viewport since closed, is
  // the one the page paints on (another would be a fault).
  void SetUp() override {
    FreshHost();
    TheHost().focus = &vessel_;
    TheHost().renderWindow = reinterpret_cast<void*>(0x1234);
    module_ = sim::Module::Load(VITALS_MODULE, &error_);
    ASSERT_TRUE(module_) << error_;
    module_->OpenRenderViewport(TheHost().renderWindow, 800, 600);
    module_->CloseRenderViewport();
  }
  void TearDown() override {
    module_.reset();
    EXPECT_TRUE(TheHost().faults.empty()) << TheHost().faults.front();
  }

  std::unique_ptr<sim::DisplayInstance> Open() {
    auto display = sim::DisplayInstance::Open(TheHost().modes.at(0).id, 288, 320, vessel_.Interface(), 7, 12, &error_);
    EXPECT_TRUE(display) << error_;
    return display;
  }

  // The scale tag one refresh of the display writes: its first text.
  static std::string ScaleTag(sim::DisplayInstance& display) {
    sim::NullSurface surface;
    TheHost().trace.Clear();
    display.Update(surface);
    const auto& lines = TheHost().trace.Lines();
    const auto tag = std::ranges::find_if(lines, [](const std::string& l) { return l.starts_with("TextOutA "); });
    return tag == lines.end() ? "none" : *tag;
  }

  sim::Vessel vessel_;
  std::unique_ptr<sim::Module> module_;
  std::string error_;
};

// Only message 1 makes an instance, and none without memory; the version date is asked for once.
TEST_F(ModuleLife, OnlyMessageOneMakesAnInstanceWhileMemoryLasts) {
  const auto msgproc = reinterpret_cast<OAPI_MSGTYPE (*)(UINT, UINT, WPARAM, LPARAM)>(TheHost().modes.at(0).msgproc);
  for (const UINT msg : {0u, 2u, 4u}) EXPECT_EQ(msgproc(msg, 0, 288 | 320 << 16, 0), 0) << msg;
  failNothrowAllocations = true;
  EXPECT_EQ(msgproc(1, 0, 288 | 320 << 16, 0), 0);
  failNothrowAllocations = false;
  EXPECT_EQ(module_->Find(kGetModuleVersion)(), 60425);
  EXPECT_EQ(std::ranges::count(TheHost().trace.Lines(), "Date2Int \"Apr 25 2006\" -> 60425"), 1);
}

// The host's mouse events on a button: 0x01 pressed, 0x10 every frame while
// held, 0x04 released. Each click toggles once, whatever the hold; key 38 toggles
// too, button 2 does nothing, any other key switches off; both displays show it.
TEST_F(ModuleLife, EachClickOrKeyOnOneDisplayTogglesOnceAndShowsOnTheOther) {
  auto first = Open(), second = Open();
  const std::string norm = "TextOutA 4 13 4 \"Norm\"", log = "TextOutA 4 13 3 \"Log\"";
  EXPECT_EQ(ScaleTag(*second), norm);
  const struct {
    int button;  // -1: the events are keys
    std::vector<int> events;
    std::vector<bool> consumed;
    std::string tag;
  } clicks[] = {
      {1, {0x01, 0x04}, {true, false}, log},
      {1, {0x01, 0x10, 0x10, 0x10, 0x04}, {true, false, false, false, false}, norm},
      {-1, {38}, {true}, log},
      {1, {0x04, 0x10, 0x04}, {false, false, false}, log},  // no press
      {2, {0x01}, {false}, log},
      {-1, {30}, {false}, norm},
      {1, {0x01, 0x10, 0x04}, {true, false, false}, log},
  };
  for (const auto& click : clicks) {
    std::vector<bool> consumed;
    for (const int event : click.events)
      consumed.push_back(click.button < 0 ? first->ConsumeKeyBuffered(std::uint32_t(event)) : first->ConsumeButton(click.button, event));
    EXPECT_EQ(consumed, click.consumed) << &click - clicks;
    EXPECT_EQ(ScaleTag(*second), click.tag) << &click - clicks;
  }
}

// Buttons 0 and 1 only, each labelled by the initial of its menu entry's key.
TEST_F(ModuleLife, ButtonLabelsAndMenu) {
  auto display = Open();
  const VhMenuEntry* menu = nullptr;
  EXPECT_EQ(display->ButtonMenu(nullptr), 2);
  ASSERT_EQ(display->ButtonMenu(&menu), 2);
  for (int bt : {0, 1}) {
    ASSERT_NE(display->ButtonLabel(bt), nullptr);
    EXPECT_TRUE(display->ButtonLabel(bt)[0] == menu[bt].selchar && menu[bt].line1 && !menu[bt].line2) << bt;
  }
  EXPECT_TRUE(!display->ButtonLabel(-1) && !display->ButtonLabel(2));
}

// The scale tag's place shows the scale the configuration gave.
TEST_F(ModuleLife, ConfigurationIsReadAtEveryConstruction) {
  const struct {
    int cockpit;
    const char* config;  // null: no file at all
    const char* tag;
  } cases[] = {
      {2, "PanelScale = 2\n", "TextOutA 8 26 4 \"Norm\""},      // 2 × single-precision 0.9 is below 1.8
      {2, "GenericMFDSize = 6\n", "TextOutA 4 13 4 \"Norm\""},  // absent again: back to 1.0
      {2, "panelscale = nan\n", "TextOutA 4 13 4 \"Norm\""},    // not finite: the default
      {2, "PANELSCALE = -2\n", "TextOutA -8 -26 4 \"Norm\""},   // kept as read, truncated toward zero
      {2, nullptr, "TextOutA 4 13 4 \"Norm\""},
      {1, "GenericMFDSize = 3\n", "TextOutA 3 9 4 \"Norm\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config ? c.config : "no file");
    TheHost().config = c.config ? std::optional<std::string>(c.config) : std::nullopt;
    TheHost().cockpitMode = c.cockpit;
    EXPECT_EQ(ScaleTag(*Open()), c.tag);
  }
}

// A file that does not load: vitals-sim's refusals.
TEST(ModuleLoad, MissingEntryPointIsAnError) {
  std::string error;
  EXPECT_EQ(sim::Module::Load("libc.so.6", &error), nullptr);
  EXPECT_NE(error.find("DllMain not found"), std::string::npos);
}

// The host starts a module with InitModule rather than opcDLLInit, and ends it
// with ExitModule rather than opcDLLExit.
TEST(ModuleLoad, InitModuleAndExitModuleComeFirst) {
  FreshHost();
  std::string error;
  auto module = sim::Module::Load(BOTH_ROUTINES_MODULE, &error);
  ASSERT_TRUE(module) << error;
  module->Exit();
  module.reset();
  std::vector<std::string> sections;
  for (const std::string& line : TheHost().trace.Lines())
    if (line.starts_with("> ")) sections.push_back(line);
  EXPECT_EQ(sections, (std::vector<std::string>{"> DllMain 1", "> InitModule", "> ExitModule", "> DllMain 0"}));
}

}  // namespace
