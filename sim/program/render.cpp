#include "sim/program/render.h"

#include <chrono>
#include <iostream>
#include <memory>

#include "sim/core/host.h"
#include "sim/program/flight.h"
#include "sim/program/live_session.h"
#include "sim/program/output.h"
#include "sim/program/scenario_file.h"

namespace sim {
namespace {

struct RenderOptions {
  SessionOptions session;
  std::optional<std::string> png, trace;
  std::optional<int> refreshes;
};

// What a session left: the page, and how long its refreshes took.
struct Rendered {
  Image picture;
  double seconds;
};

Rendered RunSession(const ModuleFile& module, const Situation& situation, int refreshes) {
  try {
    LiveSession session(module.path, situation);
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
void WriteOutputs(const RenderOptions& options, const Image& picture, const std::optional<Scenario>& scenario) {
  std::string error, png;
  if (options.png && !EncodePng(picture, &png)) Fail(kHostFault, *options.png + ": cannot encode PNG");
  const std::string trace = options.trace ? TheHost().trace.Text() : "";
  std::optional<OutputFile> files[2];
  const std::pair<const std::optional<std::string>*, std::string_view> outputs[] = {{&options.png, png},
                                                                                    {&options.trace, trace}};
  for (std::size_t i = 0; i < 2; ++i) {
    const auto& [name, bytes] = outputs[i];
    if (!*name) continue;
    if (!files[i].emplace(**name).Open(&error)) Fail(kBadInput, **name + ": " + error);
    files[i]->Append(bytes);
    if (!files[i]->Finish(&error)) Fail(kHostFault, **name + ": " + error);
  }
  for (std::size_t i = 0; i < 2; ++i)
    if (files[i] && !files[i]->Commit(&error)) Fail(kHostFault, **outputs[i].first + ": " + error);
  if (scenario) std::cout << Described(*scenario) << '\n';
  if (options.png) std::cout << *options.png << '\n';
  if (options.trace) std::cout << *options.trace << '\n';
}

int Render(RenderOptions options, const Platform& platform) {
  const std::optional<Scenario> scenario = LoadScenario(options.session);
  const Situation situation = LoadSituation(options.session, scenario ? &scenario->situation : nullptr);
  const ModuleFile module = FindModule(options.session, platform);
  if (!options.png && !options.trace && !options.refreshes) options.png = "vitals.png";
  CheckTargets({&options.png, &options.trace}, SessionInputs(options.session, module));

  TheHost().Reset();
  TheHost().trace.Enable(options.trace.has_value());
  const int refreshes = options.refreshes.value_or(1);
  const Rendered rendered = RunSession(module, situation, refreshes);
  WriteOutputs(options, rendered.picture, scenario);
  if (options.refreshes)
    std::cout << refreshes << " refreshes of a " << rendered.picture.width << "x" << rendered.picture.height
              << " page in " << rendered.seconds << " s: " << refreshes / rendered.seconds << " pages per second\n";
  return ReportFaults();
}

}  // namespace

void AddRenderCommand(CLI::App& app, const Platform& platform, int* status) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* command = app.add_subcommand(
      "render", "Runs the module for one situation, one refresh, and writes the page and the session's call trace "
                "(vitals.png when neither is asked for)");
  AddSessionOptions(*command, options->session);
  command->add_option("--png", options->png, "write the page as a PNG")->check(NonEmpty());
  CLI::Option* trace =
      command->add_option("--trace", options->trace, "write the session's call trace")->check(NonEmpty());
  command->add_option("--refreshes", options->refreshes, "time N refreshes of the page, untraced")
      ->check(CLI::Range(1, static_cast<int>(kMaxRefreshes)))
      ->excludes(trace);
  command->callback([options, &platform, status] { *status = Render(*options, platform); });
}

}  // namespace sim
