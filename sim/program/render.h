// vitals-sim render: the page for a situation, as a picture and the
// session's call trace; for several situations, each in turn as its own run.
#pragma once

#include "sim/program/command.h"

namespace sim {

// Adds the command to app; when it runs, *status is its exit status.
void AddRenderCommand(CLI::App& app, const Platform& platform, int* status);

}  // namespace sim
