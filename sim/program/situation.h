// A situation to show the page in: host settings, the display and the focus
// vessel, read from JSON (docs/situation.md).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <optional>

#include "sim/core/cockpit.h"
#include "sim/core/vessel.h"

namespace sim {

// What the pilot does to a display: a buffered key (scan code), or a click
// on one of its buttons (0 to 11).
struct Input {
  enum Kind : std::uint8_t { kKey, kButton } kind;
  std::uint32_t code;
  bool operator==(const Input&) const = default;
};

struct Situation {
  int cockpitMode = 2;
  // The whole text of Orbiter.cfg; none when there is no such file.
  std::optional<std::string> config = "GenericMFDSize = 6\nPanelScale = 1\n";
  // Display size sent with message 1; 0 means the size the cockpit gives.
  int width = 0;
  int height = 0;
  int windowHeight = 800;  // the simulator window's height, for the generic cockpit
  int vcMfdSize = 256;     // the virtual cockpit's display texture side
  std::vector<Input> inputs;  // sent in order to the display just opened
  int attitudeMode = 0;
  VesselState vessel;
};

// Limits of a situation.
constexpr int kMaxWindowHeight = 16384;
constexpr int kMaxWheel = 64;
constexpr std::size_t kMaxThrustersPerGroup = 1024;
constexpr long long kMaxThrusters = 16384;
constexpr std::size_t kMaxListEntries = 1024;  // inputs, navmodes
constexpr int kButtons = 12;  // the display's buttons beside its screen
constexpr std::size_t kMaxSituationBytes = 1 << 20;

// A rejected situation: the JSON pointer of the offending value (empty for the
// text as a whole) and the reason.
class SituationError : public std::runtime_error {
 public:
  SituationError(std::string path, const std::string& why) : std::runtime_error(why), path_(std::move(path)) {}
  const std::string& Path() const { return path_; }
  // "path: why", or the reason alone for the text as a whole.
  std::string Message() const { return path_.empty() ? what() : path_ + ": " + what(); }

 private:
  std::string path_;
};

// A key as one segment of a JSON pointer in a message: '~' and '/' escaped
// as JSON Pointer wants, unprintable bytes shown as \xHH.
std::string PointerSegment(std::string_view key);

// Throws SituationError for malformed JSON, unknown fields, wrong types and
// values out of range.
Situation ParseSituation(std::string_view json);

// The situation as JSON text that ParseSituation reads back to the same
// situation, every field written (the display size only where given).
std::string SituationJson(const Situation& situation);

// A winged vessel landed on a runway with its engines idle and brakes set.
Situation DefaultSituation();

// The display's width and height: the situation's own where it gives them,
// else what its cockpit gives, within 1..kMaxDisplaySide.
struct DisplaySize {
  int width, height;
};
DisplaySize DisplaySizeOf(const Situation& situation);

}  // namespace sim
