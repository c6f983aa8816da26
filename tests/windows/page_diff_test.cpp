// page_diff run on small pages made here (as PPM, which its loader reads too): what it
// counts, in texts and outside, which primitive it blames, and what it refuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../temp_dir.h"

namespace {

// A line along row 2, a filled square at (40..44, 30..34) and a text at (5, 12).
constexpr const char* kTrace =
    "> opcDLLInit\nFillRect 0 0 60 40 0x00FFFFFF\n"  // before the refresh: not the page's
    "> Update\nMoveToEx 2 2\nLineTo 30 2\nTextOutA 5 12 3 \"abc\"\n"
    "CreateSolidBrush 0x0000FF00\nFillRect 40 30 45 35 0x0000FF00\nDeleteObject 0x0000FF00\n";

struct Dot { int x, y; unsigned rgb; };

// The w x 40 page the trace draws, then the given changes.
void WritePage(const std::filesystem::path& path, const std::vector<Dot>& changes, int w = 60) {
  std::string rgb(std::size_t(w) * 40 * 3, '\0');
  const auto set = [&](Dot d) { for (int i = 0; i < 3; ++i) rgb[(d.y * w + d.x) * 3 + i] = char(d.rgb >> (16 - 8 * i)); };
  for (int x = 2; x < 30; ++x) set({x, 2, 0x0080FF});
  for (int i = 0; i < 25; ++i) set({40 + i % 5, 30 + i / 5, 0x00FF00});
  for (const Dot& d : changes) set(d);
  std::ofstream(path, std::ios::binary) << "P6\n" << w << " 40\n255\n" << rgb;
}

TEST(PageDiff, CountsDifferencesInAndOutsideTextBlamesTheLastPrimitiveAndRefusesBadInput) {
  const std::filesystem::path dir = TempDirFor("page_diff_test");
  std::ofstream(dir / "linux.trace") << kTrace;
  WritePage(dir / "linux.ppm", {}), WritePage(dir / "narrow.ppm", {}, 59);
  const struct { std::vector<Dot> changes; const char* windows; int status; bool diff; std::string says; } cases[] = {
      {{}, "windows.ppm", 0, false, "case: 2400 pixels compared, 0 differ (0 of "},
      {{{5, 12, 0x00C800}, {3, 10, 0xFFFFFF}}, "windows.ppm", 1, true, " 2 differ (2 of "},  // in the text box
      {{{44, 34, 0}, {50, 38, 0xFFFFFF}}, "windows.ppm", 1, true,
       " in 1 text boxes, 2 outside)\ncase: first difference at (44, 34): Linux #00FF00, Windows #000000\n"
       "case: drawn by trace line 8: FillRect 40 30 45 35 0x0000FF00\n"},
      {{{30, 2, 0x0080FF}}, "windows.ppm", 1, true, "drawn by trace line 5: LineTo 30 2\n"},  // the excluded end point
      {{{55, 5, 0xFFFFFF}}, "windows.ppm", 1, true, "no traced primitive covers it"},
      {{}, "narrow.ppm", 1, false, "case: sizes differ: Linux 60x40, Windows 59x40\n"},
      {{}, "missing.ppm", 2, false, "page_diff: missing.ppm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    std::filesystem::remove(dir / "diff.png");
    WritePage(dir / "windows.ppm", c.changes);
    const int status = std::system(("cd '" + dir.string() + "' && " PAGE_DIFF " case linux.ppm " + c.windows +
                                    " linux.trace diff.png >out 2>&1").c_str());
    const std::string out{std::istreambuf_iterator<char>(std::ifstream(dir / "out").rdbuf()), {}};
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status) << out;
    EXPECT_TRUE(out.find(c.says) != std::string::npos && std::filesystem::exists(dir / "diff.png") == c.diff) << out;
  }
}

}  // namespace
