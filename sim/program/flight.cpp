#include "sim/program/flight.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "sim/core/text.h"

namespace sim {
namespace {

// Thruster groups by the names ENG takes, in group order.
constexpr std::string_view kGroupNames[VesselState::kGroups] = {
    "MAIN",          "RETRO",       "HOVER",       "RCS_PITCHUP", "RCS_PITCHDOWN", "RCS_YAWLEFT", "RCS_YAWRIGHT",
    "RCS_BANKLEFT", "RCS_BANKRIGHT", "RCS_RIGHT", "RCS_LEFT",    "RCS_UP",        "RCS_DOWN",    "RCS_FORWARD",
    "RCS_BACK"};

// Events that act on the page, and those that read a number.
struct Word {
  std::string_view name;
  FlightAction::Kind kind;
  bool number;
};
constexpr Word kWords[] = {
    {"ENG", FlightAction::kEngine, false},        {"NAVMODE", FlightAction::kNavmodeOn, true},
    {"NAVMODECLR", FlightAction::kNavmodeOff, true}, {"RCSMODE", FlightAction::kRcsMode, true},
    {"ADCMODE", FlightAction::kAdcMode, true},    {"TAKEOFF", FlightAction::kTakeoff, false},
    {"LANDED", FlightAction::kLanded, false}};

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the time at the start of s as `stream >> double` takes it in
// the C locale (sign, digits with one point, exponent after a digit), and its
// value; 0 when it does not read, overflow included.
std::size_t ReadTime(std::string_view s, double* time) {
  std::size_t n = 0;
  if (n < s.size() && (s[n] == '+' || s[n] == '-')) ++n;
  bool digits = false, point = false;
  for (; n < s.size() && (IsDigit(s[n]) || (s[n] == '.' && !point)); ++n) {
    point |= s[n] == '.';
    digits |= s[n] != '.';
  }
  if (digits && n < s.size() && (s[n] == 'e' || s[n] == 'E')) {
    ++n;
    if (n < s.size() && (s[n] == '+' || s[n] == '-')) ++n;
    while (n < s.size() && IsDigit(s[n])) ++n;
  }
  const std::optional<double> value = ReadNumber(s.substr(0, n));
  if (!value || !std::isfinite(*value)) return 0;
  *time = *value;
  return n;
}

// sscanf "%d" at the start of s: the number (saturated far past 32 bits) and
// the length read; 0 when no digit reads.
std::size_t ReadInteger(std::string_view s, std::int64_t* value) {
  std::size_t n = !s.empty() && (s[0] == '-' || s[0] == '+') ? 1 : 0;
  const std::size_t first = n;
  std::int64_t v = 0;
  for (; n < s.size() && IsDigit(s[n]); ++n) v = std::min<std::int64_t>(v * 10 + (s[n] - '0'), std::int64_t(1) << 40);
  if (n == first) return 0;
  *value = s[0] == '-' ? -v : v;
  return n;
}

// sscanf "%lf" of a token's tail, NUL-terminated after the token: the value
// and what of the tail follows it.
bool ReadLevel(std::string_view tail, double* level, std::string_view* rest) {
  char* end = nullptr;
  *level = std::strtod(tail.data(), &end);
  if (end == tail.data()) return false;
  *rest = tail.substr(static_cast<std::size_t>(end - tail.data()));
  return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  return true;
}

std::string Shown(std::string_view text) { return "'" + Printable(text, 80) + "'"; }

class Reader {
 public:
  explicit Reader(Flight& flight) : flight_(flight) {}

  // One line without its newline; false when the recording ends at it.
  bool Line(std::string& text) {
    ++line_;
    if (line_ == 1 && std::memchr(text.data(), '\0', text.size()))
      throw FlightError(line_, "not a text file: a NUL byte on its first line");
    bytes_ += text.size() + 1;
    if (bytes_ > kMaxFlightBytes + 1)
      throw FlightError(line_, "larger than " + std::to_string(kMaxFlightBytes) + " bytes");
    if (!text.empty() && text.back() == '\r') text.pop_back();  // the host reads in text mode
    std::string_view rest = text;
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    if (rest.empty()) return true;
    double time = 0;
    const std::size_t n = ReadTime(rest, &time);
    if (n == 0) {
      if (flight_.events == 0) throw FlightError(line_, "the first line has no time: " + Shown(rest));
      Warn("the time " + Shown(rest.substr(0, rest.find_first_of(" \t"))) +
           " does not read: the player stops here and ignores the rest of the file");
      return false;
    }
    Event(time, text.data() + (rest.data() - text.data()) + n, text.data() + text.size());
    return true;
  }

  void Finish() { flight_.warningCount = warnings_; }

 private:
  void Warn(const std::string& why) {
    if (warnings_++ < Flight::kMaxWarnings) flight_.warnings.push_back({line_, why});
  }

  // A line's event, [args, end) its text after the time, split in place.
  void Event(double time, char* args, char* end) {
    if (flight_.events > 0 && time < flight_.lastTime)
      Warn("the time " + ShortestNumber(time) + " is before " + ShortestNumber(flight_.lastTime) +
           ", an earlier line's: applied once that time is passed");
    if (flight_.events == 0 || time > flight_.lastTime) {
      flight_.lastTime = time;
      flight_.steps.push_back({time, 0, 0});
    }
    tokens_.clear();
    for (char* p = args; p < end;) {
      if (*p == ' ' || *p == '\t') {
        *p++ = '\0';  // ends the token before it for strtod
        continue;
      }
      char* start = p;
      while (p < end && *p != ' ' && *p != '\t') ++p;
      tokens_.emplace_back(start, static_cast<std::size_t>(p - start));
    }
    const std::vector<std::string_view>& tokens = tokens_;
    const std::string_view name = tokens.empty() ? std::string_view() : tokens[0];
    if (tokens.empty())
      Warn("no event after the time");
    else
      Count(name);
    for (const Word& w : kWords) {
      if (w.name != name) continue;
      if (w.kind == FlightAction::kEngine)
        for (std::size_t i = 1; i < tokens.size(); ++i) Engine(tokens[i]);
      else if (w.number)
        Mode(w, tokens.size() > 1 ? tokens[1] : std::string_view());
      else
        flight_.actions.push_back({w.kind, 0, 0});
    }
    ++flight_.events;
    flight_.steps.back().events = flight_.events;
    flight_.steps.back().actions = static_cast<std::uint32_t>(flight_.actions.size());
  }

  void Count(std::string_view name) {
    const std::string shown = Printable(name, 24);
    for (auto& [n, count] : flight_.names)
      if (n == shown) return void(++count);
    if (flight_.names.size() < Flight::kMaxNames) return flight_.names.push_back({shown, 1});
    if (flight_.names.back().first.empty()) return void(++flight_.names.back().second);
    flight_.names.push_back({"", 1});
  }

  // An ENG token: "INDEX:LEVEL", else "GROUP?LEVEL".
  void Engine(std::string_view t) {
    std::int64_t index = 0, target = 0;
    std::string_view after;
    double level = 0;
    const std::size_t n = ReadInteger(t, &index);
    if (n > 0 && n < t.size() && t[n] == ':' && ReadLevel(t.substr(n + 1), &level, &after)) {
      // The host's id is unsigned: a negative index names no thruster, as no
      // index past int's range does.
      if (index < 0 || index > std::numeric_limits<std::int32_t>::max()) return;
      target = index;
    } else {
      const auto* group = std::find_if(std::begin(kGroupNames), std::end(kGroupNames),
                                       [&](std::string_view g) { return StartsWithNoCase(t, g); });
      if (group == std::end(kGroupNames) || group->size() >= t.size() ||
          !ReadLevel(t.substr(group->size() + 1), &level, &after)) {
        Warn("ENG skips " + Shown(t) + ": neither INDEX:LEVEL nor GROUP:LEVEL");
        return;
      }
      target = -1 - (group - std::begin(kGroupNames));
    }
    if (std::isnan(level)) return Warn("ENG skips " + Shown(t) + ": the level is not a number");
    if (!after.empty()) Warn("ENG reads " + Shown(t) + " as level " + ShortestNumber(level) + ", ignoring " + Shown(after));
    if (level < 0 || level > 1)
      Warn("ENG " + Shown(t) + ": level " + ShortestNumber(level) + " is shown as " + ShortestNumber(std::clamp(level, 0.0, 1.0)));
    flight_.actions.push_back({FlightAction::kEngine, static_cast<std::int32_t>(target), std::clamp(level, 0.0, 1.0)});
  }

  // NAVMODE, NAVMODECLR, RCSMODE, ADCMODE: sscanf "%d" of the token after the name.
  void Mode(const Word& w, std::string_view arg) {
    std::int64_t value = 0;
    const std::size_t n = ReadInteger(arg, &value);
    const std::int64_t most = w.kind == FlightAction::kAdcMode ? std::numeric_limits<std::uint32_t>::max()
                                                              : std::numeric_limits<std::int32_t>::max();
    if (n == 0 || value < std::numeric_limits<std::int32_t>::min() || value > most) {
      Warn(std::string(w.name) + " leaves the mode as it was: " + Shown(arg) + " is not a 32-bit number");
      return;
    }
    if (n < arg.size()) Warn(std::string(w.name) + " reads " + Shown(arg) + " as " + std::to_string(value));
    flight_.actions.push_back({w.kind, static_cast<std::int32_t>(static_cast<std::uint32_t>(value)), 0});
  }

  Flight& flight_;
  std::vector<std::string_view> tokens_;  // of the line being read
  int line_ = 0;
  std::size_t bytes_ = 0, warnings_ = 0;
};

}  // namespace

Flight ReadFlight(std::istream& in) {
  Flight flight;
  Reader reader(flight);
  std::string line;
  while (std::getline(in, line) && reader.Line(line)) {
  }
  reader.Finish();
  return flight;
}

void ApplyFlightAction(const FlightAction& action, Situation& situation) {
  VesselState& vessel = situation.vessel;
  std::vector<int>& navmodes = vessel.navmodes;
  switch (action.kind) {
    case FlightAction::kEngine:
      if (action.target < 0) {
        for (const GroupThruster& t : vessel.groups[static_cast<std::size_t>(-1 - action.target)])
          vessel.thrusterLevels[t.thruster] = action.level;
      } else if (static_cast<std::size_t>(action.target) < vessel.thrusterLevels.size()) {
        vessel.thrusterLevels[static_cast<std::size_t>(action.target)] = action.level;
      }
      break;
    case FlightAction::kNavmodeOn:
      if (navmodes.size() < kMaxListEntries &&
          std::find(navmodes.begin(), navmodes.end(), action.target) == navmodes.end())
        navmodes.push_back(action.target);
      break;
    case FlightAction::kNavmodeOff:
      navmodes.erase(std::remove(navmodes.begin(), navmodes.end(), action.target), navmodes.end());
      break;
    case FlightAction::kRcsMode:
      situation.attitudeMode = action.target;
      break;
    case FlightAction::kAdcMode:
      vessel.adcMode = static_cast<std::uint32_t>(action.target);
      break;
    case FlightAction::kTakeoff:
      vessel.flightStatus &= ~1u;
      break;
    case FlightAction::kLanded:
      vessel.flightStatus |= 1u;
      break;
  }
}

FlightReplay::FlightReplay(const Flight& flight, Situation start)
    : flight_(flight), start_(std::move(start)), now_(start_) {}

const Situation& FlightReplay::At(double t) {
  if (t < time_) {
    now_ = start_;
    next_ = 0;
  }
  time_ = t;
  for (; next_ < flight_.steps.size() && flight_.steps[next_].time < t; ++next_) {
    const std::uint32_t first = next_ ? flight_.steps[next_ - 1].actions : 0;
    for (std::uint32_t a = first; a < flight_.steps[next_].actions; ++a) ApplyFlightAction(flight_.actions[a], now_);
  }
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

RefreshSchedule PlanRefreshes(const Flight& flight, double interval, double from, std::optional<double> to) {
  RefreshSchedule s{from, to.value_or(flight.events ? std::max(from, flight.lastTime + interval) : from), interval, 0};
  if (s.from > s.to) throw std::domain_error("the first refresh time is after the last");
  // Times an interval apart are told apart where it is larger than twice the
  // spacing of doubles there; whole counts k then give ascending times.
  const double m = std::max(std::fabs(s.from), std::fabs(s.to));
  if (!(interval > 2 * (std::nextafter(m, std::numeric_limits<double>::infinity()) - m)))
    throw std::range_error("refresh times " + ShortestNumber(interval) + " s apart cannot be told apart near " + ShortestNumber(m) +
                           " s");
  const double span = (s.to - s.from) / s.interval;
  if (!(span < static_cast<double>(kMaxRefreshes)))
    throw std::length_error("more than " + std::to_string(kMaxRefreshes) + " refreshes");
  s.refreshes = static_cast<long long>(span) + 1;
  while (s.refreshes > 1 && s.At(s.refreshes - 1) > s.to) --s.refreshes;
  while (s.refreshes <= kMaxRefreshes && s.At(s.refreshes) <= s.to) ++s.refreshes;
  if (s.refreshes > kMaxRefreshes) throw std::length_error("more than " + std::to_string(kMaxRefreshes) + " refreshes");
  return s;
}

}  // namespace sim
