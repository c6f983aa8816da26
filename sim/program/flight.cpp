#include "sim/program/flight.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace sim {
namespace {

// Thruster groups by the names ENG takes, in group order.
constexpr std::string_view kGroupNames[VesselState::kGroups] = {
    "MAIN",          "RETRO",       "HOVER",       "RCS_PITCHUP", "RCS_PITCHDOWN", "RCS_YAWLEFT", "RCS_YAWRIGHT",
    "RCS_BANKLEFT", "RCS_BANKRIGHT", "RCS_RIGHT", "RCS_LEFT",    "RCS_UP",        "RCS_DOWN",    "RCS_FORWARD",
    "RCS_BACK"};

struct Word {
  std::string_view name;
  FlightEvent::Kind kind;
};
constexpr Word kWords[] = {{"ENG", FlightEvent::kEngine},        {"NAVMODE", FlightEvent::kNavmodeOn},
                           {"NAVMODECLR", FlightEvent::kNavmodeOff}, {"RCSMODE", FlightEvent::kRcsMode},
                           {"ADCMODE", FlightEvent::kAdcMode},     {"TAKEOFF", FlightEvent::kTakeoff},
                           {"LANDED", FlightEvent::kLanded}};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next whitespace-separated word of *rest, removed from it.
std::string_view NextWord(std::string_view* rest) {
  std::size_t start = 0;
  while (start < rest->size() && IsSpace((*rest)[start])) ++start;
  std::size_t end = start;
  while (end < rest->size() && !IsSpace((*rest)[end])) ++end;
  const std::string_view word = rest->substr(start, end - start);
  rest->remove_prefix(end);
  return word;
}

bool ParseNumber(std::string_view text, double* value) {
  if (text.empty() || text.size() > 64) return false;
  const std::string copy(text);
  char* end = nullptr;
  *value = std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size();
}

bool ParseInteger(std::string_view text, std::int64_t lo, std::int64_t hi, std::int64_t* value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty() && *value >= lo && *value <= hi;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text.substr(0, 40)) + "'"; }

// ENG's "i:level" or "NAME:level".
FlightEvent::Level EngineLevel(std::string_view arg, int line) {
  const std::size_t colon = arg.find(':');
  FlightEvent::Level level{};
  if (colon == std::string_view::npos || !ParseNumber(arg.substr(colon + 1), &level.level))
    throw FlightError(line, "ENG takes thruster:level pairs, not " + Quoted(arg));
  const std::string_view target = arg.substr(0, colon);
  const auto* name = std::find(std::begin(kGroupNames), std::end(kGroupNames), target);
  if (name != std::end(kGroupNames))
    level.target = -1 - (name - std::begin(kGroupNames));
  else if (!ParseInteger(target, 0, std::numeric_limits<std::int64_t>::max(), &level.target))
    throw FlightError(line, "ENG names no thruster index or group in " + Quoted(arg));
  return level;
}

FlightEvent ParseEvent(double time, std::string_view rest, int line) {
  const std::size_t first = rest.find_first_not_of(" \t"), last = rest.find_last_not_of(" \t\r");
  FlightEvent event{time, FlightEvent::kOther, 0, {}, std::string(rest.substr(first, last + 1 - first)), line};
  const std::string_view word = NextWord(&rest);
  for (const Word& w : kWords)
    if (w.name == word) event.kind = w.kind;
  switch (event.kind) {
    case FlightEvent::kEngine:
      for (std::string_view arg = NextWord(&rest); !arg.empty(); arg = NextWord(&rest))
        event.levels.push_back(EngineLevel(arg, line));
      break;
    case FlightEvent::kNavmodeOn:
    case FlightEvent::kNavmodeOff:
    case FlightEvent::kRcsMode:
    case FlightEvent::kAdcMode: {
      const std::string_view arg = NextWord(&rest);
      const bool word32 = event.kind == FlightEvent::kAdcMode;
      const std::int64_t lo = word32 ? 0 : std::numeric_limits<std::int32_t>::min();
      const std::int64_t hi = word32 ? std::numeric_limits<std::uint32_t>::max() : std::numeric_limits<std::int32_t>::max();
      if (!ParseInteger(arg, lo, hi, &event.value))
        throw FlightError(line, std::string(word) + " takes an integer from " + std::to_string(lo) + " to " +
                                    std::to_string(hi) + ", not " + Quoted(arg));
      break;
    }
    default:
      break;
  }
  return event;
}

}  // namespace

std::vector<FlightEvent> ParseFlight(std::string_view text) {
  std::vector<FlightEvent> events;
  for (int line = 1; !text.empty(); ++line) {
    const std::size_t eol = text.find('\n');
    std::string_view rest = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    const std::string_view first = NextWord(&rest);
    if (first.empty()) continue;
    double time = 0;
    if (!ParseNumber(first, &time) || !std::isfinite(time))
      throw FlightError(line, "the time " + Quoted(first) + " is not a number");
    if (rest.find_first_not_of(" \t\r") == std::string_view::npos) throw FlightError(line, "no event after the time");
    events.push_back(ParseEvent(time, rest, line));
  }
  return events;
}

void ApplyFlightEvent(const FlightEvent& event, Situation& situation) {
  VesselState& vessel = situation.vessel;
  std::vector<int>& navmodes = vessel.navmodes;
  const int value = static_cast<int>(event.value);
  switch (event.kind) {
    case FlightEvent::kEngine:
      for (const FlightEvent::Level& l : event.levels) {
        if (l.target < 0) {
          for (const GroupThruster& t : vessel.groups[static_cast<std::size_t>(-1 - l.target)])
            vessel.thrusterLevels[t.thruster] = l.level;
        } else if (static_cast<std::uint64_t>(l.target) < vessel.thrusterLevels.size()) {
          vessel.thrusterLevels[static_cast<std::size_t>(l.target)] = l.level;
        }
      }
      break;
    case FlightEvent::kNavmodeOn:
      if (std::find(navmodes.begin(), navmodes.end(), value) == navmodes.end()) navmodes.push_back(value);
      break;
    case FlightEvent::kNavmodeOff:
      navmodes.erase(std::remove(navmodes.begin(), navmodes.end(), value), navmodes.end());
      break;
    case FlightEvent::kRcsMode:
      situation.attitudeMode = value;
      break;
    case FlightEvent::kAdcMode:
      vessel.adcMode = static_cast<std::uint32_t>(event.value);
      break;
    case FlightEvent::kTakeoff:
      vessel.flightStatus &= ~1u;
      break;
    case FlightEvent::kLanded:
      vessel.flightStatus |= 1u;
      break;
    case FlightEvent::kOther:
      break;
  }
}

FlightReplay::FlightReplay(const std::vector<FlightEvent>& events, Situation start)
    : events_(events), start_(std::move(start)), now_(start_) {}

const Situation& FlightReplay::At(double t) {
  if (t < time_) {
    now_ = start_;
    next_ = 0;
  }
  time_ = t;
  for (; next_ < events_.size() && events_[next_].time < t; ++next_) ApplyFlightEvent(events_[next_], now_);
  return now_;
}

long long RefreshSchedule::Due(double t) const {
  if (!(t > from)) return 0;
  if (t >= At(refreshes - 1)) return refreshes - 1;
  auto k = static_cast<long long>((t - from) / interval);
  while (k > 0 && At(k) > t) --k;
  while (At(k + 1) <= t) ++k;
  return k;
}

RefreshSchedule PlanRefreshes(const std::vector<FlightEvent>& events, double interval, double from,
                              std::optional<double> to) {
  RefreshSchedule s{from, to.value_or(events.empty() ? from : events.back().time + interval), interval, 0};
  if (s.from > s.to) throw std::domain_error("the first refresh time is after the last");
  const double span = (s.to - s.from) / s.interval;
  if (!(span < static_cast<double>(kMaxRefreshes)))
    throw std::length_error("more than " + std::to_string(kMaxRefreshes) + " refreshes");
  s.refreshes = static_cast<long long>(span) + 1;
  while (s.refreshes > 1 && s.At(s.refreshes - 1) > s.to) --s.refreshes;
  while (s.At(s.refreshes) <= s.to) ++s.refreshes;
  return s;
}

}  // namespace sim
