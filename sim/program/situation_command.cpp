#include "sim/program/situation_command.h"

#include <iostream>
#include <memory>

#include "sim/program/scenario_file.h"

namespace sim {

void AddSituationCommand(CLI::App& app, int* status) {
  auto options = std::make_shared<SessionOptions>();
  CLI::App* command = app.add_subcommand(
      "situation", "Prints the situation a scenario (.scn) starts in, as JSON for --state, on standard output");
  command->add_option("--scenario", options->scenario, "the simulator's scenario")->required()->check(NonEmpty());
  command
      ->add_option("--orbiter", options->orbiter,
                   "the simulator's folder (default: the one above the scenario's Scenarios folder)")
      ->check(NonEmpty());
  command->callback([options, status] {
    std::cout << SituationJson(LoadScenario(*options)->situation);
    *status = 0;
  });
}

}  // namespace sim
