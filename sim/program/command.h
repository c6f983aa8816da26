// What vitals-sim's commands share: exit statuses, failures, reading their
// inputs and checking where their outputs go.
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sim/core/module_session.h"
#include "sim/program/situation.h"

namespace sim {

// What differs between the platforms' programs.
struct Platform {
  const char* moduleFile;               // the module's file name beside the program
  std::filesystem::path programFolder;  // empty when it cannot be found
};

// Exit statuses.
constexpr int kHostFault = 1;  // the module misused the host, or the session failed
constexpr int kBadInput = 2;

// Ends a command with a status and a message for standard error.
struct Failure {
  int status;
  std::string message;
};
[[noreturn]] void Fail(int status, std::string message);

// Options every command that runs the module takes.
struct SessionOptions {
  std::optional<std::string> state, scenario, orbiter, configDir, module;
};
// --state once into options.state; or, given states, once per situation to
// run, into *states.
void AddSessionOptions(CLI::App& command, SessionOptions& options, std::vector<std::string>* states = nullptr);
// Refuses an empty option value.
CLI::Validator NonEmpty();

// The situation of --state, or `scenario`'s start when given (the default one
// without either), with the Orbiter.cfg of --config-dir in place of its own.
Situation LoadSituation(const SessionOptions& options, const Situation* scenario = nullptr);
// The module to load: --module, else the platform's beside the program.
struct ModuleFile {
  std::string path;  // absolute
  std::string name;  // as given
};
ModuleFile FindModule(const SessionOptions& options, const Platform& platform);
// A session that could not go on, as a failure naming the module.
[[noreturn]] void Fail(const ModuleFile& module, const SessionError& e);
// The whole of a text file of at most `most` bytes.
std::string ReadText(const std::string& file, std::size_t most);
// Where outputs may go: into a folder that exists and can be written, as a
// new file or in place of a regular one (through a symbolic link, its
// target), never onto an input or another output (same device and inode).
using Files = std::vector<const std::optional<std::string>*>;
void CheckTargets(Files outputs, const std::vector<std::optional<std::string>>& inputs);
// The files a session reads: the situation or scenario, Orbiter.cfg of --config-dir
// and of the simulator folder, the module.
std::vector<std::optional<std::string>> SessionInputs(const SessionOptions& options, const ModuleFile& module);
// Prints the host's faults; the exit status they make.
int ReportFaults();

// vitals-sim's command line with the commands added to app, each of which
// sets *status: parses it, which runs the command named, and returns the exit
// status. Messages go to standard error.
int RunCommands(CLI::App& app, int argc, char** argv, const int* status);

}  // namespace sim
