#include "sim/program/render.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <memory>
#include <utility>
#include <vector>

#include "sim/core/host.h"
#include "sim/program/flight.h"
#include "sim/program/situation_session.h"
#include "sim/program/output.h"
#include "sim/program/scenario_file.h"

namespace sim {
namespace {

struct RenderOptions {
  SessionOptions session;
  std::vector<std::string> states, pngs, traces;  // the n-th outputs are the n-th situation's
  std::optional<int> refreshes;
};

// One situation and where its page and trace go.
struct Job {
  std::string name;
  std::optional<Scenario> scenario;
  Situation situation;
  std::optional<std::string> png, trace;
};

// What a session left: the page, and how long its refreshes took.
struct Rendered {
  Image picture;
  double seconds;
};

Rendered RunSession(const ModuleFile& module, const Situation& situation, int refreshes) {
  try {
    SituationSession session(module.path, situation);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < refreshes; ++i) session.Refresh();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {session.Page().Picture(), took.count()};
  } catch (const SessionError& e) {
    Fail(module, e);
  }
}

// Every output written under a temporary name first; the files asked for are
// replaced only once all are complete.
void WriteOutputs(const Job& job, const Image& picture) {
  std::string error, png;
  if (job.png && !EncodePng(picture, &png)) Fail(kHostFault, *job.png + ": cannot encode PNG");
  const std::string trace = job.trace ? TheHost().trace.Text() : "";
  std::optional<OutputFile> files[2];
  const std::pair<const std::optional<std::string>*, std::string_view> outputs[] = {{&job.png, png},
                                                                                    {&job.trace, trace}};
  for (std::size_t i = 0; i < 2; ++i) {
    const auto& [name, bytes] = outputs[i];
    if (!*name) continue;
    if (!files[i].emplace(**name).Open(&error)) Fail(kBadInput, **name + ": " + error);
    files[i]->Append(bytes);
    if (!files[i]->Finish(&error)) Fail(kHostFault, **name + ": " + error);
  }
  for (std::size_t i = 0; i < 2; ++i)
    if (files[i] && !files[i]->Commit(&error)) Fail(kHostFault, **outputs[i].first + ": " + error);
  if (job.scenario) std::cout << Described(*job.scenario) << '\n';
  if (job.png) std::cout << *job.png << '\n';
  if (job.trace) std::cout << *job.trace << '\n';
}

// Every situation read and every output checked before the first session.
std::vector<Job> Jobs(RenderOptions& options, const ModuleFile& module) {
  const std::size_t n = std::max<std::size_t>(options.states.size(), 1);
  if (options.pngs.empty() && options.traces.empty() && !options.refreshes) {
    if (n > 1) Fail(kBadInput, "--png or --trace needed for each of " + std::to_string(n) + " situations");
    options.pngs = {"vitals.png"};
  }
  for (const auto& [files, option] : {std::pair(&options.pngs, "--png"), std::pair(&options.traces, "--trace")})
    if (!files->empty() && files->size() != n)
      Fail(kBadInput, std::string(option) + " needs one file for each of the " + std::to_string(n) +
                          " situations, not " + std::to_string(files->size()));
  std::vector<Job> jobs(n);
  Files outputs;
  std::vector<std::optional<std::string>> inputs;
  for (std::size_t i = 0; i < n; ++i) {
    SessionOptions session = options.session;
    if (!options.states.empty()) session.state = options.states[i];
    jobs[i].name = session.state.value_or(session.scenario.value_or("the default situation"));
    jobs[i].scenario = LoadScenario(session);
    jobs[i].situation = LoadSituation(session, jobs[i].scenario ? &jobs[i].scenario->situation : nullptr);
    if (!options.pngs.empty()) jobs[i].png = options.pngs[i];
    if (!options.traces.empty()) jobs[i].trace = options.traces[i];
    outputs.insert(outputs.end(), {&jobs[i].png, &jobs[i].trace});
    const std::vector<std::optional<std::string>> read = SessionInputs(session, module);
    inputs.insert(inputs.end(), read.begin(), read.end());
  }
  CheckTargets(outputs, inputs);
  return jobs;
}

// Each situation in a freshly loaded module and a reset host, as separate
// runs would; the first failure ends the run, the pages written before it
// stay. The status is the worst of the situations'.
int Render(RenderOptions options, const Platform& platform) {
  const ModuleFile module = FindModule(options.session, platform);
  const std::vector<Job> jobs = Jobs(options, module);
  int status = 0;
  for (const Job& job : jobs) {
    TheHost().Reset();
    TheHost().trace.Enable(job.trace.has_value());
    const int refreshes = options.refreshes.value_or(1);
    const Rendered rendered = RunSession(module, job.situation, refreshes);
    WriteOutputs(job, rendered.picture);
    if (options.refreshes)
      std::cout << refreshes << " refreshes of a " << rendered.picture.width << "x" << rendered.picture.height
                << " page in " << rendered.seconds << " s: " << refreshes / rendered.seconds << " pages per second\n";
    if (jobs.size() > 1 && !TheHost().faults.empty()) std::cerr << "vitals-sim: " << job.name << ":\n";
    status = std::max(status, ReportFaults());
  }
  return status;
}

}  // namespace

void AddRenderCommand(CLI::App& app, const Platform& platform, int* status) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* command = app.add_subcommand(
      "render", "Runs the module for a situation, one refresh, and writes the page and the session's call trace "
                "(vitals.png when neither is asked for); several situations in turn, each as its own run");
  AddSessionOptions(*command, options->session, &options->states);
  command->add_option("--png", options->pngs, "write the page as a PNG; once for each --state")
      ->allow_extra_args(false)
      ->check(NonEmpty());
  CLI::Option* trace = command->add_option("--trace", options->traces, "write the session's call trace; once for each --state")
                           ->allow_extra_args(false)
                           ->check(NonEmpty());
  command->add_option("--refreshes", options->refreshes, "time N refreshes of the page, untraced")
      ->check(CLI::Range(1, static_cast<int>(kMaxRefreshes)))
      ->excludes(trace);
  command->callback([options, &platform, status] { *status = Render(*options, platform); });
}

}  // namespace sim
