// vitals-sim: the stand-in host as a Linux program, drawing on the rasterising surface.
#include <filesystem>

#include "sim/program/play.h"
#include "sim/program/render.h"
#include "sim/program/situation_command.h"

int main(int argc, char** argv) {
  std::error_code ec;
  const sim::Platform platform = {"Vitals.so", std::filesystem::read_symlink("/proc/self/exe", ec).parent_path()};
  CLI::App app("The Vitals MFD page in a stand-in Orbiter host", "vitals-sim");
  int status = 0;
  sim::AddRenderCommand(app, platform, &status);
  sim::AddPlayCommand(app, platform, &status);
  sim::AddSituationCommand(app, &status);
  return sim::RunCommands(app, argc, argv, &status);
}
