// vitals-sim play: a flight recording played through the page, refreshed at
// the host's refresh interval, as an animated GIF and the session's trace.
#pragma once

#include "sim/program/command.h"

namespace sim {

// Adds the command to app; when it runs, *status is its exit status.
void AddPlayCommand(CLI::App& app, const Platform& platform, int* status);

}  // namespace sim
