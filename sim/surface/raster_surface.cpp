// The raster surface's pixels and state; its primitives are drawn in raster_*.cpp.
#include "sim/surface/raster_surface.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "sim/core/look.h"
#include "sim/surface/raster_geometry.h"

namespace sim {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kInvalid = 0xFFFFFFFF;

// The host's default fonts for a display of this size.
std::vector<Font> DefaultFonts(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSurfaceSide || height > kMaxSurfaceSide)
    throw std::invalid_argument("surface size out of range");
  return HostFonts(height);
}

}  // namespace

RasterSurface::RasterSurface(int width, int height)
    : width_(width), height_(height), fonts_(DefaultFonts(width, height)), font_(&fonts_[0]) {
  pixels_.assign(std::size_t(width) * std::size_t(height), kBlack);
  crossings_.resize(kPolygonPoints);
}

COLORREF RasterSurface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalid;
  return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void RasterSurface::SetPixel(int x, int y, COLORREF c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = c & raster::kRgbMask;
}

COLORREF RasterSurface::SetTextColor(COLORREF c) {
  const COLORREF previous = text_;
  text_ = c;
  return previous;
}

void RasterSurface::Clear() { std::fill(pixels_.begin(), pixels_.end(), kBlack); }

void RasterSurface::SelectPen(int index) {
  if (unsigned(index) >= std::size(kDefaultPens)) return;
  pen_ = kDefaultPens[index];
  nullPen_ = false;
}

void RasterSurface::SelectStockObject(int object) {
  if (object == NULL_PEN) nullPen_ = true;
  if (object == NULL_BRUSH) nullBrush_ = true;
}

void RasterSurface::SelectFont(int index) {
  if (unsigned(index) < fonts_.size()) font_ = &fonts_[std::size_t(index)];
}

Image RasterSurface::Picture() const {
  Image image{width_, height_, std::vector<unsigned char>(pixels_.size() * 3)};
  for (std::size_t i = 0; i < pixels_.size(); ++i) {
    const COLORREF c = pixels_[i];  // 0x00BBGGRR
    image.rgb[3 * i] = static_cast<unsigned char>(c);
    image.rgb[3 * i + 1] = static_cast<unsigned char>(c >> 8);
    image.rgb[3 * i + 2] = static_cast<unsigned char>(c >> 16);
  }
  return image;
}

std::unique_ptr<PageSurface> MakePageSurface(int width, int height) {
  return std::make_unique<RasterSurface>(width, height);
}

}  // namespace sim
