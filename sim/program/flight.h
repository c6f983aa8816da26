// Flight recordings of the host's flight recorder (.atc): one event a line,
// "TIME EVENT ARGS...", read as the host's player reads them, and the page's
// view of a flight as the player applies them to the vessel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/program/situation.h"

namespace sim {

// One change an event makes to the page's view of the vessel.
struct FlightAction {
  enum Kind : std::uint8_t { kEngine, kNavmodeOn, kNavmodeOff, kRcsMode, kAdcMode, kTakeoff, kLanded };
  Kind kind;
  // ENG: the thruster's index, or -1 - its group for a group's thrusters;
  // NAVMODE, NAVMODECLR, RCSMODE, ADCMODE: the number read.
  std::int32_t target;
  double level;  // ENG: within 0 to 1
};

// Lines applied together: the events up to the next line whose time is later
// than every time before it.
struct FlightStep {
  double time;             // the greatest time of its lines and of every line before them
  std::uint32_t events;    // lines with a time up to the end of this step
  std::uint32_t actions;   // actions up to the end of this step
};

struct FlightWarning {
  int line;          // 1-based
  std::string text;  // printable, one line
};

// A recording in one pass: the actions on the page in file order, grouped in
// steps of ascending time, and counts of every event by its name. Steps and
// actions grow in blocks, never copied whole, so that memory stays near
// 32 bytes a line at worst.
struct Flight {
  static constexpr std::size_t kMaxWarnings = 20;
  static constexpr std::size_t kMaxNames = 32;  // event names counted apart; the rest together
  std::deque<FlightStep> steps;
  std::deque<FlightAction> actions;
  double lastTime = 0;  // the greatest time read
  std::uint32_t events = 0;
  std::vector<std::pair<std::string, std::uint32_t>> names;  // printable, cut; "" for the rest
  std::vector<FlightWarning> warnings;                       // the first kMaxWarnings
  std::size_t warningCount = 0;
};

// A recording with nothing to play: its line number and why.
class FlightError : public std::runtime_error {
 public:
  FlightError(int line, const std::string& why) : std::runtime_error(why), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

constexpr std::size_t kMaxFlightBytes = 64 << 20;

// Reads a recording as the host's player does: blank lines skipped, the time
// as `stream >> time` reads it, the rest split at spaces and tabs; the first
// line whose time does not read ends the recording. ENG tokens are
// "INDEX:LEVEL" as sscanf "%d%c%lf" reads them, else a group name's start
// (any case) with the level after the name and one character; tokens that
// are neither and NAVMODE, NAVMODECLR, RCSMODE or ADCMODE numbers that do not
// read are skipped with a warning, indexes past int's range (negative ones,
// as unsigned) silently, as indexes the vessel lacks are when applied. Throws
// FlightError for a file that is not text (a NUL byte on its first line), a
// first line without a time, and more than kMaxFlightBytes.
Flight ReadFlight(std::istream& in);

// Applies one action as the host's player does. ENG sets thruster levels (an
// index the vessel lacks is skipped);
// NAVMODE and NAVMODECLR switch a navigation mode on and off (at most
// kMaxListEntries on at once); RCSMODE sets the attitude mode, ADCMODE the
// aerodynamic-control mode word; TAKEOFF clears and LANDED sets the landed bit.
void ApplyFlightAction(const FlightAction& action, Situation& situation);

// A start situation with a recording's steps applied in file order up to a
// time; going back in time starts over. Keeps a reference to the flight.
class FlightReplay {
 public:
  FlightReplay(const Flight& flight, Situation start);
  // The situation with every step of time < t applied.
  const Situation& At(double t);
  // Events applied so far.
  std::size_t Applied() const { return next_ ? flight_.steps[next_ - 1].events : 0; }

 private:
  const Flight& flight_;
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

// Refreshes every interval (positive and finite) from `from` (finite) while
// not after `to`, by default the greatest time of the flight plus the
// interval, or `from` when that is later. Planned in whole counts before any
// refresh: throws std::domain_error for `from` after `to`, std::range_error
// when refresh times an interval apart cannot be told apart in that span, and
// std::length_error for more than kMaxRefreshes refreshes.
RefreshSchedule PlanRefreshes(const Flight& flight, double interval, double from = 0,
                              std::optional<double> to = std::nullopt);

}  // namespace sim
