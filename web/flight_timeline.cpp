#include "web/flight_timeline.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <sstream>

#include "sim/core/text.h"

namespace web {
namespace {

sim::Flight Read(const std::string& recording) {
  if (recording.size() > sim::kMaxFlightBytes)
    throw std::length_error("a recording may be at most " + std::to_string(sim::kMaxFlightBytes >> 20) + " MiB");
  std::istringstream in(recording);
  return sim::ReadFlight(in);
}

// Where each of the first n events' lines starts: the lines that are not blank.
std::vector<FlightTimeline::EventLine> EventLines(std::string_view text, std::size_t n) {
  std::vector<FlightTimeline::EventLine> lines;
  std::uint32_t line = 1;
  for (std::size_t at = 0; at < text.size() && lines.size() < n; ++line) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    if (!sim::Trim(text.substr(at, end - at)).empty()) lines.push_back({std::uint32_t(at), line});
    at = end + 1;
  }
  return lines;
}

sim::RefreshSchedule Planned(const sim::Flight& flight, const sim::Situation& start) {
  const std::optional<double> interval = sim::RefreshInterval(start.config.value_or(""));
  if (!interval) throw std::invalid_argument("start situation: InstrumentUpdateInterval must be a positive finite number of seconds");
  try {
    return sim::PlanRefreshes(flight, *interval);
  } catch (const std::logic_error& e) {
    throw std::invalid_argument(std::string(e.what()) + ": the page refreshes every " + json(*interval).dump() +
                                " s from 0 s to the latest event's time plus that");
  }
}

// A number as the situation format writes it, non-finite ones as text.
json Number(double v) {
  if (std::isfinite(v)) return v;
  return std::isnan(v) ? "nan" : v > 0 ? "inf" : "-inf";
}

json Numbers(const std::vector<double>& values) {
  json list = json::array();
  for (double v : values) list.push_back(Number(v));
  return list;
}

// Sets obj[key] where obj has it or the value is given (not the default).
void Put(json& obj, const std::string& key, json value, bool given) {
  if (given || obj.contains(key)) obj[key] = std::move(value);
}

void PutThrusters(json& vessel, const sim::VesselState& v) {
  if (!vessel.contains("thrusters")) {
    Put(vessel, "thruster_levels", Numbers(v.thrusterLevels), !v.thrusterLevels.empty());
    return;
  }
  for (auto& [group, levels] : vessel["thrusters"].items()) {
    levels = json::array();
    for (const sim::GroupThruster& t : v.groups[std::stoul(group)]) levels.push_back(Number(v.thrusterLevels[t.thruster]));
  }
}

// Levels by index as an object of the indices given or not 0.
void PutLevels(json& vessel, const char* key, const double* levels, std::size_t n) {
  json given = vessel.value(key, json::object());
  for (std::size_t i = 0; i < n; ++i) Put(given, std::to_string(i), Number(levels[i]), levels[i] != 0);
  const bool any = !given.empty();
  Put(vessel, key, std::move(given), any);
}

}  // namespace

FlightTimeline::FlightTimeline(std::string_view recording, const sim::Situation& start)
    : FlightTimeline(recording, Read(std::string(recording)), start) {}

FlightTimeline::FlightTimeline(std::string_view recording, sim::Flight flight, const sim::Situation& start)
    : text_(recording),
      flight_(std::move(flight)),
      lines_(EventLines(text_, flight_.events)),
      schedule_(Planned(flight_, start)),
      replay_(flight_, start) {
  Seek(schedule_.from);
}

namespace {

// Plain values as their bytes, in this binary's own layout.
template <typename T>
void Put(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}
void PutText(std::string& out, const std::string& text) {
  Put(out, std::uint32_t(text.size()));
  out += text;
}

// Reads what Put wrote, never past the end.
struct Bytes {
  std::string_view rest;
  template <typename T>
  T Take() {
    T value;
    std::memcpy(&value, Span(sizeof value).data(), sizeof value);
    return value;
  }
  std::string_view Span(std::size_t n) {
    if (rest.size() < n) throw std::invalid_argument("not a recording packed by this page");
    const std::string_view span = rest.substr(0, n);
    rest.remove_prefix(n);
    return span;
  }
  std::string Text() { return std::string(Span(Take<std::uint32_t>())); }
};

}  // namespace

std::string FlightTimeline::Packed() const {
  std::string out;
  for (std::size_t n : {flight_.steps.size(), flight_.actions.size(), flight_.warnings.size(), flight_.names.size(),
                        flight_.warningCount})
    Put(out, std::uint64_t(n));
  Put(out, flight_.lastTime);
  Put(out, flight_.events);
  for (const sim::FlightStep& s : flight_.steps) Put(out, s);
  for (const sim::FlightAction& a : flight_.actions) Put(out, a);
  for (const sim::FlightWarning& w : flight_.warnings) {
    Put(out, w.line);
    PutText(out, w.text);
  }
  for (const auto& [name, count] : flight_.names) {
    PutText(out, name);
    Put(out, count);
  }
  return out;
}

sim::Flight Unpacked(std::string_view bytes) {
  Bytes in{bytes};
  std::uint64_t n[5];
  for (std::uint64_t& count : n) count = in.Take<std::uint64_t>();
  sim::Flight flight;
  flight.warningCount = n[4];
  flight.lastTime = in.Take<double>();
  flight.events = in.Take<std::uint32_t>();
  for (std::uint64_t i = 0; i < n[0]; ++i) flight.steps.push_back(in.Take<sim::FlightStep>());
  for (std::uint64_t i = 0; i < n[1]; ++i) flight.actions.push_back(in.Take<sim::FlightAction>());
  for (std::uint64_t i = 0; i < n[2]; ++i) {
    const int line = in.Take<int>();
    flight.warnings.push_back({line, in.Text()});
  }
  for (std::uint64_t i = 0; i < n[3]; ++i) {
    std::string name = in.Text();
    flight.names.emplace_back(std::move(name), in.Take<std::uint32_t>());
  }
  if (!in.rest.empty()) throw std::invalid_argument("not a recording packed by this page");
  return flight;
}

void FlightTimeline::Seek(double t) {
  k_ = schedule_.Due(t);
  now_ = &replay_.At(schedule_.At(k_));
}

double FlightTimeline::EventRefresh(int direction) const {
  const std::deque<sim::FlightStep>& steps = flight_.steps;
  const auto from = [&](double t) {  // the first step of time t or later
    return std::lower_bound(steps.begin(), steps.end(), t, [](const sim::FlightStep& s, double v) { return s.time < v; });
  };
  const auto applying = [&](double t) {  // steps of time < T are applied at T
    long long k = schedule_.Due(t);
    if (schedule_.At(k) <= t) ++k;
    return schedule_.At(std::min(k, schedule_.refreshes - 1));
  };
  if (direction > 0) {
    const auto next = from(Time());
    const double t = next != steps.end() ? applying(next->time) : std::nan("");
    return t > Time() ? t : std::nan("");
  }
  if (k_ == 0) return std::nan("");
  const auto before = from(schedule_.At(k_ - 1));
  return before == steps.begin() ? std::nan("") : applying(std::prev(before)->time);
}

std::string FlightTimeline::Json(std::size_t n) const {
  json latest = json::array();
  const std::size_t applied = replay_.Applied();
  auto step = flight_.steps.begin();
  for (std::size_t i = applied - std::min(n, applied); i < applied; ++i) {
    while (step->events <= i) ++step;
    std::string_view text = std::string_view(text_).substr(lines_[i].offset);
    text = sim::Trim(text.substr(0, text.find('\n')));
    text = sim::Trim(text.substr(std::min(text.find_first_of(" \t"), text.size())));  // after the time
    latest.push_back({{"time", step->time}, {"line", lines_[i].line}, {"text", sim::Printable(text, 120)}});
  }
  json warnings = json::array();
  for (const sim::FlightWarning& w : flight_.warnings) warnings.push_back("line " + std::to_string(w.line) + ": " + w.text);
  if (flight_.warningCount > flight_.warnings.size())
    warnings.push_back(std::to_string(flight_.warningCount - flight_.warnings.size()) + " more lines skipped or read in part");
  const json flight = {{"from", schedule_.from}, {"to", schedule_.At(schedule_.refreshes - 1)},
                       {"interval", schedule_.interval}, {"time", Time()}, {"events", std::move(latest)},
                       {"warnings", std::move(warnings)}};
  return flight.dump(-1, ' ', false, json::error_handler_t::replace);
}

json WithVessel(json doc, const sim::Situation& s) {
  const sim::VesselState& v = s.vessel;
  Put(doc, "attitude_mode", s.attitudeMode, s.attitudeMode != 0);
  json vessel = doc.value("vessel", json::object());
  PutThrusters(vessel, v);
  PutLevels(vessel, "control_surfaces", v.controlSurfaces.data(), v.controlSurfaces.size());
  PutLevels(vessel, "wheel_brakes", v.wheelBrakes.data(), v.wheelBrakes.size());
  Put(vessel, "navmodes", v.navmodes, !v.navmodes.empty());
  Put(vessel, "adc_mode", v.adcMode, v.adcMode != 0);
  Put(vessel, "flight_status", v.flightStatus, v.flightStatus != 0);
  const bool any = !vessel.empty();
  Put(doc, "vessel", std::move(vessel), any);
  return doc;
}

}  // namespace web
