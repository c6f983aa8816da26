// Flight recordings of the host's flight recorder (.atc): one event a line,
// "TIME EVENT ARGS...", and the page's view of a flight as the host's player
// applies them to the vessel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim/program/situation.h"

namespace sim {

struct FlightEvent {
  // A thruster level set by ENG: of thruster `target`, or of every thruster
  // of group -1 - `target` when negative.
  struct Level {
    std::int64_t target;
    double level;
  };
  enum Kind : std::uint8_t { kEngine, kNavmodeOn, kNavmodeOff, kRcsMode, kAdcMode, kTakeoff, kLanded, kOther };

  double time;  // seconds since the recording's start
  Kind kind;
  std::int64_t value;         // NAVMODE, NAVMODECLR, RCSMODE, ADCMODE
  std::vector<Level> levels;  // ENG
  std::string text;           // the line after its time
  int line;                   // 1-based
};

// A line that is not a recorder's event: its line number and why.
class FlightError : public std::runtime_error {
 public:
  FlightError(int line, const std::string& why) : std::runtime_error(why), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

constexpr std::size_t kMaxFlightBytes = 64 << 20;

// The events in file order; blank lines are skipped. Throws FlightError for a
// time that is not a finite number and for malformed arguments of an event
// that acts on the page.
std::vector<FlightEvent> ParseFlight(std::string_view text);

// Applies one event as the host's player does. ENG sets thruster levels (an
// index the vessel does not have is ignored); NAVMODE and NAVMODECLR switch a
// navigation mode on and off; RCSMODE sets the attitude mode, ADCMODE the
// aerodynamic-control mode word; TAKEOFF clears and LANDED sets the landed
// bit. Every other event leaves the page's view unchanged.
void ApplyFlightEvent(const FlightEvent& event, Situation& situation);

// A start situation with a recording's events applied in file order up to a
// time; going back in time starts over.
class FlightReplay {
 public:
  FlightReplay(const std::vector<FlightEvent>& events, Situation start);
  // The situation with every event of time < t applied.
  const Situation& At(double t);
  // Events applied so far.
  std::size_t Applied() const { return next_; }

 private:
  const std::vector<FlightEvent>& events_;
  Situation start_, now_;
  std::size_t next_ = 0;
  double time_ = 0;
};

// When the page refreshes during a flight: at from + k × interval for k = 0
// to refreshes - 1, none after `to`.
struct RefreshSchedule {
  double from, to, interval;
  long long refreshes;
  double At(long long k) const { return from + static_cast<double>(k) * interval; }
  // The refresh due at t: the largest k with At(k) <= t, within 0 to refreshes - 1.
  long long Due(double t) const;
};

constexpr long long kMaxRefreshes = 1000000;

// Refreshes every interval (positive and finite) from `from` while not after
// `to`, by default the last event's time plus the interval, or `from` for a
// recording without events. Throws std::domain_error for `from` after `to` and
// std::length_error for more than kMaxRefreshes refreshes.
RefreshSchedule PlanRefreshes(const std::vector<FlightEvent>& events, double interval, double from = 0,
                              std::optional<double> to = std::nullopt);

}  // namespace sim
