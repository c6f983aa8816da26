// vitals-sim: the stand-in host as a Linux program, drawing on the rasterising surface.
#include <filesystem>

#include "sim/program/render.h"

int main(int argc, char** argv) {
  std::error_code ec;
  const sim::Platform platform = {"Vitals.so", std::filesystem::read_symlink("/proc/self/exe", ec).parent_path()};
  return sim::RenderMain(argc, argv, platform);
}
