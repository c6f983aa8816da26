// vitals-sim run as a subprocess: its refusals, its pictures and its traces.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sim/font.h"
#include "sim/style.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb/stb_image.h>
#include "temp_dir.h"
#pragma GCC diagnostic pop

namespace fs = std::filesystem;

namespace {

constexpr double kGeneric = static_cast<double>(1.2f);
constexpr double kPanel = static_cast<double>(0.9f);
constexpr double kVirtual = static_cast<double>(0.8f);

int Px(double design, double scale) { return static_cast<int>(design * scale); }

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Outcome {
  int status = -1;
  std::string out, err;
};

// Runs vitals-sim with args in folder, TMPDIR pointing at tmp when given.
Outcome Sim(const std::vector<std::string>& args, const fs::path& folder, const fs::path& tmp = {}) {
  const fs::path out = TempDirFor("vitals_sim_output") / "stdout";
  const fs::path err = TempDirFor("vitals_sim_output") / "stderr";
  const pid_t pid = fork();
  if (pid == 0) {
    const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0 || chdir(folder.c_str()) != 0) _exit(127);
    if (!tmp.empty()) setenv("TMPDIR", tmp.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(VITALS_SIM)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(VITALS_SIM, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
}

// A fresh, empty folder for one test.
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

fs::path Example(const std::string& name) { return fs::path(VITALS_EXAMPLES) / (name + ".json"); }

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  // 0x00RRGGBB, or 0xFFFFFFFF outside.
  unsigned At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
    const unsigned char* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
    return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
  }
};

Picture Load(const fs::path& png) {
  Picture pic;
  int channels = 0;
  unsigned char* data = stbi_load(png.c_str(), &pic.width, &pic.height, &channels, 3);
  if (!data) return pic;
  pic.rgb.assign(data, data + std::size_t(pic.width) * std::size_t(pic.height) * 3);
  stbi_image_free(data);
  return pic;
}

// Renders a situation file into folder; the picture, and the trace's lines.
struct Rendered {
  Outcome run;
  Picture picture;
  std::vector<std::string> trace;
};

Rendered Render(const fs::path& state, const fs::path& folder) {
  Rendered r;
  r.run = Sim({"render", "--state", state.string(), "--png", "page.png", "--trace", "page.trace"}, folder);
  r.picture = Load(folder / "page.png");
  std::istringstream lines(Slurp(folder / "page.trace"));
  for (std::string line; std::getline(lines, line);) r.trace.push_back(line);
  return r;
}

// Every pixel of the box [l, r) x [t, b) has colour rgb.
::testing::AssertionResult Filled(const Picture& pic, int l, int t, int r, int b, unsigned rgb) {
  if (l >= r || t >= b) return ::testing::AssertionFailure() << "empty box";
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (pic.At(x, y) != rgb)
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << pic.At(x, y);
  return ::testing::AssertionSuccess();
}

int Count(const Picture& pic, int l, int t, int r, int b, unsigned rgb) {
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) n += pic.At(x, y) == rgb;
  return n;
}

constexpr unsigned kGreen = 0x00FF00, kRed = 0xFF0000, kBlack = 0;

// ---- refusals ----

struct BadCase {
  const char* name;
  std::string state;                // written to state.json when not empty
  std::vector<std::string> args;    // after "render"
  std::vector<std::string> expect;  // fragments of the message
};

TEST(VitalsSimRefuses, BadInputWithItsPlaceAndLeavesNoFile) {
  const fs::path module = fs::path(VITALS_SIM).parent_path() / "Vitals.so";
  const std::vector<std::string> outputs = {"--png", "out.png", "--trace", "out.trace"};
  const std::vector<BadCase> cases = {
      {"malformed", "{\n  \"keys\": [35,\n}", {"--state", "state.json"}, {"state.json: ", "line 3, column 1"}},
      {"unknown field", R"({"vessel": {"thrust": {}}})", {"--state", "state.json"},
       {"state.json: /vessel/thrust: unknown field"}},
      {"wrong type", R"({"keys": "35"})", {"--state", "state.json"}, {"state.json: /keys: must be an array"}},
      {"group out of range", R"({"vessel": {"thrusters": {"15": [1]}}})", {"--state", "state.json"},
       {"state.json: /vessel/thrusters/15: thruster group must be 0 to 14"}},
      {"surface out of range", R"({"vessel": {"control_surfaces": {"3": 1}}})", {"--state", "state.json"},
       {"state.json: /vessel/control_surfaces/3: control surface type must be 0 to 2"}},
      {"display too large", R"({"display": {"width": 4097}})", {"--state", "state.json"},
       {"state.json: /display/width: must be an integer from 1 to 4096"}},
      {"missing state", "", {"--state", "absent.json"}, {"absent.json: cannot read"}},
      {"missing module", "", {"--module", "none.so"}, {"none.so: module not found"}},
      {"not a module", "not a library", {"--module", "state.json"}, {"state.json: cannot load module"}},
      {"missing config folder", "", {"--config-dir", "nowhere"}, {"nowhere: configuration folder not found"}},
      {"unknown option", "", {"--colour", "red"}, {"unknown option '--colour'", "usage: vitals-sim render"}},
      {"missing value", "", {"--state"}, {"option --state needs a value"}},
      {"option as value", "", {"--state", "--png", "x.png"}, {"option --state needs a value"}},
      {"repeated option", "", {"--module", module.string(), "--module", module.string()}, {"--module given twice"}},
      {"unknown command", "", {}, {"unknown command 'show'"}},
      {"missing output folder", "", {"--png", "no/such/out.png"}, {"no/such/out.png: folder no/such not found"}},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path folder = Folder("refuses");
    if (!c.state.empty()) std::ofstream(folder / "state.json") << c.state;
    const std::set<std::string> before = Names(folder);
    std::vector<std::string> args = {std::string(c.name) == "unknown command" ? "show" : "render"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    if (std::string(c.name) != "missing value" && std::string(c.name) != "missing output folder")
      args.insert(args.end(), outputs.begin(), outputs.end());
    const Outcome run = Sim(args, folder);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("vitals-sim: ", 0), 0u) << run.err;
    for (const std::string& fragment : c.expect) EXPECT_NE(run.err.find(fragment), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Names(folder), before);
  }
}

// ---- writing ----

TEST(VitalsSimWrites, DefaultPictureInTheCurrentFolderAndNoConfigurationLeft) {
  const fs::path folder = Folder("default");
  const fs::path tmp = Folder("default_tmp");
  const Outcome run = Sim({"render"}, folder, tmp);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "vitals.png\n");
  EXPECT_EQ(Names(folder), std::set<std::string>{"vitals.png"});
  EXPECT_TRUE(Names(tmp).empty());
  const Picture pic = Load(folder / "vitals.png");
  EXPECT_GE(pic.width, Px(320, kPanel));
  EXPECT_GE(pic.height, Px(310, kPanel));
}

TEST(VitalsSimWrites, ExactlyTheNamedFiles) {
  const fs::path folder = Folder("named");
  fs::create_directories(folder / "sub");
  const Outcome run = Sim({"render", "--trace=sub/t.txt", "--state", Example("hover").string()}, folder);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "sub/t.txt\n");
  EXPECT_EQ(Names(folder), std::set<std::string>{"sub"});
  EXPECT_EQ(Names(folder / "sub"), std::set<std::string>{"t.txt"});
}

TEST(VitalsSimWrites, ConfigurationFolderGivesTheScale) {
  const fs::path folder = Folder("config");
  fs::create_directories(folder / "cfg");
  std::ofstream(folder / "cfg" / "Orbiter.cfg") << "PanelScale = 2\n";
  const Outcome run = Sim({"render", "--config-dir", "cfg", "--png", "p.png"}, folder);
  EXPECT_EQ(run.status, 0) << run.err;
  const Picture pic = Load(folder / "p.png");
  // The green swatch at twice the panel scale.
  EXPECT_TRUE(Filled(pic, Px(5, 2 * kPanel), Px(42, 2 * kPanel), Px(15, 2 * kPanel), Px(52, 2 * kPanel), kGreen));
  EXPECT_EQ(Names(folder / "cfg"), std::set<std::string>{"Orbiter.cfg"});
}

// ---- the session's trace ----

TEST(VitalsSimTrace, WholeSessionWithTheRefreshAfterTheKeys) {
  for (const auto& [name, mode] : std::map<std::string, int>{{"legend-log-generic", 1}, {"legend-log-panel", 2},
                                                              {"legend-log-virtual", 3}, {"runway-idle", 2}}) {
    SCOPED_TRACE(name);
    const Rendered r = Render(Example(name), Folder("trace"));
    ASSERT_EQ(r.run.status, 0) << r.run.err;
    const auto& t = r.trace;
    const auto update = std::find(t.begin(), t.end(), "> Update");
    ASSERT_NE(update, t.end());
    ASSERT_NE(update + 1, t.end());
    EXPECT_EQ(update[1], "oapiCockpitMode -> " + std::to_string(mode));
    // The host's calls into the module, in session order.
    std::vector<std::string> sections;
    for (const std::string& line : t)
      if (line.rfind("> ", 0) == 0) sections.push_back(line.substr(0, line.find(' ', 2)));
    std::vector<std::string> expected = {"> DllMain", "> opcDLLInit", "> opcOpenRenderViewport", "> ModeMsgProc"};
    if (name != "runway-idle") expected.insert(expected.end(), 2, "> ConsumeKeyBuffered");
    for (const char* s : {"> Update", "> delete", "> opcCloseRenderViewport", "> opcDLLExit", "> DllMain"})
      expected.push_back(s);
    EXPECT_EQ(sections, expected);
  }
}

// ---- pixels that follow from the page's rules ----

TEST(VitalsSimPicture, SwatchGaugeBrakeMarkAndBlackGround) {
  const sim::Font font(sim::DefaultFontFile(), sim::kDefaultFontPixels);
  const int bwWidth = font.TextWidth("Bw", 2);
  for (const auto& [name, s] : std::map<std::string, double>{{"legend-log-generic", kGeneric},
                                                             {"legend-log-panel", kPanel},
                                                             {"legend-log-virtual", kVirtual}}) {
    SCOPED_TRACE(name);
    const Rendered r = Render(Example(name), Folder("pixels"));
    ASSERT_EQ(r.run.status, 0) << r.run.err;
    const Picture& p = r.picture;
    EXPECT_TRUE(Filled(p, Px(5, s), Px(42, s), Px(15, s), Px(52, s), kGreen));
    // Left main engine at level 0.3: rows 256 to 256 + 25 × 0.3 below the trailing edge.
    EXPECT_TRUE(Filled(p, Px(143, s), Px(256, s), Px(152, s), Px(256 + 25 * 0.3, s), kGreen));
    // Left wheel braked, right one not: red only in the left mark's box.
    EXPECT_GT(Count(p, Px(96, s), Px(204, s), Px(96, s) + bwWidth, Px(204, s) + font.CellHeight(), kRed), 0);
    EXPECT_EQ(Count(p, Px(208, s), Px(204, s), Px(208, s) + bwWidth, Px(204, s) + font.CellHeight(), kRed), 0);
    // Beyond the right wing tip, below the axis cross, nothing is drawn.
    EXPECT_TRUE(Filled(p, Px(270, s), Px(215, s), Px(310, s), Px(240, s), kBlack));
  }
  const Rendered takeoff = Render(Example("takeoff"), Folder("pixels"));
  ASSERT_EQ(takeoff.run.status, 0) << takeoff.run.err;
  for (const int offset : {0, 25})
    EXPECT_TRUE(Filled(takeoff.picture, Px(143 + offset, kPanel), Px(256, kPanel), Px(152 + offset, kPanel),
                       Px(281, kPanel), kGreen));
}

// The default display holds every text, at each cockpit's scale: the legend's
// widest lines measured with the host's font, and everything a display of the
// largest size shows.
TEST(VitalsSimPicture, DefaultDisplayHoldsTheWholePage) {
  const sim::Font font(sim::DefaultFontFile(), sim::kDefaultFontPixels);
  struct Line {
    double x, y;
    const char* text;
    bool shifted;
  };
  const Line lines[] = {{129, 0, "1. Yaw right/Pitch up/dn/Move up/dn/bck/right", true},
                        {225, 149, "14. Main thrust right", true},
                        {110, 289, "23. AutoPilot/AF ctrl/", false},
                        {128, 300, "RCS mode/Flight Status", false}};
  struct Cockpit {
    const char* example;
    double scale;
    int legendOffset;
  };
  for (const Cockpit& c : {Cockpit{"legend-log-generic", kGeneric, -3}, Cockpit{"legend-log-panel", kPanel, 0},
                           Cockpit{"legend-log-virtual", kVirtual, 5}}) {
    SCOPED_TRACE(c.example);
    const Rendered fitted = Render(Example(c.example), Folder("fit"));
    ASSERT_EQ(fitted.run.status, 0) << fitted.run.err;
    const int w = fitted.picture.width, h = fitted.picture.height;
    EXPECT_NE(std::find(fitted.trace.begin(), fitted.trace.end(),
                        "> ModeMsgProc 1 0 " + std::to_string(w) + " " + std::to_string(h)),
              fitted.trace.end());
    for (const Line& l : lines) {
      const int x = Px(l.x, c.scale) + (l.shifted ? c.legendOffset : 0);
      EXPECT_LE(x + font.TextWidth(l.text, int(std::strlen(l.text))), w) << l.text;
      EXPECT_LE(Px(l.y, c.scale) + font.CellHeight(), h) << l.text;
    }

    const fs::path folder = Folder("fit_large");
    std::string state = Slurp(Example(c.example));
    state.insert(state.find('{') + 1, R"("display": {"width": 4096, "height": 4096},)");
    std::ofstream(folder / "large.json") << state;
    const Rendered large = Render(folder / "large.json", folder);
    ASSERT_EQ(large.run.status, 0) << large.run.err;
    ASSERT_EQ(large.picture.width, 4096);
    int right = 0, bottom = 0;
    for (int y = 0; y < large.picture.height; ++y)
      for (int x = 0; x < large.picture.width; ++x)
        if (large.picture.At(x, y) != kBlack) {
          right = std::max(right, x + 1);
          bottom = std::max(bottom, y + 1);
        }
    EXPECT_LE(right, w);
    EXPECT_LE(bottom, h);
    EXPECT_GT(right, w * 9 / 10);  // fitted, not merely large
  }
}

}  // namespace
