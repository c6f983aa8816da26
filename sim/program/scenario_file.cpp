#include "sim/program/scenario_file.h"

#include <algorithm>
#include <iostream>
#include <map>

namespace fs = std::filesystem;

namespace sim {
namespace {

bool IsScenariosFolder(const fs::path& folder) {
  std::string name = folder.filename().string();
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name == "scenarios";
}

std::string At(const std::string& file, int line) { return line > 0 ? file + ":" + std::to_string(line) : file; }

}  // namespace

fs::path SimulatorFolder(const SessionOptions& options) {
  std::error_code ec;
  if (options.orbiter) {
    if (!fs::is_directory(*options.orbiter, ec)) Fail(kBadInput, *options.orbiter + ": simulator folder not found");
    return *options.orbiter;
  }
  for (fs::path folder = fs::absolute(*options.scenario, ec).parent_path(); folder.has_relative_path();
       folder = folder.parent_path())
    if (IsScenariosFolder(folder)) return folder.parent_path();
  return {};
}

std::optional<Scenario> LoadScenario(const SessionOptions& options) {
  if (!options.scenario) return std::nullopt;
  const std::string& file = *options.scenario;
  const fs::path folder = SimulatorFolder(options);
  Scenario scenario;
  try {
    scenario = ParseScenario(ReadText(file, kMaxScenarioBytes), fs::path(file).stem().string(), kModeName);
  } catch (const ScenarioError& e) {
    Fail(kBadInput, At(file, e.Line()) + ": " + e.what());
  }
  for (const ScenarioNote& note : scenario.notes)
    std::cerr << "vitals-sim: " << At(file, note.line) << ": warning: " << note.text << '\n';
  std::error_code ec;
  if (!folder.empty() && fs::is_regular_file(folder / "Orbiter.cfg", ec))
    scenario.situation.config = ReadText((folder / "Orbiter.cfg").string(), kMaxSituationBytes);
  return scenario;
}

std::string RecordingOf(const Scenario& scenario, const SessionOptions& options) {
  const std::string& file = *options.scenario;
  if (!scenario.flightData)
    Fail(kBadInput, At(file, scenario.focusLine) + ": the focus vessel " + scenario.focus +
                        " has no FLIGHTDATA item: it plays back no recording");
  const fs::path folder = SimulatorFolder(options);
  if (folder.empty()) Fail(kBadInput, file + ": not in a Scenarios folder: give the simulator's folder with --orbiter");
  const fs::path recording = folder / "Flights" / scenario.playback / (scenario.focus + ".atc");
  std::error_code ec;
  if (!fs::is_regular_file(recording, ec))
    Fail(kBadInput, At(file, *scenario.flightData) + ": the recording of " + scenario.focus + ", " +
                        recording.string() + ", is not there");
  return recording.string();
}

std::string Described(const Scenario& scenario) {
  static const std::map<int, const char*> cockpits = {{1, "generic cockpit"}, {2, "2-D panel"}, {3, "virtual cockpit"}};
  return scenario.focus + " (" + scenario.focusClass + ") in the " + cockpits.at(scenario.situation.cockpitMode) +
         ": " + (scenario.display ? "display " + *scenario.display + " opens " : "no display opens ") +
         std::string(kModeName);
}

}  // namespace sim
