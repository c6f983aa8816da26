// The stand-in host's own services: configuration files, dates, modes, brushes, trace fields.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "host/oapi.h"
#include "sim/core/config.h"
#include "sim/core/host.h"
#include "temp_dir.h"

namespace {

using sim::ConfigFile;
using sim::Field;
using sim::TheHost;

TEST(Config, KeysMatchWithoutCaseAndValuesMustBeWholeNumbers) {
  const ConfigFile file = ConfigFile::Parse(
      "; comment\r\n  genericmfdsize =  7.5  ; trailing\nPanelScale=abc\nEmpty =\nNoEquals\n = 3\nBig = 1e400\nNeg = -0.25");
  double v = 0;
  EXPECT_TRUE(file.ReadFloat("GenericMFDSize", &v));
  EXPECT_EQ(v, 7.5);
  v = 42;
  EXPECT_FALSE(file.ReadFloat("PanelScale", &v));
  EXPECT_FALSE(file.ReadFloat("Empty", &v));
  EXPECT_FALSE(file.ReadFloat("NoEquals", &v));
  EXPECT_FALSE(file.ReadFloat("", &v));
  EXPECT_EQ(v, 42);  // failed reads leave the value alone
  EXPECT_TRUE(file.ReadFloat("Big", &v));
  EXPECT_TRUE(std::isinf(v));
  EXPECT_TRUE(file.ReadFloat("neg", &v));
  EXPECT_EQ(v, -0.25);
}

TEST(Config, HandlesThatAreNullClosedOrForgedReadAsFailure) {
  TheHost().Reset();
  const auto dir = TempDirFor("vitals_host_test");
  std::ofstream(dir / "Orbiter.cfg") << "PanelScale = 2\n";
  TheHost().configDir = dir.string();
  char key[] = "PanelScale";
  double v = 0;
  EXPECT_FALSE(oapiReadItem_float(nullptr, key, v));
  EXPECT_FALSE(oapiReadItem_float(reinterpret_cast<FILEHANDLE>(0x5151), key, v));
  EXPECT_EQ(oapiOpenFile("Missing.cfg", FILE_IN, ROOT), nullptr);
  EXPECT_EQ(oapiOpenFile("Orbiter.cfg", FILE_OUT, ROOT), nullptr);
  FILEHANDLE f = oapiOpenFile("Orbiter.cfg", FILE_IN, ROOT);
  ASSERT_NE(f, nullptr);
  EXPECT_FALSE(oapiReadItem_float(f, nullptr, v));
  EXPECT_TRUE(oapiReadItem_float(f, key, v));
  EXPECT_EQ(v, 2.0);
  oapiCloseFile(f, FILE_IN);
  oapiCloseFile(f, FILE_IN);
  oapiCloseFile(nullptr, FILE_IN);
  EXPECT_FALSE(oapiReadItem_float(f, key, v));
}

TEST(Date2Int, ReadsMonthDayYearAndRejectsTheRest) {
  char good[] = "Apr 25 2006", single[] = "Jan  5 1999", dec[] = "Dec 31 2026";
  EXPECT_EQ(Date2Int(good), 60425);
  EXPECT_EQ(Date2Int(single), 990105);
  EXPECT_EQ(Date2Int(dec), 261231);
  for (const char* bad : {"", "Apr", "April 25 2006", "Foo 25 2006", "Apr 32 2006", "Apr 0 2006", "Apr 25",
                          "Apr 25 2006x", "apr 25 2006", "25 Apr 2006", "Apr 25 -1"}) {
    std::string copy = bad;
    EXPECT_EQ(Date2Int(copy.data()), 0) << bad;
  }
  EXPECT_EQ(Date2Int(nullptr), 0);
}

TEST(Modes, FreshIdentifiersAndHarmlessWithdrawal) {
  TheHost().Reset();
  char name[] = "A";
  MFDMODESPEC record{name, 1, nullptr};
  const int a = oapiRegisterMFDMode(record);
  const int b = oapiRegisterMFDMode(record);
  EXPECT_NE(a, b);
  EXPECT_TRUE(oapiUnregisterMFDMode(a));
  EXPECT_FALSE(oapiUnregisterMFDMode(a));
  EXPECT_FALSE(oapiUnregisterMFDMode(9999));
  EXPECT_NE(TheHost().FindMode(b), nullptr);
  EXPECT_NE(oapiRegisterMFDMode(record), a);  // never reused
}

TEST(Brushes, StaleUseDoubleDeleteAndLeaksAreFaults) {
  TheHost().Reset();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  COLORREF c = 0;
  ASSERT_TRUE(TheHost().brushes.Find(brush, &c));
  EXPECT_EQ(c, 0x00030201u);
  EXPECT_EQ(TheHost().brushes.Live(), 1);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(TheHost().faults.empty());
  EXPECT_FALSE(DeleteObject(brush));
  HBRUSH reused = CreateSolidBrush(RGB(9, 9, 9));  // same slot, new generation
  EXPECT_NE(reused, brush);
  RECT rc{0, 0, 1, 1};
  EXPECT_EQ(FillRect(nullptr, &rc, brush), 0);
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_EQ(TheHost().faults.size(), 3u);
  EXPECT_TRUE(DeleteObject(reused));
  EXPECT_EQ(TheHost().brushes.Live(), 0);
}

TEST(Brushes, ExhaustionIsAFaultNotACrash) {
  TheHost().Reset();
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 100; ++i) brushes.push_back(CreateSolidBrush(0));
  EXPECT_EQ(brushes.back(), nullptr);
  EXPECT_FALSE(TheHost().faults.empty());
  for (HBRUSH b : brushes)
    if (b) DeleteObject(b);
  EXPECT_EQ(TheHost().brushes.Live(), 0);
}

TEST(TraceFields, ColoursNumbersAndText) {
  EXPECT_EQ(Field::Colour(0x0000A5FF), "0x0000A5FF");
  EXPECT_EQ(Field::Number(0.5), "0.5");
  EXPECT_EQ(Field::Number(0.1), "0.10000000000000001");
  EXPECT_EQ(Field::Number(NAN), "nan");
  EXPECT_EQ(Field::Number(-NAN), "nan");
  EXPECT_EQ(Field::Number(INFINITY), "inf");
  EXPECT_EQ(Field::Number(-INFINITY), "-inf");
  EXPECT_EQ(Field::Text("a\"b\\c", 5), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(Field::Text("x\0\n\xFF", 4), "\"x\\x00\\x0A\\xFF\"");
  EXPECT_EQ(Field::Text("abc", 2), "\"ab\"");
}

}  // namespace
