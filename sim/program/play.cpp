#include "sim/program/play.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

#include "sim/core/host.h"
#include "sim/core/text.h"
#include "sim/program/flight.h"
#include "sim/program/gif.h"
#include "sim/program/situation_session.h"
#include "sim/program/output.h"
#include "sim/program/scenario_file.h"

namespace fs = std::filesystem;

namespace sim {
namespace {

struct PlayOptions {
  SessionOptions session;
  std::optional<std::string> flight;
  std::optional<double> from, to;
  std::optional<std::string> gif, trace;
  double speed = 1;
};

// The recording, its warnings on standard error.
Flight LoadFlight(const std::string& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) Fail(kBadInput, file + ": is a folder, not a file");
  std::ifstream in(file, std::ios::binary);
  if (!in) Fail(kBadInput, file + ": cannot read: " + std::strerror(errno));
  Flight flight;
  try {
    flight = ReadFlight(in);
  } catch (const FlightError& e) {
    Fail(kBadInput, file + ":" + std::to_string(e.Line()) + ": " + e.what());
  }
  if (in.bad()) Fail(kBadInput, file + ": cannot read: " + std::strerror(errno));
  for (const FlightWarning& w : flight.warnings) std::cerr << file << ':' << w.line << ": " << w.text << '\n';
  if (flight.warningCount > flight.warnings.size())
    std::cerr << file << ": " << flight.warningCount - flight.warnings.size() << " more lines skipped or read in part\n";
  return flight;
}

RefreshSchedule Plan(const PlayOptions& options, const Situation& start, const Flight& flight) {
  const std::optional<double> interval = RefreshInterval(start.config.value_or(""));
  if (!interval)
    Fail(kBadInput, options.session.state.value_or(options.session.scenario ? "Orbiter.cfg" : "the situation") +
                        ": InstrumentUpdateInterval must be a positive finite number of seconds");
  try {
    return PlanRefreshes(flight, *interval, options.from.value_or(0), options.to);
  } catch (const std::domain_error&) {
    Fail(kBadInput, "--from is after --to");
  } catch (const std::range_error& e) {
    Fail(kBadInput, std::string(e.what()) + ": a longer InstrumentUpdateInterval, or --from and --to nearer 0, tells them apart");
  } catch (const std::length_error& e) {
    Fail(kBadInput, std::string(e.what()) + " from --from to --to");
  }
}

std::string Seconds(double t) {
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, t);
  return std::string(text, end);
}

// A line on standard error at most once a second, after the first second.
class Progress {
 public:
  explicit Progress(long long total) : total_(total) {}
  void Show(long long done, double t) {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::seconds(1)) return;
    last_ = now;
    std::cerr << "vitals-sim: play: refresh " << done << " of " << total_ << ", t = " << Seconds(t) << " s\n";
  }

 private:
  long long total_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// " ENG 39, GEAR 2, ...": events by their name, most frequent first.
std::string EventCounts(const Flight& flight) {
  std::vector<std::pair<std::string, std::uint32_t>> sorted = flight.names;
  std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    return a.first.empty() != b.first.empty() ? b.first.empty() : a.second > b.second;
  });
  std::string text;
  for (const auto& [name, n] : sorted)
    text += (text.empty() ? " " : ", ") + (name.empty() ? "others" : name) + " " + std::to_string(n);
  return text;
}

int Play(const PlayOptions& options, const Platform& platform) {
  const std::optional<Scenario> scenario = LoadScenario(options.session);
  if (!scenario && !options.flight)
    Fail(kBadInput, "play needs --flight, or --scenario to find the recording as the simulator does");
  const Situation start = LoadSituation(options.session, scenario ? &scenario->situation : nullptr);
  const std::string recording = scenario ? RecordingOf(*scenario, options.session) : *options.flight;
  const ModuleFile module = FindModule(options.session, platform);
  std::vector<std::optional<std::string>> inputs = SessionInputs(options.session, module);
  inputs.push_back(recording);
  CheckTargets({&options.gif, &options.trace}, inputs);
  const Flight flight = LoadFlight(recording);
  const RefreshSchedule schedule = Plan(options, start, flight);
  // A GIF frame lasts at most 65,535 centiseconds.
  if (options.gif && !(schedule.interval / options.speed <= 655.35))
    Fail(kBadInput, "--speed " + Seconds(options.speed) + " shows each refresh for longer than a GIF frame can last, 655.35 s");

  Host& host = TheHost();
  host.Reset();
  host.trace.Enable(options.trace.has_value());
  std::string error;
  std::optional<OutputFile> trace, gifFile;
  if (options.trace && !trace.emplace(*options.trace).Open(&error)) Fail(kBadInput, *options.trace + ": " + error);
  if (options.gif && !gifFile.emplace(*options.gif).Open(&error)) Fail(kBadInput, *options.gif + ": " + error);
  std::optional<GifAnimation> gif;
  if (gifFile) gif.emplace(*gifFile);
  FlightReplay replay(flight, start);
  Progress progress(schedule.refreshes);
  try {
    SituationSession session(module.path, replay.At(schedule.from));
    for (long long k = 0; k < schedule.refreshes; ++k) {
      const double t = schedule.At(k);
      session.Apply(replay.At(t));
      host.trace.Add("time %s", Seconds(t).c_str());
      session.Refresh();
      if (gif && !gif->Add(session.Page().Picture(), schedule.interval / options.speed, &error))
        Fail(kHostFault, *options.gif + ": " + error);
      if (trace) trace->Append(host.trace.Text());
      host.trace.Clear();
      progress.Show(k + 1, t);
    }
  } catch (const SessionError& e) {
    Fail(module, e);
  }
  if (trace) trace->Append(host.trace.Text());
  // Both complete before either replaces a file.
  if (gif && !(gif->Finish(&error) && gifFile->Finish(&error))) Fail(kHostFault, *options.gif + ": " + error);
  if (trace && !trace->Finish(&error)) Fail(kHostFault, *options.trace + ": " + error);
  if (gif && !gifFile->Commit(&error)) Fail(kHostFault, *options.gif + ": " + error);
  if (trace && !trace->Commit(&error)) Fail(kHostFault, *options.trace + ": " + error);
  if (scenario) std::cout << Described(*scenario) << "; played from " << recording << '\n';
  for (const auto* file : {&options.gif, &options.trace})
    if (*file) std::cout << **file << '\n';
  std::cout << schedule.refreshes << " refreshes from " << Seconds(schedule.from) << " s to "
            << Seconds(schedule.At(schedule.refreshes - 1)) << " s; " << replay.Applied() << " of " << flight.events
            << " events applied;" << EventCounts(flight) << '\n';
  return ReportFaults();
}

}  // namespace

void AddPlayCommand(CLI::App& app, const Platform& platform, int* status) {
  auto options = std::make_shared<PlayOptions>();
  CLI::App* command = app.add_subcommand(
      "play", "Plays a flight recording (.atc) through the page, refreshed every InstrumentUpdateInterval seconds "
              "(0.5 s by default), from the situation or scenario the flight starts in");
  AddSessionOptions(*command, options->session);
  command->add_option("--flight", options->flight, "the flight recording (not with --scenario, which finds it)")
      ->check(NonEmpty())
      ->excludes(command->get_option("--scenario"));
  const auto finite = CLI::Validator(
      [](const std::string& v) {
        const std::optional<double> d = ReadNumber(v);
        return std::string(d && !std::isfinite(*d) ? "must be a finite number" : "");
      },
      "");
  command->add_option("--from", options->from, "first refresh time in seconds (default 0)")->check(finite);
  command->add_option("--to", options->to, "last refresh time at most (default: the last event's time plus the interval)")
      ->check(finite);
  command->add_option("--gif", options->gif, "write an animated GIF, a frame per refresh")->check(NonEmpty());
  command->add_option("--speed", options->speed, "play X times as fast in the GIF (default 1)")
      ->check(CLI::PositiveNumber & finite);
  command->add_option("--trace", options->trace, "write the session's call trace, each refresh after its time")
      ->check(NonEmpty());
  command->callback([options, &platform, status] { *status = Play(*options, platform); });
}

}  // namespace sim
