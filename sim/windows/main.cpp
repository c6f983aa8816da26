// vitals-sim.exe: the stand-in host as a Windows program. Runs the module
// (Vitals.dll beside it) for a described situation on a real GDI device
// context and writes the page as a PNG and the host's side of the session as
// a trace. Same command line and situation files as the Linux vitals-sim.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "sim/host.h"
#include "sim/module.h"
#include "sim/situation.h"
#include "sim/windows/gdi_objects.h"
#include "sim/windows/surface.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: vitals-sim render [--state FILE] [--png FILE] [--trace FILE] [--config-dir DIR] [--module FILE]\n";

constexpr int kHostFault = 1;
constexpr int kBadInput = 2;

struct Failure {
  int status;
  std::string message;
  bool usage = false;
};

[[noreturn]] void Fail(int status, std::string message) { throw Failure{status, std::move(message)}; }
[[noreturn]] void Misuse(std::string message) { throw Failure{kBadInput, std::move(message), true}; }

struct Options {
  std::optional<std::string> state, png, trace, configDir, module;
};

Options ParseArguments(int argc, char** argv) {
  if (argc < 2) Misuse("no command given");
  if (std::strcmp(argv[1], "render") != 0) Misuse(std::string("unknown command '") + argv[1] + "'");
  Options options;
  const std::map<std::string, std::optional<std::string>*> named = {
      {"--state", &options.state},         {"--png", &options.png},       {"--trace", &options.trace},
      {"--config-dir", &options.configDir}, {"--module", &options.module},
  };
  for (int i = 2; i < argc; ++i) {
    std::string name = argv[i];
    std::optional<std::string> value;
    if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.erase(eq);
    }
    const auto option = named.find(name);
    if (option == named.end()) Misuse("unknown option '" + name + "'");
    if (!value) {
      if (i + 1 >= argc || std::strncmp(argv[i + 1], "--", 2) == 0) Misuse("option " + name + " needs a value");
      value = argv[++i];
    }
    if (value->empty()) Misuse("option " + name + " needs a non-empty value");
    if (*option->second) Misuse("option " + name + " given twice");
    *option->second = *value;
  }
  std::error_code ec;
  if (options.png && options.trace && fs::weakly_canonical(*options.png, ec) == fs::weakly_canonical(*options.trace, ec))
    Misuse("--png and --trace name the same file");
  return options;
}

std::string ReadText(const std::string& file, std::size_t most) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) Fail(kBadInput, file + ": is a folder, not a file");
  std::ifstream in(file, std::ios::binary);
  if (!in) Fail(kBadInput, file + ": cannot read");
  std::string text(most + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) Fail(kBadInput, file + ": cannot read");
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

sim::Situation LoadSituation(const std::optional<std::string>& file) {
  if (!file) return sim::DefaultSituation();
  const std::string text = ReadText(*file, sim::kMaxSituationBytes);
  try {
    return sim::ParseSituation(text);
  } catch (const sim::SituationError& e) {
    Fail(kBadInput, *file + ": " + (e.Path().empty() ? "" : e.Path() + ": ") + e.what());
  }
}

void CheckTarget(const std::string& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) Fail(kBadInput, file + ": is a folder, not a file");
  const fs::path folder = fs::path(file).parent_path();
  if (!folder.empty() && !fs::is_directory(folder, ec)) Fail(kBadInput, file + ": folder " + folder.string() + " not found");
}

fs::path ProgramFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) Fail(kHostFault, "cannot find the program's own folder");
  return fs::path(path).parent_path();
}

// A private folder holding Orbiter.cfg, removed with its contents on destruction.
class ConfigFolder {
 public:
  explicit ConfigFolder(const std::string& config) {
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (ec) Fail(kHostFault, "cannot find the temporary folder: " + ec.message());
    for (unsigned attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const fs::path candidate =
          temp / ("vitals-sim." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(GetTickCount() + attempt));
      if (CreateDirectoryA(candidate.string().c_str(), nullptr)) path_ = candidate;
    }
    if (path_.empty()) Fail(kHostFault, "cannot create a configuration folder");
    std::ofstream out(path_ / "Orbiter.cfg", std::ios::binary);
    out << config;
    out.close();
    if (!out) Fail(kHostFault, "cannot write " + (path_ / "Orbiter.cfg").string());
  }
  ConfigFolder(const ConfigFolder&) = delete;
  ConfigFolder& operator=(const ConfigFolder&) = delete;
  ~ConfigFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string Path() const { return path_.string(); }

 private:
  fs::path path_;
};

// A file written under a temporary name beside its target; renamed into place
// by Commit, removed if never committed.
class PendingFile {
 public:
  PendingFile(const std::string& target, const std::string& text)
      : target_(target), temp_(target + ".part" + std::to_string(GetCurrentProcessId())) {
    std::FILE* file = std::fopen(temp_.c_str(), "wb");
    if (!file) {
      temp_.clear();
      Fail(kHostFault, "cannot create a temporary file beside " + target);
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0) written = false;
    if (!written) Fail(kHostFault, "cannot write " + temp_);
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() {
    if (!temp_.empty()) std::remove(temp_.c_str());
  }
  void Commit() {
    if (!MoveFileExA(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING))
      Fail(kHostFault, "cannot rename " + temp_ + " to " + target_ + ": error " + std::to_string(GetLastError()));
    temp_.clear();
  }

 private:
  std::string target_;
  std::string temp_;
};

// The texts that reach furthest right or down, as the Linux host fits them;
// measured here with the GDI font, so a fitted size may differ from Linux's.
struct Reach {
  double x, y;
  const char* text;
  bool shifted;
};
constexpr Reach kReach[] = {
    {129, 0, "1. Yaw right/Pitch up/dn/Move up/dn/bck/right", true},
    {225, 149, "14. Main thrust right", true},
    {298, 183, "+x", true},
    {280, 200, "-y(dn)", true},
    {281, 254, "16", false},
    {110, 289, "23. AutoPilot/AF ctrl/", false},
    {128, 300, "RCS mode/Flight Status", false},
    {260, 267, "AP: Hold Alt", false},
    {260, 278, "AF: pitch", false},
    {260, 289, "RCS: N/A", false},
    {260, 300, "In flight", false},
};
constexpr double kPageWidth = 320;
constexpr double kPageHeight = 310;

void FitDisplay(sim::Situation& s) {
  const double scale = sim::PageScaleOf(s);
  const double fit = std::isfinite(scale) ? std::fabs(scale) : 1.0;
  const int legendOffset = s.cockpitMode == 1 ? -3 : s.cockpitMode == 3 ? 5 : 0;
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, sim::DefaultFont(1));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  double width = std::ceil(kPageWidth * fit), height = std::ceil(kPageHeight * fit);
  for (const Reach& r : kReach) {
    SIZE extent{};
    GetTextExtentPoint32A(dc, r.text, static_cast<int>(std::strlen(r.text)), &extent);
    width = std::max(width, std::trunc(r.x * fit) + (r.shifted ? legendOffset : 0) + extent.cx + 1);
    height = std::max(height, std::trunc(r.y * fit) + metrics.tmHeight + 1);
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  const auto side = [](double v) { return static_cast<int>(std::clamp(v, 1.0, double(sim::kMaxDisplaySide))); };
  if (s.width == 0) s.width = side(width);
  if (s.height == 0) s.height = side(height);
}

std::string Describe(const std::string& path, const std::string& error) {
  return error.rfind(path, 0) == 0 ? error : path + ": " + error;
}

int Render(const Options& options) {
  sim::Situation situation = LoadSituation(options.state);

  std::error_code ec;
  if (options.configDir) {
    if (!fs::is_directory(*options.configDir, ec)) Fail(kBadInput, *options.configDir + ": configuration folder not found");
    const fs::path cfg = fs::path(*options.configDir) / "Orbiter.cfg";
    situation.config = fs::is_regular_file(cfg, ec) ? ReadText(cfg.string(), sim::kMaxSituationBytes) : std::string();
  }
  const std::string modulePath = options.module ? *options.module : (ProgramFolder() / "Vitals.dll").string();
  if (!fs::exists(modulePath, ec)) Fail(kBadInput, modulePath + ": module not found");

  std::optional<std::string> png = options.png, trace = options.trace;
  if (!png && !trace) png = "vitals.png";
  if (png) CheckTarget(*png);
  if (trace) CheckTarget(*trace);

  FitDisplay(situation);
  sim::GdiSurface surface(situation.width, situation.height);

  std::optional<ConfigFolder> privateConfig;
  if (!options.configDir) privateConfig.emplace(situation.config);

  sim::Host& host = sim::TheHost();
  host.Reset();
  // No render window: the page's paint bracket fails harmlessly and leaves the
  // device context it draws on untouched.
  host.renderWindow = nullptr;
  host.cockpitMode = situation.cockpitMode;
  host.attitudeMode = situation.attitudeMode;
  host.configDir = options.configDir ? *options.configDir : privateConfig->Path();
  sim::Vessel vessel;
  vessel.State() = situation.vessel;
  host.focus = vessel.Interface();
  host.trace.Enable(true);

  {
    std::string error;
    std::unique_ptr<sim::Module> module = sim::Module::Load(modulePath, &error);
    if (!module) Fail(kBadInput, Describe(modulePath, error));
    module->Init();
    module->OpenRenderViewport(host.renderWindow, static_cast<DWORD>(situation.width),
                               static_cast<DWORD>(situation.height));
    const sim::Mode* mode = host.FindMode("Vitals");
    if (!mode) Fail(kHostFault, modulePath + ": registers no display mode \"Vitals\"");
    std::unique_ptr<sim::Display> display =
        sim::Display::Open(mode->id, static_cast<DWORD>(situation.width), static_cast<DWORD>(situation.height),
                           vessel.Interface(), &error);
    if (!display) Fail(kHostFault, Describe(modulePath, error));
    for (const DWORD key : situation.keys) display->ConsumeKeyBuffered(key);
    display->Update(surface.Dc());
    display.reset();
    module->CloseRenderViewport();
    module->Exit();
  }
  privateConfig.reset();

  std::optional<PendingFile> traceFile;
  if (trace) traceFile.emplace(*trace, host.trace.Text());
  if (png) {
    std::string error;
    if (!surface.WritePng(*png, &error)) Fail(kHostFault, Describe(*png, error));
  }
  if (traceFile) {
    try {
      traceFile->Commit();
    } catch (const Failure&) {
      if (png) std::remove(png->c_str());
      throw;
    }
  }
  if (png) std::cout << *png << '\n';
  if (trace) std::cout << *trace << '\n';

  for (const std::string& fault : host.faults) std::cerr << "vitals-sim: host fault: " << fault << '\n';
  return host.faults.empty() ? 0 : kHostFault;
}

}  // namespace

int main(int argc, char** argv) {
  // A module that cannot be loaded is reported here, never in a dialog box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  try {
    return Render(ParseArguments(argc, argv));
  } catch (const Failure& f) {
    std::cerr << "vitals-sim: " << f.message << '\n';
    if (f.usage) std::cerr << kUsage;
    return f.status;
  } catch (const std::exception& e) {
    std::cerr << "vitals-sim: " << e.what() << '\n';
    return kHostFault;
  }
}
