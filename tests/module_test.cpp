// The built module's whole life in the stand-in host, through its real loading path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include "host/mfd.h"
#include "sim/core/host.h"
#include "sim/core/module.h"
#include "sim/orbiter/abi_calls.h"
#include "sim/surface/null_surface.h"
#include "temp_dir.h"

namespace {
bool failNothrowAllocations = false;
}  // namespace

// The module's nothrow allocations resolve here: this program exports its symbols.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  if (failNothrowAllocations) return nullptr;
  try {
    return ::operator new(n);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

namespace {

using sim::TheHost;

class ModuleLife : public testing::Test {
 protected:
  void SetUp() override {
    TheHost().Reset();
    configDir_ = TempDirFor("vitals_module_test");
    TheHost().configDir = configDir_.string();
    WriteConfig("GenericMFDSize = 6\nPanelScale = 1\n");
    TheHost().focus = &vessel_;
    TheHost().trace.Enable(true);
    module_ = sim::Module::Load(VITALS_MODULE, &error_);
    ASSERT_TRUE(module_) << error_;
    ASSERT_EQ(TheHost().modes.size(), 1u);
    msgproc_ = reinterpret_cast<OAPI_MSGTYPE (*)(UINT, UINT, WPARAM, LPARAM)>(TheHost().modes[0].msgproc);
  }
  void TearDown() override {
    module_.reset();
    EXPECT_TRUE(TheHost().faults.empty()) << TheHost().faults.front();
  }

  void WriteConfig(const std::string& text) { std::ofstream(configDir_ / "Orbiter.cfg") << text; }

  std::unique_ptr<sim::Display> Open(DWORD w = 288, DWORD h = 320) {
    auto display = sim::Display::Open(TheHost().modes.at(0).id, w, h, vessel_.Interface(), 7, 12, &error_);
    EXPECT_TRUE(display) << error_;
    return display;
  }

  // The lines traced since the last call of Mark().
  std::vector<std::string> Since() const {
    const auto& lines = TheHost().trace.Lines();
    return {lines.begin() + static_cast<std::ptrdiff_t>(mark_), lines.end()};
  }
  void Mark() { mark_ = TheHost().trace.Lines().size(); }

  // The scale tag one refresh of the display writes: its first text.
  std::string ScaleTag(sim::Display& display) {
    sim::NullSurface surface;
    Mark();
    display.Update(static_cast<HDC>(&surface));
    for (const std::string& line : Since())
      if (line.rfind("TextOutA ", 0) == 0) return line;
    return "none";
  }

  int Count(const std::string& line) const {
    const auto& lines = TheHost().trace.Lines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }

  std::filesystem::path configDir_;
  sim::Vessel vessel_;
  std::unique_ptr<sim::Module> module_;
  OAPI_MSGTYPE (*msgproc_)(UINT, UINT, WPARAM, LPARAM) = nullptr;
  std::string error_;
  std::size_t mark_ = 0;
};

// Attach starts the host library, which logs the version and registers the mode.
TEST_F(ModuleLife, AttachRegistersTheModeInsideDllMain) {
  const std::vector<std::string> expected = {
      "> DllMain 1", "> GetModuleVersion", "Date2Int \"Apr 25 2006\" -> 60425", "version 60425",
      "> opcDLLInit", "oapiRegisterMFDMode \"Vitals\" 33 -> 1"};
  std::vector<std::string> lines = TheHost().trace.Lines();
  ASSERT_EQ(lines.size(), expected.size() + 1);
  EXPECT_EQ(lines[1].rfind("InitLib 0x", 0), 0u);
  lines.erase(lines.begin() + 1);
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(TheHost().modes[0].key, 0x21u);
  // The version is cached: a second call asks the host nothing.
  EXPECT_EQ(reinterpret_cast<int (*)()>(module_->Symbol("GetModuleVersion"))(), 60425);
  EXPECT_EQ(Count("Date2Int \"Apr 25 2006\" -> 60425"), 1);
}

// Message 4 first, then message 1; only message 1 makes an instance, and the
// host then writes its members into it and has it read its status.
TEST_F(ModuleLife, OpeningSendsMessageFourThenOne) {
  for (const UINT msg : {0u, 2u, 4u}) EXPECT_EQ(msgproc_(msg, 0, 288 | 320 << 16, 0), 0) << msg;
  Mark();
  auto display = Open(288, 320);
  const std::vector<std::string> lines = Since();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
            (std::vector<std::string>{"> ModeMsgProc 4 0 288 320", "> ModeMsgProc 1 0 288 320", "GraphMFD 288 320"}));
  EXPECT_EQ(lines.back(), "> ReadStatus");
  display.reset();
  EXPECT_EQ(TheHost().trace.Lines().back(), "> delete");
}

TEST_F(ModuleLife, FailedAllocationYieldsNoInstance) {
  failNothrowAllocations = true;
  const OAPI_MSGTYPE result = msgproc_(1, 0, 288 | 320 << 16, 0);
  failNothrowAllocations = false;
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Count("GraphMFD 288 320"), 0);
}

// The host's members sit where the host's layout puts them, cw and ch after
// W and H, its own pointer last; a display of the older class is no newer one.
TEST(HostMembers, WrittenAfterConstruction) {
  struct Older : MFD {
    Older() : MFD(1, 2, nullptr) {}
    void Update(HDC) override {}
    DWORD Cell() const { return cw << 16 | ch; }
  } display;
  int record = 0;
  EXPECT_EQ(kAbiCalls.adopt_display(&display, &record, 7, 12), 0);
  EXPECT_EQ(display.Cell(), 7u << 16 | 12u);
  void* last = nullptr;
  std::memcpy(&last, reinterpret_cast<char*>(&display) + sizeof(MFD) - sizeof(void*), sizeof last);
  EXPECT_EQ(last, &record);
}

TEST_F(ModuleLife, KeysAndButtonsOnOneDisplayShowOnTheOther) {
  module_->OpenRenderViewport(TheHost().renderWindow, 800, 600);
  auto first = Open();
  auto second = Open();
  const std::string norm = "TextOutA 4 13 4 \"Norm\"", log = "TextOutA 4 13 3 \"Log\"";
  EXPECT_EQ(ScaleTag(*second), norm);
  EXPECT_TRUE(first->ConsumeKeyBuffered(38));
  EXPECT_EQ(ScaleTag(*second), log);
  EXPECT_FALSE(first->ConsumeButton(1, 0));  // no press bit
  EXPECT_EQ(ScaleTag(*second), log);
  EXPECT_TRUE(first->ConsumeButton(1, 1));
  EXPECT_EQ(ScaleTag(*second), norm);
  EXPECT_FALSE(first->ConsumeButton(2, 1));
  EXPECT_TRUE(second->ConsumeKeyBuffered(38));
  EXPECT_FALSE(first->ConsumeKeyBuffered(30));  // any other key switches both off
  EXPECT_EQ(ScaleTag(*second), norm);
}

TEST_F(ModuleLife, ButtonLabelsAndMenu) {
  auto display = Open();
  EXPECT_STREQ(display->ButtonLabel(0), "HLP");
  EXPECT_STREQ(display->ButtonLabel(1), "LOG");
  EXPECT_EQ(display->ButtonLabel(2), nullptr);
  EXPECT_EQ(display->ButtonLabel(-1), nullptr);
  EXPECT_EQ(display->ButtonMenu(nullptr), 2);
  const VhMenuEntry* menu = nullptr;
  ASSERT_EQ(display->ButtonMenu(&menu), 2);
  ASSERT_NE(menu, nullptr);
  EXPECT_STREQ(menu[0].line1, "Descriptions on monitored parts");
  EXPECT_EQ(menu[0].line2, nullptr);
  EXPECT_EQ(menu[0].selchar, 'H');
  EXPECT_STREQ(menu[1].line1, "Logarithmic display of exhausts");
  EXPECT_EQ(menu[1].line2, nullptr);
  EXPECT_EQ(menu[1].selchar, 'L');
}

// The scale tag's place shows the scale the configuration gave.
TEST_F(ModuleLife, ConfigurationIsReadAtEveryConstruction) {
  module_->OpenRenderViewport(TheHost().renderWindow, 800, 600);
  const struct {
    int cockpit;
    const char* config;  // null: no file at all
    const char* tag;
  } cases[] = {
      {2, "PanelScale = 2\n", "TextOutA 8 26 4 \"Norm\""},       // 2 × single-precision 0.9 is below 1.8
      {2, "GenericMFDSize = 6\n", "TextOutA 4 13 4 \"Norm\""},   // absent again: back to 1.0
      {2, "panelscale = nan\n", "TextOutA 4 13 4 \"Norm\""},     // not finite: the default
      {2, "PANELSCALE = -2\n", "TextOutA -8 -26 4 \"Norm\""},    // kept as read, truncated toward zero
      {2, nullptr, "TextOutA 4 13 4 \"Norm\""},
      {1, "GenericMFDSize = 3\n", "TextOutA 3 9 4 \"Norm\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config ? c.config : "no file");
    TheHost().cockpitMode = c.cockpit;
    if (c.config)
      WriteConfig(c.config);
    else
      std::filesystem::remove(configDir_ / "Orbiter.cfg");
    auto display = Open();
    EXPECT_EQ(ScaleTag(*display), c.tag);
  }
}

TEST_F(ModuleLife, RenderWindowKeptAfterViewportCloses) {
  TheHost().renderWindow = reinterpret_cast<void*>(0x1234);
  module_->OpenRenderViewport(TheHost().renderWindow, 800, 600);
  module_->CloseRenderViewport();
  auto display = Open();
  sim::NullSurface surface;
  display->Update(static_cast<HDC>(&surface));  // a paint bracket on another window would be a fault
}

// Detach runs the exit routine, which withdraws the mode; a second withdrawal is harmless.
TEST_F(ModuleLife, DetachWithdrawsTheModeHarmlesslyTwice) {
  reinterpret_cast<void (*)(HINSTANCE)>(module_->Symbol("opcDLLExit"))(nullptr);
  EXPECT_EQ(TheHost().FindMode(1), nullptr);
  module_.reset();
  const auto& lines = TheHost().trace.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "> DllMain 0");
  EXPECT_EQ(lines.back(), "oapiUnregisterMFDMode 1 -> false");
  EXPECT_EQ(Count("oapiUnregisterMFDMode 1 -> true"), 1);
}

TEST(ModuleLoad, MissingFileOrEntryPointIsAnError) {
  std::string error;
  EXPECT_EQ(sim::Module::Load("/nonexistent/Vitals.so", &error), nullptr);
  EXPECT_NE(error.find("cannot load module"), std::string::npos);
  EXPECT_EQ(sim::Module::Load("libc.so.6", &error), nullptr);
  EXPECT_NE(error.find("DllMain not found"), std::string::npos);
}

}  // namespace
