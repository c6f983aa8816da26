// vitals-sim render: the page for one situation, as a picture and the
// session's call trace.
#pragma once

#include "sim/program/command.h"

namespace sim {

// Adds the command to app; when it runs, *status is its exit status.
void AddRenderCommand(CLI::App& app, const Platform& platform, int* status);

}  // namespace sim
