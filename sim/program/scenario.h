// Scenarios of the host (.scn): the focus vessel's start as a situation, read
// as the host's scenario reader reads it. A scenario is text of blocks
// BEGIN_X ... END_X, one item a line; the ships' block holds one block per
// vessel, from "NAME:CLASS" (or "NAME") to "END".
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim/program/situation.h"

namespace sim {

// Something the host reads without complaint but the page's view leaves out
// or changes, on a 1-based line.
struct ScenarioNote {
  int line;
  std::string text;
  bool operator==(const ScenarioNote&) const = default;
};

struct Scenario {
  // The focus vessel at the start; its config is none (the simulator folder's
  // Orbiter.cfg is the caller's to give).
  Situation situation;
  std::string focus;       // the focus vessel's name
  std::string focusClass;  // as the scenario writes it
  // The display (Left, Right, 3 ... 12) that opens the mode asked for, if any.
  std::optional<std::string> display;
  // The line of the focus vessel's FLIGHTDATA, when it plays back its flight.
  std::optional<int> flightData;
  int focusLine = 0;  // the focus vessel's first line
  // The folder under Flights/ its recordings are in.
  std::string playback;
  std::vector<ScenarioNote> notes;
};

// A scenario the page cannot start from: the 1-based line (0 for the file as
// a whole) and why.
class ScenarioError : public std::runtime_error {
 public:
  ScenarioError(int line, const std::string& why) : std::runtime_error(why), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

constexpr std::size_t kMaxScenarioBytes = 4 << 20;

// The user mode whose display a scenario may name: the module's.
constexpr std::string_view kModeName = "Vitals";

// Reads a scenario whose file name without folder and ".scn" is `name`,
// looking for the display that opens the user mode `mode`. Throws
// ScenarioError for text over kMaxScenarioBytes, a missing focus block or
// focus ship, a ship left open, a focus class the page does not know, and an
// item of the focus vessel whose numbers do not read. Pure: no files.
Scenario ParseScenario(std::string_view text, std::string_view name, std::string_view mode);

// The vessel classes the page knows, for messages: "DeltaGlider, DG-S".
std::string KnownClasses();

}  // namespace sim
