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
  int TextWidth(const char* text, int len) const override { return surface_.TextFont().TextWidth(text, len); }
  int CellHeight() const override { return surface_.TextFont().CellHeight(); }

 private:
  RasterSurface surface_;
};

}  // namespace

std::unique_ptr<PageSurface> MakePageSurface(int width, int height) {
  return std::make_unique<RasterPage>(width, height);
}

}  // namespace sim
