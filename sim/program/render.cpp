#include "sim/program/render.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>

#include "sim/core/host.h"
#include "sim/program/live_session.h"
#include "sim/program/output.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

constexpr const char* kUsage =
    "usage: vitals-sim render [--state FILE] [--png FILE] [--trace FILE] [--config-dir DIR] [--module FILE]\n"
    "                         [--refreshes N]\n";

// Exit statuses.
constexpr int kHostFault = 1;  // the module misused the host, or the session failed
constexpr int kBadInput = 2;

struct Failure {
  int status;
  std::string message;
  bool usage = false;  // a mistake on the command line
};

[[noreturn]] void Fail(int status, std::string message) { throw Failure{status, std::move(message)}; }
[[noreturn]] void Misuse(std::string message) { throw Failure{kBadInput, std::move(message), true}; }

struct Options {
  std::optional<std::string> state, png, trace, configDir, module, refreshes;
};

// Refreshes timed for a speed measurement, at most.
constexpr int kMaxRefreshes = 1000000;

Options ParseArguments(int argc, char** argv) {
  if (argc < 2) Misuse("no command given");
  if (std::strcmp(argv[1], "render") != 0) Misuse(std::string("unknown command '") + argv[1] + "'");
  Options options;
  const std::map<std::string, std::optional<std::string>*> named = {
      {"--state", &options.state},
      {"--png", &options.png},
      {"--trace", &options.trace},
      {"--config-dir", &options.configDir},
      {"--module", &options.module},
      {"--refreshes", &options.refreshes},
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
  if (options.refreshes && options.trace) Misuse("--refreshes times the page untraced: it goes without --trace");
  return options;
}

// --refreshes: a whole number from 1 to kMaxRefreshes.
int Refreshes(const std::optional<std::string>& text) {
  if (!text) return 1;
  char* end = nullptr;
  errno = 0;
  const long n = std::strtol(text->c_str(), &end, 10);
  if (*end != '\0' || errno != 0 || n < 1 || n > kMaxRefreshes)
    Misuse("--refreshes takes a whole number from 1 to " + std::to_string(kMaxRefreshes) + ", not '" + *text + "'");
  return static_cast<int>(n);
}

// The whole of a small text file.
std::string ReadText(const std::string& file, std::size_t most) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) Fail(kBadInput, file + ": is a folder, not a file");
  std::ifstream in(file, std::ios::binary);
  if (!in) Fail(kBadInput, file + ": cannot read: " + std::strerror(errno));
  std::string text(most + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) Fail(kBadInput, file + ": cannot read: " + std::strerror(errno));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

Situation LoadSituation(const std::optional<std::string>& file) {
  if (!file) return DefaultSituation();
  const std::string text = ReadText(*file, kMaxSituationBytes);
  try {
    return ParseSituation(text);
  } catch (const SituationError& e) {
    Fail(kBadInput, *file + ": " + (e.Path().empty() ? "" : e.Path() + ": ") + e.what());
  }
}

// An output file's folder must exist and the name must not be a folder itself.
void CheckTarget(const std::string& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) Fail(kBadInput, file + ": is a folder, not a file");
  const fs::path folder = fs::path(file).parent_path();
  if (!folder.empty() && !fs::is_directory(folder, ec)) Fail(kBadInput, file + ": folder " + folder.string() + " not found");
}

std::string Describe(const std::string& path, const std::string& error) {
  return error.rfind(path, 0) == 0 ? error : path + ": " + error;
}

int Render(const Options& options, const Platform& platform) {
  const int refreshes = Refreshes(options.refreshes);
  Situation situation = LoadSituation(options.state);

  std::error_code ec;
  if (options.configDir) {
    if (!fs::is_directory(*options.configDir, ec)) Fail(kBadInput, *options.configDir + ": configuration folder not found");
    const fs::path cfg = fs::path(*options.configDir) / "Orbiter.cfg";
    situation.config.reset();
    if (fs::is_regular_file(cfg, ec)) situation.config = ReadText(cfg.string(), kMaxSituationBytes);
  }
  if (!options.module && platform.programFolder.empty()) Fail(kHostFault, "cannot find the program's own folder");
  const std::string modulePath = options.module ? *options.module : (platform.programFolder / platform.moduleFile).string();
  if (!fs::exists(modulePath, ec)) Fail(kBadInput, modulePath + ": module not found");

  std::optional<std::string> png = options.png, trace = options.trace;
  if (!png && !trace && !options.refreshes) png = "vitals.png";
  if (png) CheckTarget(*png);
  if (trace) CheckTarget(*trace);

  Host& host = TheHost();
  host.Reset();
  host.trace.Enable(trace.has_value());
  std::optional<Image> picture;
  double seconds = 0;
  try {
    // A name without a folder would send the loader searching its library path.
    LiveSession session(fs::absolute(modulePath).string(), situation);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < refreshes; ++i) session.Refresh();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (png) picture = session.Page().Picture();
  } catch (const SessionError& e) {
    Fail(e.BadModule() ? kBadInput : kHostFault, modulePath + ": " + e.what());
  }
  const DisplaySize display = DisplaySizeOf(situation);

  std::string error;
  if (png && !WritePng(*png, *picture, &error)) Fail(kHostFault, Describe(*png, error));
  if (trace && !WriteFileWhole(*trace, host.trace.Text(), &error)) {
    if (png) std::remove(png->c_str());
    Fail(kHostFault, Describe(*trace, error));
  }
  if (png) std::cout << *png << '\n';
  if (trace) std::cout << *trace << '\n';
  if (options.refreshes)
    std::cout << refreshes << " refreshes of a " << display.width << "x" << display.height << " page in " << seconds
              << " s: " << refreshes / seconds << " pages per second\n";

  for (const std::string& fault : host.faults) std::cerr << "vitals-sim: host fault: " << fault << '\n';
  return host.faults.empty() ? 0 : kHostFault;
}

}  // namespace

int RenderMain(int argc, char** argv, const Platform& platform) {
  try {
    return Render(ParseArguments(argc, argv), platform);
  } catch (const Failure& f) {
    std::cerr << "vitals-sim: " << f.message << '\n';
    if (f.usage) std::cerr << kUsage;
    return f.status;
  } catch (const std::exception& e) {
    std::cerr << "vitals-sim: " << e.what() << '\n';
    return kHostFault;
  }
}

}  // namespace sim
