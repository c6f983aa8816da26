// vitals-sim situation: the situation a scenario starts in, as JSON to edit.
#pragma once

#include "sim/program/command.h"

namespace sim {

// Adds the command to app; when it runs, *status is its exit status.
void AddSituationCommand(CLI::App& app, int* status);

}  // namespace sim
