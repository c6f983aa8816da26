// A scenario in the simulator's folder: its file, the folder's Orbiter.cfg and
// the recordings its vessels play back, found as the host finds them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "sim/program/command.h"
#include "sim/program/scenario.h"

namespace sim {

// The scenario of --scenario, if given, with the simulator folder's
// Orbiter.cfg (when there is one) as its configuration. Notes go to standard
// error as warnings; a scenario refused fails with "FILE:LINE: why" (status 2).
std::optional<Scenario> LoadScenario(const SessionOptions& options);

// The simulator's folder: --orbiter, else the folder above the Scenarios
// folder that holds the scenario; empty when neither is there.
std::filesystem::path SimulatorFolder(const SessionOptions& options);

// The focus vessel's recording: Flights/PLAYBACK/NAME.atc in the simulator's
// folder. Fails (status 2) when the vessel has no FLIGHTDATA, the folder is
// unknown or the file is not there.
std::string RecordingOf(const Scenario& scenario, const SessionOptions& options);

// One line on the scenario's focus vessel: name, class, cockpit, and which
// display opens the page.
std::string Described(const Scenario& scenario);

}  // namespace sim
