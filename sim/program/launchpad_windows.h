// Orbiter.exe modules: the plug-ins of a simulator folder as its Launchpad
// lists them, read from each DLL's string table.
#pragma once

#include "sim/program/command.h"

namespace sim {

// Adds the command to app; when it runs, *status is its exit status. The
// folder defaults to the program's own.
void AddModulesCommand(CLI::App& app, const Platform& platform, int* status);

}  // namespace sim
