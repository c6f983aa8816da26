#include "sim/program/launchpad_windows.h"

#include <windows.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>

#include "sim/core/text.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

// The Launchpad's string resources, and its category for a module without one.
constexpr UINT kDescription = 1000;
constexpr UINT kCategory = 1001;
constexpr const char* kNoCategory = "Miscellaneous";

struct Listing {
  std::string name, description;
};

std::string String(HMODULE module, UINT id) {
  char text[4096];
  const int n = LoadStringA(module, id, text, sizeof text);
  return std::string(text, static_cast<std::size_t>(n > 0 ? n : 0));
}

// Category → modules, each opened as the Launchpad opens it: as data, no code run.
std::map<std::string, std::vector<Listing>> Plugins(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (entry.is_regular_file() && ext == ".dll") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::map<std::string, std::vector<Listing>> listed;
  for (const fs::path& file : files) {
    const HMODULE module = LoadLibraryExA(file.string().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
      const DWORD error = GetLastError();
      std::cerr << "Orbiter.exe: " << file.string() << ": cannot be opened (error " << error << "): not listed\n";
      continue;
    }
    std::string category = String(module, kCategory);
    listed[category.empty() ? kNoCategory : category].push_back({file.stem().string(), String(module, kDescription)});
    FreeLibrary(module);
  }
  return listed;
}

// Each line of text indented; CR LF and LF end a line.
void PrintIndented(const std::string& text, const char* indent) {
  for (std::string_view line : Lines(text)) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::cout << (line.empty() ? "" : indent) << line << '\n';
  }
}

int ListModules(const std::optional<std::string>& dir, const Platform& platform) {
  if (!dir && platform.programFolder.empty()) Fail(kHostFault, "cannot find the program's own folder");
  const fs::path folder = fs::path(dir ? fs::path(*dir) : platform.programFolder) / "Modules" / "Plugin";
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) Fail(kBadInput, folder.string() + ": folder not found");
  for (const auto& [category, modules] : Plugins(folder)) {
    std::cout << category << '\n';
    for (const Listing& module : modules) {
      std::cout << "  " << module.name << '\n';
      PrintIndented(module.description, "    ");
    }
  }
  return 0;
}

}  // namespace

void AddModulesCommand(CLI::App& app, const Platform& platform, int* status) {
  auto dir = std::make_shared<std::optional<std::string>>();
  CLI::App* command = app.add_subcommand(
      "modules",
      "Lists the plug-ins of DIR/Modules/Plugin as the Launchpad does: by category, each with its description");
  command->add_option("DIR", *dir, "the simulator's folder (default: this program's)")->check(NonEmpty());
  command->callback([dir, &platform, status] { *status = ListModules(*dir, platform); });
}

}  // namespace sim
