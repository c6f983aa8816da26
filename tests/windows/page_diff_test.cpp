// page_diff run on small pages made here: what it counts, what it leaves out
// as text, and which primitive it blames.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

namespace fs = std::filesystem;

constexpr int kW = 60, kH = 40;

struct Page {
  std::vector<unsigned char> rgb = std::vector<unsigned char>(kW * kH * 3, 0);
  void Set(int x, int y, unsigned c) {
    unsigned char* p = &rgb[(std::size_t(y) * kW + std::size_t(x)) * 3];
    p[0] = static_cast<unsigned char>(c >> 16), p[1] = static_cast<unsigned char>(c >> 8), p[2] = static_cast<unsigned char>(c);
  }
};

// A line along row 2, a filled square at (40..44, 30..34) and a text at (5, 12).
constexpr const char* kTrace =
    "> opcDLLInit\n"
    "FillRect 0 0 60 40 0x00FFFFFF\n"  // before the refresh: not the page's
    "> Update\n"
    "MoveToEx 2 2\nLineTo 30 2\n"
    "TextOutA 5 12 3 \"abc\"\n"
    "CreateSolidBrush 0x0000FF00\nFillRect 40 30 45 35 0x0000FF00\nDeleteObject 0x0000FF00\n";

Page Drawn() {
  Page page;
  for (int x = 2; x < 30; ++x) page.Set(x, 2, 0x0080FF);
  for (int y = 30; y < 35; ++y)
    for (int x = 40; x < 45; ++x) page.Set(x, y, 0x00FF00);
  for (int x = 5; x < 20; ++x) page.Set(x, 15, 0x00C800);  // glyph pixels
  return page;
}

class PageDiff : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::TempDir()) / "page_diff_test";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    std::ofstream(dir_ / "linux.trace") << kTrace;
    Write("linux.png", Drawn());
  }
  void Write(const std::string& name, const Page& page, int w = kW, int h = kH) {
    ASSERT_TRUE(stbi_write_png((dir_ / name).c_str(), w, h, 3, page.rgb.data(), w * 3));
  }
  // Runs page_diff on linux.png and windows.png; its exit status, output in out_.
  int Run(const std::string& windows = "windows.png") {
    const std::string command = std::string(PAGE_DIFF) + " case " + (dir_ / "linux.png").string() + " " +
                                (dir_ / windows).string() + " " + (dir_ / "linux.trace").string() + " " +
                                (dir_ / "diff.png").string() + " 2>&1";
    out_.clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::array<char, 256> buf;
    while (std::fgets(buf.data(), buf.size(), pipe)) out_ += buf.data();
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  bool Says(const std::string& text) const { return out_.find(text) != std::string::npos; }

  fs::path dir_;
  std::string out_;
};

// The text box spans x 3..36 (three characters of ten pixels plus margins) and y 10..28.
constexpr int kTextBoxPixels = (36 - 3 + 1) * (28 - 10 + 1);

TEST_F(PageDiff, SamePagesMatchAndTextBoxesAreLeftOut) {
  Write("windows.png", Drawn());
  EXPECT_EQ(Run(), 0) << out_;
  EXPECT_TRUE(Says("case: " + std::to_string(kW * kH - kTextBoxPixels) + " pixels compared, 0 differ (1 text boxes left out)"))
      << out_;
  EXPECT_FALSE(fs::exists(dir_ / "diff.png"));
}

TEST_F(PageDiff, GlyphsDrawnDifferentlyInsideTheTextBoxAreNoDifference) {
  Page windows = Drawn();
  for (int x = 5; x < 20; ++x) windows.Set(x, 15, 0);
  for (int x = 6; x < 34; ++x) windows.Set(x, 24, 0x00C800);
  Write("windows.png", windows);
  EXPECT_EQ(Run(), 0) << out_;
}

TEST_F(PageDiff, ADifferenceNamesTheLastPrimitiveOverItAndWritesTheDiffImage) {
  Page windows = Drawn();
  windows.Set(44, 34, 0);       // the square's last pixel
  windows.Set(50, 38, 0xFFFFFF);  // background, later in scan order
  Write("windows.png", windows);
  EXPECT_EQ(Run(), 1) << out_;
  EXPECT_TRUE(Says(" 2 differ")) << out_;
  EXPECT_TRUE(Says("first difference at (44, 34): Linux #00FF00, Windows #000000")) << out_;
  EXPECT_TRUE(Says("drawn by trace line 8: FillRect 40 30 45 35 0x0000FF00")) << out_;
  ASSERT_TRUE(fs::exists(dir_ / "diff.png"));
}

TEST_F(PageDiff, ADifferenceOnTheLineEndIsBlamedOnTheLine) {
  Page windows = Drawn();
  windows.Set(30, 2, 0x0080FF);  // GDI would have drawn the excluded end point
  Write("windows.png", windows);
  EXPECT_EQ(Run(), 1) << out_;
  EXPECT_TRUE(Says("drawn by trace line 5: LineTo 30 2")) << out_;
}

TEST_F(PageDiff, ADifferenceAwayFromEveryPrimitiveIsBackground) {
  Page windows = Drawn();
  windows.Set(55, 5, 0xFFFFFF);
  Write("windows.png", windows);
  EXPECT_EQ(Run(), 1) << out_;
  EXPECT_TRUE(Says("no traced primitive covers it")) << out_;
}

TEST_F(PageDiff, UnusableInputIsRejected) {
  Write("windows.png", Page(), kW - 1, kH);
  EXPECT_EQ(Run(), 1) << out_;
  EXPECT_TRUE(Says("sizes differ: Linux 60x40, Windows 59x40")) << out_;
  EXPECT_EQ(Run("missing.png"), 2) << out_;
  std::ofstream(dir_ / "broken.png") << "not a picture";
  EXPECT_EQ(Run("broken.png"), 2) << out_;
  EXPECT_FALSE(fs::exists(dir_ / "diff.png"));
}

}  // namespace
