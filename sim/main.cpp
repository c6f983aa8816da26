// vitals-sim: the stand-in host as a Linux program, drawing on the rasterising surface.
#include <filesystem>

#include "sim/host.h"
#include "sim/raster_surface.h"
#include "sim/render.h"

namespace {

class RasterPage final : public sim::PageSurface {
 public:
  RasterPage(int width, int height) : surface_(width, height) {}
  HDC Dc() override { return &surface_; }
  sim::Image Picture() const override { return surface_.Picture(); }

 private:
  sim::RasterSurface surface_;
};

}  // namespace

int main(int argc, char** argv) {
  std::error_code ec;
  const sim::Platform platform = {
      "Vitals.so",
      std::filesystem::read_symlink("/proc/self/exe", ec).parent_path(),
      sim::TheHost().renderWindow,
      [](int width, int height) -> std::unique_ptr<sim::PageSurface> {
        return std::make_unique<RasterPage>(width, height);
      },
  };
  return sim::RenderMain(argc, argv, platform);
}
