// A flight recording on the live page, played as vitals-sim play plays it:
// its events, its refresh times at the start situation's interval, and the
// situation at each refresh.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/program/flight.h"
#include "web/document.h"

namespace web {

class FlightTimeline {
 public:
  // At the first refresh time. Throws sim::FlightError for a recording with
  // nothing to play and std::logic_error for its refresh times.
  FlightTimeline(std::string_view recording, const sim::Situation& start);
  // The same for a recording read already, in another instance of this
  // binary (Packed there, Unpacked here).
  FlightTimeline(std::string_view recording, sim::Flight flight, const sim::Situation& start);
  FlightTimeline(const FlightTimeline&) = delete;
  FlightTimeline& operator=(const FlightTimeline&) = delete;

  // Moves to the refresh due at t, clamped to the first and last.
  void Seek(double t);
  // The refresh time due at t.
  double Due(double t) const { return schedule_.At(schedule_.Due(t)); }
  double Time() const { return schedule_.At(k_); }
  // The refresh time that applies the next events not yet applied (direction
  // > 0), or the one that applied the latest events before the current
  // refresh's (< 0); NaN when there are none.
  double EventRefresh(int direction) const;
  // The situation at the current refresh time.
  const sim::Situation& Now() const { return *now_; }
  // The refresh times, the last n events applied, oldest first, and the
  // lines skipped or read in part: {"from", "to", "interval", "time",
  // "events": [{"time", "line", "text"}], "warnings": ["line N: why", ...]}.
  std::string Json(std::size_t n) const;
  // The recording as read, in bytes for Unpacked by this same binary.
  std::string Packed() const;

 // Where an event's line is in the recording.
  struct EventLine {
    std::uint32_t offset;
    std::uint32_t line;  // 1-based
  };

 private:
  std::string text_;
  sim::Flight flight_;
  std::vector<EventLine> lines_;  // of each event, in file order
  sim::RefreshSchedule schedule_;
  sim::FlightReplay replay_;
  const sim::Situation* now_ = nullptr;
  long long k_ = 0;
};

// A recording as FlightTimeline::Packed wrote it. Throws std::invalid_argument
// for bytes it did not write.
sim::Flight Unpacked(std::string_view bytes);

// doc with the attitude mode and the vessel's values written from s: the
// thruster levels in the form doc gives them, every other field where doc has
// it or s's value is not the default.
json WithVessel(json doc, const sim::Situation& s);

}  // namespace web
