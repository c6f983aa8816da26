// Linux: pages drawn by the rasterising surface.
#include "sim/surface/page_surface.h"
#include "sim/surface/raster_surface.h"

namespace sim {
namespace {

class RasterPage final : public PageSurface {
 public:
  RasterPage(int width, int height) : surface_(width, height) {}
  void* Dc() override { return static_cast<DrawingSurface*>(&surface_); }
  Image Picture() const override { return surface_.Picture(); }
  int CharWidth() const override { return surface_.DefaultFont(0).AverageCharWidth(); }
  int CharHeight() const override { return surface_.DefaultFont(0).CellHeight(); }

 private:
  RasterSurface surface_;
};

}  // namespace

std::unique_ptr<PageSurface> MakePageSurface(int width, int height) {
  return std::make_unique<RasterPage>(width, height);
}

}  // namespace sim
