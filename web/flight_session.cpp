#include "web/flight_session.h"

#include <algorithm>
#include <cmath>

namespace web {
namespace {

std::vector<sim::FlightEvent> Parsed(std::string_view recording) {
  if (recording.size() > sim::kMaxFlightBytes)
    throw std::length_error("a recording may be at most " + std::to_string(sim::kMaxFlightBytes >> 20) + " MiB");
  return sim::ParseFlight(recording);
}

sim::RefreshSchedule Planned(const std::vector<sim::FlightEvent>& events, const sim::Situation& start) {
  const std::optional<double> interval = sim::RefreshInterval(start.config.value_or(""));
  if (!interval) throw std::invalid_argument("start situation: InstrumentUpdateInterval must be a positive finite number of seconds");
  try {
    return sim::PlanRefreshes(events, *interval);
  } catch (const std::logic_error& e) {
    throw std::invalid_argument(std::string(e.what()) + ": the page refreshes every " + json(*interval).dump() +
                                " s from 0 s to the last event's time plus that");
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

FlightSession::FlightSession(std::string_view recording, const sim::Situation& start)
    : events_(Parsed(recording)), schedule_(Planned(events_, start)), replay_(events_, start) {
  Seek(schedule_.from);
}

void FlightSession::Seek(double t) {
  k_ = schedule_.Due(t);
  now_ = &replay_.At(schedule_.At(k_));
}

double FlightSession::EventRefresh(int direction) const {
  const auto applying = [&](const sim::FlightEvent& e) {  // events of time < t are applied at t
    long long k = schedule_.Due(e.time);
    if (schedule_.At(k) <= e.time) ++k;
    return schedule_.At(std::min(k, schedule_.refreshes - 1));
  };
  const std::size_t applied = replay_.Applied();
  if (direction > 0) {
    const double t = applied < events_.size() ? applying(events_[applied]) : std::nan("");
    return t > Time() ? t : std::nan("");
  }
  for (std::size_t i = applied; i-- > 0;)
    if (const double t = applying(events_[i]); t < Time()) return t;
  return std::nan("");
}

std::string FlightSession::Json(std::size_t n) const {
  json latest = json::array();
  const std::size_t applied = replay_.Applied();
  for (std::size_t i = applied - std::min(n, applied); i < applied; ++i)
    latest.push_back({{"time", events_[i].time}, {"line", events_[i].line}, {"text", events_[i].text}});
  const json flight = {{"from", schedule_.from}, {"to", schedule_.At(schedule_.refreshes - 1)},
                       {"interval", schedule_.interval}, {"time", Time()}, {"events", std::move(latest)}};
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
