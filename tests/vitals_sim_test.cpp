// vitals-sim run as a subprocess: its refusals, its pictures and its traces.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb/stb_image.h>

#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr unsigned kGreen = 0x00FF00, kRed = 0xFF0000, kBlack = 0, kTitle = 0xE0E0E0;

int Px(double design, double scale) { return static_cast<int>(design * scale); }

std::string Slurp(const fs::path& file) { return (std::ostringstream() << std::ifstream(file).rdbuf()).str(); }

// A fresh, empty folder.
fs::path Folder(const std::string& name) {
  const fs::path folder = TempDirFor("vitals_sim_" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

std::string Example(const std::string& name) { return std::string(VITALS_EXAMPLES) + "/" + name + ".json"; }

// Runs vitals-sim with the shell words `args` in `folder`, which is also its temporary
// folder: exit status, standard output and standard error.
std::tuple<int, std::string, std::string> Sim(const std::string& args, const fs::path& folder) {
  const fs::path out = Folder("output");
  const std::string command = "cd '" + folder.string() + "' && TMPDIR=. '" VITALS_SIM "' " + args;
  const int status = std::system((command + " >" + (out / "o").string() + " 2>" + (out / "e").string()).c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out / "o"), Slurp(out / "e")};
}

// A rendered page: its picture as 0x00RRGGBB pixels, row by row, and its trace.
struct Page {
  int width = 0, height = 0;
  std::vector<unsigned> rgb;
  std::vector<std::string> trace;
  // Pixels of colour c in the box [l, r) x [t, b).
  int Count(int l, int t, int r, int b, unsigned c) const {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += rgb.at(static_cast<std::size_t>(y * width + x)) == c;
    return n;
  }
  bool Filled(int l, int t, int r, int b, unsigned c) const { return Count(l, t, r, b, c) == (r - l) * (b - t); }
};

// Renders a situation into `folder`, which then holds the picture and the trace alone.
Page Render(const std::string& state, const fs::path& folder, const std::string& args = "") {
  const auto [status, out, err] = Sim("render --state '" + state + "' --png p.png --trace=p.trace " + args, folder);
  EXPECT_EQ(status, 0) << err;
  EXPECT_EQ(out, "p.png\np.trace\n");
  EXPECT_EQ(Names(folder), (std::set<std::string>{"p.png", "p.trace"}));
  Page page;
  unsigned char* data = stbi_load((folder / "p.png").c_str(), &page.width, &page.height, nullptr, 3);
  for (int i = 0; data && i < page.width * page.height * 3; i += 3)
    page.rgb.push_back(unsigned(data[i]) << 16 | unsigned(data[i + 1]) << 8 | data[i + 2]);
  stbi_image_free(data);
  std::istringstream lines(Slurp(folder / "p.trace"));
  for (std::string line; std::getline(lines, line);) page.trace.push_back(line);
  return page;
}

TEST(VitalsSim, RefusesBadInputNamingItsPlaceAndWritesNothing) {
  const std::string state = "render --png o.png --trace o.trace --state state.json", png = " --png o.png";
  struct Case { std::string json, args, message; };
  const Case cases[] = {
      {"{\n  \"keys\": [35,\n}", state, "state.json: parse error at line 3, column 1"},
      {R"({"vessel": {"thrust": {}}})", state, "state.json: /vessel/thrust: unknown field"},
      {"", "render --state absent.json" + png, "absent.json: cannot read"},
      {"", "render --module none.so" + png, "none.so: module not found"},
      {"not a library", "render --module state.json" + png, "state.json: cannot load module"},
      {"", "render --config-dir nowhere" + png, "nowhere: configuration folder not found"},
      {"", "render --colour red" + png, "unknown option '--colour'\nusage: vitals-sim render"},
      {"", "render" + png + " --state", "option --state needs a value"},
      {"", "render --state --png x.png", "option --state needs a value"},
      {"", "render --module a.so --module a.so" + png, "option --module given twice"},
      {"", "show" + png, "unknown command 'show'"},
      {"", "render --png no/such/out.png", "no/such/out.png: folder no/such not found"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const fs::path folder = Folder("refuses");
    if (!c.json.empty()) std::ofstream(folder / "state.json") << c.json;
    const std::set<std::string> before = Names(folder);
    const auto [status, out, err] = Sim(c.args, folder);
    EXPECT_EQ(status, 2);
    EXPECT_TRUE(err.starts_with("vitals-sim: " + c.message)) << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(Names(folder), before);
  }
}

TEST(VitalsSim, WithoutOptionsWritesTheDefaultPictureAndNothingElse) {
  const fs::path folder = Folder("default");
  const auto [status, out, err] = Sim("render", folder);
  EXPECT_EQ(status, 0) << err;
  EXPECT_EQ(out, "vitals.png\n");
  EXPECT_EQ(Names(folder), std::set<std::string>{"vitals.png"});
}

// Per cockpit: the host's calls into the module in session order, the rules' pixels, on a
// display of the size the cockpit gives. A configuration folder replaces the situation's.
TEST(VitalsSim, EachCockpitRendersTheWholeSessionAndPage) {
  const fs::path cfg = Folder("config_dir");
  std::ofstream(cfg / "Orbiter.cfg") << "GenericMFDSize = 8\n";
  for (const auto& [name, s, mode, side, args] :
       {std::tuple("legend-log-generic", double{1.2f}, 1, 385, std::string()),
        std::tuple("legend-log-panel", double{0.9f}, 2, 300, std::string()),
        std::tuple("legend-log-virtual", double{0.8f}, 3, 256, std::string()),
        std::tuple("legend-log-generic", 8 / 6.0 * double{1.2f}, 1, 455, "--config-dir '" + cfg.string() + "'")}) {
    SCOPED_TRACE(std::string(name) + args);
    const Page p = Render(Example(name), Folder("page"), args);
    EXPECT_TRUE(p.width == side && p.height == side) << p.width << "x" << p.height;
    std::string sections;
    for (const std::string& line : p.trace)
      if (line.starts_with("> ")) sections += line.substr(2, line.find(' ', 2) - 2) + " ";
    EXPECT_EQ(sections, "DllMain GetModuleVersion opcDLLInit opcOpenRenderViewport ModeMsgProc ModeMsgProc ReadStatus "
                        "ConsumeKeyBuffered ConsumeKeyBuffered Update delete opcCloseRenderViewport opcDLLExit DllMain ");
    const auto update = std::find(p.trace.begin(), p.trace.end(), "> Update");
    ASSERT_LT(update + 1, p.trace.end());
    EXPECT_EQ(update[1], "oapiCockpitMode -> " + std::to_string(mode));
    const std::string opened = "> ModeMsgProc 1 0 " + std::to_string(p.width) + " " + std::to_string(p.height);
    EXPECT_NE(std::find(p.trace.begin(), p.trace.end(), opened), p.trace.end());
    // The title begins half of font 0's character width in: "adopted older CW CH".
    const auto adopted = std::ranges::find_if(p.trace, [](const std::string& l) { return l.starts_with("adopted "); });
    const int cw = adopted == p.trace.end() ? 0 : std::stoi(adopted->substr(adopted->find(' ', 8)));
    EXPECT_TRUE(p.Count(0, 0, cw / 2, 20, kTitle) == 0 && p.Count(cw / 2, 0, cw, 20, kTitle) > 0) << cw;

    EXPECT_TRUE(p.Filled(Px(5, s), Px(42, s), Px(15, s), Px(52, s), kGreen));
    // Main engines at level 0.3: rows 256 to 256 + 25 × 0.3 below the trailing edge.
    for (const int x : {143, 168})
      EXPECT_TRUE(p.Filled(Px(x, s), Px(256, s), Px(x + 9, s), Px(256 + 25 * 0.3, s), kGreen)) << x;
    // Left wheel braked, right one not: red only in the left mark's box.
    EXPECT_GT(p.Count(Px(96, s), Px(204, s), Px(96, s) + 16, Px(204, s) + 12, kRed), 0);
    EXPECT_EQ(p.Count(Px(208, s), Px(204, s), Px(208, s) + 16, Px(204, s) + 12, kRed), 0);
    // Beyond the right wing tip, below the axis cross, nothing is drawn but the
    // generic cockpit's frame in pen 0 on the display's edges; texts cross its
    // right and bottom sides.
    EXPECT_TRUE(p.Filled(Px(270, s), Px(215, s), std::min(Px(310, s), side - 1), Px(240, s), kBlack));
    EXPECT_EQ(p.Filled(0, 0, 1, side, kGreen) && p.Filled(0, 0, side, 1, kGreen), mode == 1);
  }
}

}  // namespace
