// The page's surface in the browser: the rasteriser, with its pixels copied
// out as RGBA after each refresh for the canvas to take as they are.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/surface/page_surface.h"
#include "sim/surface/raster_surface.h"

namespace web {

class WebPage final : public sim::PageSurface {
 public:
  WebPage(int width, int height)
      : surface_(width, height), rgba_(std::size_t(width) * std::size_t(height)) {}
  void* Dc() override { return static_cast<DrawingSurface*>(&surface_); }
  sim::Image Picture() const override { return surface_.Picture(); }
  int CharWidth() const override { return surface_.DefaultFont(0).AverageCharWidth(); }
  int CharHeight() const override { return surface_.DefaultFont(0).CellHeight(); }

  // 0x00BBGGRR to the bytes R, G, B, 255.
  void CopyOut() {
    const COLORREF* from = surface_.Data();
    for (std::size_t i = 0; i < rgba_.size(); ++i) rgba_[i] = from[i] | 0xFF000000u;
  }
  const std::uint8_t* Rgba() const { return reinterpret_cast<const std::uint8_t*>(rgba_.data()); }
  int Width() const { return surface_.Width(); }
  int Height() const { return surface_.Height(); }

 private:
  sim::RasterSurface surface_;
  std::vector<std::uint32_t> rgba_;  // little-endian: R is the low byte
};

}  // namespace web
