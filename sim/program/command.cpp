#include "sim/program/command.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "sim/core/host.h"
#include "sim/program/scenario_file.h"

namespace fs = std::filesystem;

namespace sim {

void Fail(int status, std::string message) { throw Failure{status, std::move(message)}; }

CLI::Validator NonEmpty() {
  return CLI::Validator([](const std::string& v) { return std::string(v.empty() ? "needs a non-empty value" : ""); }, "");
}

void AddSessionOptions(CLI::App& command, SessionOptions& options, std::vector<std::string>* states) {
  const std::string about = "the situation, a JSON file (default: a winged vessel idle on a runway)";
  CLI::Option* state = states ? command.add_option("--state", *states, about + "; once for each situation, run in turn")
                                    ->allow_extra_args(false)
                              : command.add_option("--state", options.state, about);
  state->check(NonEmpty());
  CLI::Option* scenario =
      command.add_option("--scenario", options.scenario, "start from the simulator's scenario (.scn) instead")
          ->check(NonEmpty())
          ->excludes(state);
  command.add_option("--orbiter", options.orbiter, "the simulator's folder (default: the one above the scenario's Scenarios folder)")
      ->check(NonEmpty())
      ->needs(scenario);
  command.add_option("--config-dir", options.configDir, "take Orbiter.cfg from this folder instead of the situation's")
      ->check(NonEmpty());
  command.add_option("--module", options.module, "the module to load (default: the one beside vitals-sim)")
      ->check(NonEmpty());
}

std::string ReadText(const std::string& file, std::size_t most) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) Fail(kBadInput, file + ": is a folder, not a file");
  std::ifstream in(file, std::ios::binary);
  if (!in) Fail(kBadInput, file + ": cannot read: " + std::strerror(errno));
  std::string text(most + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) Fail(kBadInput, file + ": cannot read: " + std::strerror(errno));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > most) Fail(kBadInput, file + ": larger than " + std::to_string(most) + " bytes");
  return text;
}

Situation LoadSituation(const SessionOptions& options, const Situation* scenario) {
  Situation situation = scenario ? *scenario : DefaultSituation();
  if (options.state) {
    try {
      situation = ParseSituation(ReadText(*options.state, kMaxSituationBytes));
    } catch (const SituationError& e) {
      Fail(kBadInput, *options.state + ": " + e.Message());
    }
  }
  if (options.configDir) {
    std::error_code ec;
    if (!fs::is_directory(*options.configDir, ec)) Fail(kBadInput, *options.configDir + ": configuration folder not found");
    const fs::path cfg = fs::path(*options.configDir) / "Orbiter.cfg";
    situation.config.reset();
    if (fs::is_regular_file(cfg, ec)) situation.config = ReadText(cfg.string(), kMaxSituationBytes);
  }
  return situation;
}

ModuleFile FindModule(const SessionOptions& options, const Platform& platform) {
  if (!options.module && platform.programFolder.empty()) Fail(kHostFault, "cannot find the program's own folder");
  const fs::path path = options.module ? fs::path(*options.module) : platform.programFolder / platform.moduleFile;
  std::error_code ec;
  if (!fs::exists(path, ec)) Fail(kBadInput, path.string() + ": module not found");
  // A name without a folder would send the loader searching its library path.
  return {fs::absolute(path).string(), path.string()};
}

void Fail(const ModuleFile& module, const SessionError& e) {
  Fail(e.BadModule() ? kBadInput : kHostFault, module.name + ": " + e.what());
}

void CheckTargets(Files outputs, const std::vector<std::optional<std::string>>& inputs) {
  std::vector<fs::path> seen;
  for (const std::optional<std::string>* file : outputs) {
    if (!*file) continue;
    const std::string& name = **file;
    std::error_code ec;
    const fs::file_status status = fs::status(name, ec);
    if (fs::is_directory(status)) Fail(kBadInput, name + ": is a folder, not a file");
    if (fs::exists(status) && !fs::is_regular_file(status)) Fail(kBadInput, name + ": is not a regular file");
    const fs::path given = fs::path(name).parent_path(), folder = given.empty() ? fs::path(".") : given;
    if (!fs::is_directory(folder, ec)) Fail(kBadInput, name + ": folder " + folder.string() + " not found");
#ifndef _WIN32
    if (access(folder.c_str(), W_OK) != 0) Fail(kBadInput, name + ": folder " + folder.string() + " cannot be written");
#endif
    for (const std::optional<std::string>& input : inputs)
      if (input && fs::equivalent(name, *input, ec)) Fail(kBadInput, name + ": is also an input, " + *input);
    const fs::path canonical = fs::weakly_canonical(fs::absolute(name, ec), ec);
    for (const fs::path& other : seen)
      if (other == canonical || fs::equivalent(other, canonical, ec)) Fail(kBadInput, name + ": named for two outputs");
    seen.push_back(canonical);
  }
}

std::vector<std::optional<std::string>> SessionInputs(const SessionOptions& options, const ModuleFile& module) {
  std::vector<std::optional<std::string>> inputs = {options.state, options.scenario, module.path};
  if (options.configDir) inputs.push_back((fs::path(*options.configDir) / "Orbiter.cfg").string());
  if (options.scenario && !SimulatorFolder(options).empty()) inputs.push_back((SimulatorFolder(options) / "Orbiter.cfg").string());
  return inputs;
}

int ReportFaults() {
  for (const std::string& fault : TheHost().faults) std::cerr << "vitals-sim: host fault: " << fault << '\n';
  return TheHost().faults.empty() ? 0 : kHostFault;
}

int RunCommands(CLI::App& app, int argc, char** argv, const int* status) {
  app.require_subcommand(1);
  if (argc > 1 && argv[1][0] != '-') {
    const auto commands = app.get_subcommands([&](const CLI::App* c) { return c->get_name() == argv[1]; });
    if (commands.empty()) {
      std::cerr << "vitals-sim: unknown command '" << argv[1] << "'\nvitals-sim: see vitals-sim --help\n";
      return kBadInput;
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "vitals-sim: " << e.what() << "\nvitals-sim: see vitals-sim --help, or vitals-sim COMMAND --help\n";
    return kBadInput;
  } catch (const Failure& f) {
    std::cerr << "vitals-sim: " << f.message << '\n';
    return f.status;
  } catch (const std::exception& e) {
    std::cerr << "vitals-sim: " << e.what() << '\n';
    return kHostFault;
  }
  return *status;
}

}  // namespace sim
