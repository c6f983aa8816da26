// Flight recordings with refresh planning: any bytes either read as a flight
// or are refused with a FlightError; a flight's warnings are one printable
// line each, at most kMaxWarnings; a plan from any of its times either is
// refused or gives ascending refresh times, none after `to`, and a replay
// that applies no step twice.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "sim/program/flight.h"

namespace {

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "flight_fuzz: %s\n", what.c_str());
  std::abort();
}

// The first 16 bytes choose the interval and the first refresh time.
double Chosen(const std::uint8_t* data, std::size_t size, std::size_t at) {
  double v = 0;
  if (size >= at + 8) std::memcpy(&v, data + at, 8);
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const double interval = Chosen(data, size, 0), from = Chosen(data, size, 8);
  const std::size_t skip = size >= 16 ? 16 : size;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + skip, size - skip));
  sim::Flight flight;
  try {
    flight = sim::ReadFlight(in);
  } catch (const sim::FlightError& e) {
    if (e.Line() < 1 || std::strchr(e.what(), '\n')) Broken("a refusal without its line");
    return 0;
  }
  if (flight.warnings.size() > sim::Flight::kMaxWarnings || flight.warningCount < flight.warnings.size())
    Broken("warnings past their limit");
  for (const sim::FlightWarning& w : flight.warnings)
    for (const char c : w.text)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) Broken("a warning with a control byte");
  for (std::size_t i = 1; i < flight.steps.size(); ++i)
    if (!(flight.steps[i].time > flight.steps[i - 1].time)) Broken("steps out of order");
  for (const sim::FlightAction& a : flight.actions)
    if (a.kind == sim::FlightAction::kEngine && (!(a.level >= 0 && a.level <= 1) || a.target < -15))
      Broken("a level or thruster out of range");
  if (!std::isfinite(interval) || !(interval > 0) || !std::isfinite(from)) return 0;
  sim::RefreshSchedule plan{};
  try {
    plan = sim::PlanRefreshes(flight, interval, from);
  } catch (const std::logic_error&) {
    return 0;
  } catch (const std::range_error&) {
    return 0;
  }
  if (plan.refreshes < 1 || plan.refreshes > sim::kMaxRefreshes) Broken("a plan past its limits");
  for (long long k = 1; k < plan.refreshes; ++k)
    if (!(plan.At(k) > plan.At(k - 1))) Broken("refresh times not ascending");
  if (plan.At(plan.refreshes - 1) > plan.to) Broken("a refresh after the last time");
  sim::Situation start;
  start.vessel.thrusterLevels.assign(8, 0.0);
  sim::FlightReplay replay(flight, start);
  std::size_t applied = 0;
  for (long long k = 0; k < plan.refreshes && k < 64; ++k) {
    replay.At(plan.At(k));
    if (replay.Applied() < applied || replay.Applied() > flight.events) Broken("events applied out of order");
    applied = replay.Applied();
  }
  return 0;
}
