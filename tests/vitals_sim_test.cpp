// vitals-sim run as a subprocess: its refusals, its pictures and its traces.
#include <sys/stat.h>
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
#include "tests/cockpit_scales.h"

#include <gif_lib.h>

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
// folder, under `wrapper` when given: exit status, standard output and standard error.
std::tuple<int, std::string, std::string> Sim(const std::string& args, const fs::path& folder,
                                              const std::string& wrapper = "") {
  const fs::path out = Folder("output");
  const std::string command = "cd '" + folder.string() + "' && TMPDIR=. " + wrapper + " '" VITALS_SIM "' " + args;
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

// Bad input is refused naming its place; outputs never replace an input, a
// special file or, when anything fails, the file that was there; a signal
// leaves no temporary file.
TEST(VitalsSim, RefusesBadInputAndLosesNothing) {
  const std::string state = "render --png o.png --trace o.trace --state state.json", png = " --png o.png";
  const std::string play = "play --state state.json --gif o.gif --trace o.trace --flight ";
  const std::string flight = "play --state s.json --flight f.atc ";
  struct Case {
    std::string json, args, message;
    int status = 2;
    std::string wrapper = "";
  };
  const Case cases[] = {
      {"{\n  \"keys\": [35,\n}", state, "state.json: parse error at line 3, column 1"},
      {R"({"vessel": {"thrust": {}}})", state, "state.json: /vessel/thrust: unknown field"},
      {"", "render --state absent.json" + png, "absent.json: cannot read"},
      {"", "render --module none.so" + png, "none.so: module not found"},
      {"not a library", "render --module state.json" + png, "state.json: cannot load module"},
      {"", "render --config-dir nowhere" + png, "nowhere: configuration folder not found"},
      {"", "render --config-dir big" + png, "big/Orbiter.cfg: larger than 1048576 bytes"},
      {"", "render --colour red" + png, "The following arguments were not expected: red --colour"},
      {"", "render" + png + " --state", "--state: 1 required TEXT missing"},
      {"", "render --module a.so --module a.so" + png, "--module: At Most 1 required but received 2"},
      {"", "render --refreshes 1000001", "--refreshes: Value 1000001 not in range 1 to 1000000"},
      {"", "render --png o.png --trace ./o.png", "./o.png: named for two outputs"},
      {"", "show" + png, "unknown command 'show'"},
      {"{\"keys\": [35,]}", "render --state '" + Example("takeoff") + "' --png a.png --state state.json --png o.png",
       "state.json: parse error at line 1"},
      {"{}", "render --state state.json --state state.json --png a.png --png b.png --trace a.trace",
       "--trace needs one file for each of the 2 situations, not 1"},
      {"{}", "render --state state.json --state state.json", "--png or --trace needed for each of 2 situations"},
      {"{}", "render --state state.json --png a.png --trace b.trace --state state.json --png b.trace --trace c.trace",
       "b.trace: named for two outputs"},
      {"", "render --png no/such/out.png", "no/such/out.png: folder no/such not found"},
      {"{}", play + "absent.atc", "absent.atc: cannot read"},
      {"{}", play + "bad.atc", "bad.atc:2: the first line has no time: 'x2 GEAR UP'"},
      {R"({"vessel": {"thrusters": {}, "thruster_levels": [1]}})", play + "ok.atc", "state.json: /vessel/thrusters: goes"},
      {R"({"config": "InstrumentUpdateInterval = 0"})", play + "ok.atc",
       "state.json: InstrumentUpdateInterval must be a positive finite number"},
      {"{}", play + "ok.atc --from 2 --to 1", "--from is after --to"},
      {"{}", play + "ok.atc --to 500000.5", "more than 1000000 refreshes"},
      {"{}", play + "ok.atc --speed 0", "--speed: Value 0 not in range"},
      {"{}", play + "ok.atc --speed 1e-9", "--speed 1e-09 shows each refresh for longer than a GIF frame can last"},
      {"", "render --state s.json --png s.json", "s.json: is also an input, s.json"},
      {"", flight + "--trace f.atc", "f.atc: is also an input, f.atc"},
      {"", flight + "--gif link.json", "link.json: is also an input, s.json"},
      {"", "render --png fifo", "fifo: is not a regular file"},
      {"", "render --png keep.png --trace /proc/none/x.trace", "/proc/none/x.trace: folder /proc/none not found"},
      {"", "render --png keep.png --trace /proc/x.trace", "/proc/x.trace: cannot create /proc/x.trace.tmp"},
      {"", flight + "--from 1e300", "refresh times 0.5 s apart cannot be told apart near 1e+300 s"},
      {"", flight + "--to 1e5 --gif g.gif --trace t.trace", "play: refresh", 124, "timeout -s TERM 1.5"},
      {"", flight + "--to 1e5 --trace t.trace", "play: refresh", 124, "timeout -s INT 1.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const fs::path folder = Folder("refuses");
    if (!c.json.empty()) std::ofstream(folder / "state.json") << c.json;
    std::ofstream(folder / "ok.atc") << "0.1 GEAR UP\n";
    std::ofstream(folder / "bad.atc") << "\nx2 GEAR UP\n0.1 ENG 0:1\n";
    fs::create_directory(folder / "big");
    std::ofstream(folder / "big" / "Orbiter.cfg") << std::string((1 << 20) + 1, ';');
    std::ofstream(folder / "s.json") << "{}";
    std::ofstream(folder / "f.atc") << "0 GEAR UP\n";
    std::ofstream(folder / "keep.png") << "keep";
    fs::create_symlink("s.json", folder / "link.json");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    const std::set<std::string> before = Names(folder);
    const auto [status, out, err] = Sim(c.args, folder, c.wrapper);
    EXPECT_EQ(status, c.status) << err;
    if (c.status == 2) EXPECT_TRUE(err.starts_with("vitals-sim: " + c.message) && out.empty()) << err << out;
    else EXPECT_NE(err.find("vitals-sim: " + c.message), std::string::npos) << err;
    EXPECT_EQ(Names(folder), before);
    EXPECT_EQ(Slurp(folder / "s.json") + Slurp(folder / "f.atc") + Slurp(folder / "keep.png"), "{}0 GEAR UP\nkeep");
    EXPECT_TRUE(fs::is_symlink(folder / "link.json"));
  }
  // Through a symbolic link, its target is replaced.
  const fs::path folder = Folder("lose_nothing");
  std::ofstream(folder / "keep.png") << "keep";
  fs::create_symlink("keep.png", folder / "link.png");
  EXPECT_EQ(std::get<0>(Sim("render --png link.png", folder)), 0);
  EXPECT_TRUE(fs::is_symlink(folder / "link.png"));
  EXPECT_TRUE(Slurp(folder / "keep.png").starts_with("\x89PNG"));
}

// Several situations in one run: each page and trace as its own run writes
// them, the module loaded afresh for each (the logarithmic scale toggled on
// again, not off) and the host reset; only the module's address may differ.
TEST(VitalsSim, SeveralSituationsRenderAsSeparateRunsWould) {
  const std::vector<std::string> names = {"legend-log-generic", "takeoff", "legend-log-generic"};
  const fs::path together = Folder("together");
  std::string args = "render";
  for (std::size_t i = 0; i < names.size(); ++i)
    args += " --state '" + Example(names[i]) + "' --png " + std::to_string(i) + ".png --trace " + std::to_string(i) + ".trace";
  const auto [status, out, err] = Sim(args, together);
  ASSERT_EQ(status, 0) << err;
  EXPECT_EQ(out, "0.png\n0.trace\n1.png\n1.trace\n2.png\n2.trace\n");
  const auto load_address = [](std::string trace) {
    const std::size_t at = trace.find("InitLib 0x");
    return at == std::string::npos ? trace : trace.erase(at + 8, trace.find('\n', at) - at - 8);
  };
  for (std::size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(i);
    const fs::path alone = Folder("alone");
    Render(Example(names[i]), alone);
    const std::string n = std::to_string(i);
    EXPECT_EQ(Slurp(together / (n + ".png")), Slurp(alone / "p.png"));
    EXPECT_EQ(load_address(Slurp(together / (n + ".trace"))), load_address(Slurp(alone / "p.trace")));
  }
}

// The default situation is the vessel idle on the runway of the examples.
TEST(VitalsSim, WithoutOptionsWritesTheDefaultPictureAndNothingElse) {
  const fs::path folder = Folder("default");
  const auto [status, out, err] = Sim("render", folder);
  EXPECT_EQ(status, 0) << err;
  EXPECT_EQ(out, "vitals.png\n");
  EXPECT_EQ(Names(folder), std::set<std::string>{"vitals.png"});
  const fs::path runway = Folder("runway");
  Render(Example("runway-idle"), runway);
  EXPECT_EQ(Slurp(folder / "vitals.png"), Slurp(runway / "p.png"));
}

// Per cockpit: the rules' pixels on a display of the size the cockpit gives.
// A configuration folder replaces the situation's.
TEST(VitalsSim, EachCockpitRendersTheWholeSessionAndPage) {
  const fs::path cfg = Folder("config_dir");
  std::ofstream(cfg / "Orbiter.cfg") << "GenericMFDSize = 8\n";
  for (const auto& [name, s, mode, side, args] :
       {std::tuple("legend-log-generic", kGenericScale, 1, 385, std::string()),
        std::tuple("legend-log-panel", kPanelScale, 2, 300, std::string()),
        std::tuple("legend-log-virtual", kVirtualScale, 3, 256, std::string()),
        std::tuple("legend-log-generic", 8 / 6.0 * kGenericScale, 1, 455, "--config-dir '" + cfg.string() + "'")}) {
    SCOPED_TRACE(std::string(name) + args);
    const Page p = Render(Example(name), Folder("page"), args);
    EXPECT_TRUE(p.width == side && p.height == side) << p.width << "x" << p.height;
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

// The situation's inputs reach the display in order before the refresh, a click
// as its press and its release.
TEST(VitalsSim, InputsReachTheDisplayInOrderBeforeTheRefresh) {
  const fs::path folder = Folder("inputs");
  std::ofstream(folder / "s.json") << R"({"inputs": [{"key": 38}, {"button": 0}, {"key": 35}]})";
  std::vector<std::string> calls;
  for (const std::string& line : Render((folder / "s.json").string(), Folder("inputs_page")).trace)
    if (line.starts_with("> Consume") || line == "> Update") calls.push_back(line);
  EXPECT_EQ(calls, (std::vector<std::string>{"> ConsumeKeyBuffered 38", "> ConsumeButton 0 1", "> ConsumeButton 0 4",
                                             "> ConsumeKeyBuffered 35", "> Update"}));
}

// A configuration folder without Orbiter.cfg: the host finds no file, and the
// situation's own configuration is not used either.
TEST(VitalsSim, ConfigurationFolderWithoutTheFileGivesTheDefaults) {
  const fs::path folder = Folder("no_config");
  fs::create_directory(folder / "empty");
  std::ofstream(folder / "s.json") << R"({"cockpit_mode": 1, "config": "GenericMFDSize = 8\n"})";
  const std::string args = "--config-dir '" + (folder / "empty").string() + "'";
  const Page p = Render((folder / "s.json").string(), Folder("no_config_page"), args);
  EXPECT_EQ(p.width, 385);
  EXPECT_NE(std::ranges::find(p.trace, "oapiOpenFile \"Orbiter.cfg\" 0 0 -> null"), p.trace.end());
}

// A flight played at its refresh times, with the events before each applied;
// the GIF's frames, composed, are the pages render draws for the same states.
TEST(VitalsSim, PlayRefreshesAtEachIntervalAfterTheEventsBeforeIt) {
  const fs::path folder = Folder("play");
  const std::string groups = R"("thruster_groups": {"0": [0, 1]}, )";
  std::ofstream(folder / "start.json") << R"({"vessel": {)" << groups
                                        << R"("thruster_levels": [0, 0, 0], "flight_status": 1}})";
  std::ofstream(folder / "end.json") << R"({"vessel": {)" << groups << R"("thruster_levels": [0.5, 1, 1]}})";
  // Every 0.5 s without InstrumentUpdateInterval; the last refresh falls on T1, 1.0 + 0.5;
  // events at a refresh's time wait for the next.
  std::ofstream(folder / "f.atc") << "0.2 ENG MAIN:0.5\n1.0 TAKEOFF Earth\n1.0 ENG 1:1 2:1 3:1\n1.0 GEAR UP\n";
  const auto [status, out, err] =
      Sim("play --state start.json --flight f.atc --speed 3 --gif p.gif --trace p.trace", folder);
  ASSERT_EQ(status, 0) << err;
  EXPECT_TRUE(out.starts_with("p.gif\np.trace\n4 refreshes from 0 s to 1.5 s")) << out;
  std::vector<std::string> seen;  // per refresh: its time, main thruster 1's level, the flight status
  std::istringstream trace(Slurp(folder / "p.trace"));
  for (std::string line; std::getline(trace, line);)
    if (line.starts_with("time ") || line.starts_with("GetThrusterLevel 0 1") || line.starts_with("GetFlightStatus"))
      seen.push_back(line);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "time 0", "GetThrusterLevel 0 1 -> 0", "GetFlightStatus -> 1",
                      "time 0.5", "GetThrusterLevel 0 1 -> 0.5", "GetFlightStatus -> 1",
                      "time 1", "GetThrusterLevel 0 1 -> 0.5", "GetFlightStatus -> 1",
                      "time 1.5", "GetThrusterLevel 0 1 -> 1", "GetFlightStatus -> 0"}));

  int error = 0;
  GifFileType* gif = DGifOpenFileName((folder / "p.gif").c_str(), &error);
  ASSERT_TRUE(gif && DGifSlurp(gif) == GIF_OK);
  std::vector<int> delays;
  std::vector<unsigned> composed(std::size_t(gif->SWidth) * std::size_t(gif->SHeight));
  std::vector<std::vector<unsigned>> frames;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif, i, &control);
    delays.push_back(control.DelayTime);
    const GifImageDesc& d = image.ImageDesc;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    for (int y = 0; y < d.Height; ++y)
      for (int x = 0; x < d.Width; ++x) {
        const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x]];
        composed[std::size_t(d.Top + y) * std::size_t(gif->SWidth) + std::size_t(d.Left + x)] =
            unsigned(c.Red) << 16 | unsigned(c.Green) << 8 | c.Blue;
      }
    frames.push_back(composed);
  }
  DGifCloseFile(gif, &error);
  EXPECT_EQ(delays, (std::vector<int>{17, 16, 17, 17}));  // 0.5 s / 3, carried to the centisecond
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames.front(), Render((folder / "start.json").string(), Folder("start")).rgb);
  EXPECT_EQ(frames.back(), Render((folder / "end.json").string(), Folder("end")).rgb);
}

}  // namespace

// A simulator folder: the scenario's configuration and recording found as the
// host finds them, and a scenario that cannot play refused before anything is written.
TEST(VitalsSimScenario, FindsTheFoldersOrbiterCfgAndRecording) {
  const fs::path sim = Folder("orbiter");
  fs::create_directories(sim / "Scenarios" / "Sub");
  fs::create_directories(sim / "Flights" / "Flight one");
  fs::create_directories(sim / "Flights" / "Other");
  std::ofstream(sim / "Orbiter.cfg") << "InstrumentUpdateInterval = 1\nGenericMFDSize = 8\n";
  const std::string ships = "BEGIN_FOCUS\n Ship GL-01\nEND_FOCUS\nBEGIN_SHIPS\nGL-01:DeltaGlider\n FLIGHTDATA\nEND\nEND_SHIPS\n";
  std::ofstream(sim / "Scenarios" / "Sub" / "Flight one.scn") << ships;
  std::ofstream(sim / "Scenarios" / "Sub" / "Elsewhere.scn") << "BEGIN_ENVIRONMENT\n Playback Other\nEND_ENVIRONMENT\n" + ships;
  std::ofstream(sim / "Flights" / "Flight one" / "GL-01.atc") << "0.1 ENG 0:1\n2 GEAR UP\n";
  std::ofstream(sim / "Flights" / "Other" / "GL-01.atc") << "0.1 ENG 0:1\n5 GEAR UP\n";
  const std::string scenarios = "'" + (sim / "Scenarios" / "Sub").string() + "/";

  const fs::path page = Folder("scenario_page");
  auto [status, out, err] = Sim("render --scenario " + scenarios + "Flight one.scn' --png p.png", page);
  EXPECT_EQ(std::tie(status, out), std::make_tuple(0, std::string("GL-01 (DeltaGlider) in the generic cockpit: no display opens Vitals\np.png\n"))) << err;
  int width = 0, height = 0;
  EXPECT_TRUE(stbi_info((page / "p.png").c_str(), &width, &height, nullptr) && width == 455 && height == 455) << width;

  for (const auto& [scenario, recording, refreshes] :
       {std::tuple("Flight one", "Flight one", "4 refreshes from 0 s to 3 s"), std::tuple("Elsewhere", "Other", "7 refreshes from 0 s to 6 s")}) {
    std::tie(status, out, err) = Sim("play --scenario " + scenarios + scenario + ".scn'", Folder("scenario_play"));
    EXPECT_EQ(status, 0) << err;
    EXPECT_NE(out.find("played from " + (sim / "Flights" / recording / "GL-01.atc").string() + "\n" + refreshes), std::string::npos) << out;
  }

  fs::copy_file(sim / "Scenarios" / "Sub" / "Flight one.scn", sim / "Loose.scn");
  std::ofstream(sim / "Scenarios" / "Still.scn") << "BEGIN_FOCUS\n Ship GL-01\nEND_FOCUS\nBEGIN_SHIPS\nGL-01:DeltaGlider\nEND\nEND_SHIPS\n";
  std::ofstream(sim / "Scenarios" / "Bad.scn") << "BEGIN_FOCUS\n Ship GL-01\nEND_FOCUS\nBEGIN_SHIPS\nGL-01:DeltaGlider\n RCSMODE x\nEND\nEND_SHIPS\n";
  fs::remove(sim / "Flights" / "Other" / "GL-01.atc");
  const std::string at = (sim / "Scenarios").string();
  const std::pair<std::string, std::string> cases[] = {
      {"play --scenario '" + at + "/Still.scn'", at + "/Still.scn:5: the focus vessel GL-01 has no FLIGHTDATA item"},
      {"play --scenario '" + at + "/Sub/Elsewhere.scn'",
       at + "/Sub/Elsewhere.scn:9: the recording of GL-01, " + (sim / "Flights" / "Other" / "GL-01.atc").string() + ", is not there"},
      {"play --scenario '" + (sim / "Loose.scn").string() + "'", (sim / "Loose.scn").string() + ": not in a Scenarios folder: give"},
      {"render --scenario '" + at + "/Bad.scn'", at + "/Bad.scn:6: RCSMODE: 'x' is not a whole number"},
      {"render --scenario '" + at + "/Still.scn' --state s.json", "--state excludes --scenario"},
      {"play --scenario '" + at + "/Still.scn' --flight f.atc", "--scenario excludes --flight"},
      {"render --orbiter '" + sim.string() + "'", "--orbiter requires --scenario"},
      {"render --scenario '" + at + "/Still.scn' --orbiter nowhere", "nowhere: simulator folder not found"},
  };
  for (const auto& [args, message] : cases) {
    const fs::path folder = Folder("scenario_refused");
    std::tie(status, out, err) = Sim(args + (args.starts_with("play") ? " --gif g.gif" : " --png p.png") + " --trace t.trace", folder);
    EXPECT_EQ(std::tie(status, out), std::make_tuple(2, std::string())) << args;
    EXPECT_TRUE(err.starts_with("vitals-sim: " + message)) << err;
    EXPECT_TRUE(Names(folder).empty()) << args;
  }
}

// The live page's flights start where their scenarios start.
TEST(VitalsSimScenario, TheFlightsStartSituationsAreTheirScenarios) {
  for (const auto& [name, scenario] : {std::pair("dg-stunts", "Tutorials/DG stunts"),
                                       std::pair("glider-in-orbit-1", "Playback/Glider in orbit 1"),
                                       std::pair("welcome-2024-gl-nt", "2024 Edition/# Welcome to Orbiter 2024"),
                                       std::pair("dg-to-the-moon", "Tutorials/DG to the moon")}) {
    const auto [status, out, err] =
        Sim("situation --scenario '" VITALS_EXAMPLES "/orbiter/Scenarios/" + std::string(scenario) + ".scn'", Folder("flights"));
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(out, Slurp(std::string(VITALS_EXAMPLES) + "/flights/" + name + ".json")) << name;
  }
}
