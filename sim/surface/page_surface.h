// A display's surface as the host makes it when it sizes the display: what
// the refreshes draw on, its picture, and what the host measures with its fonts.
#pragma once

#include <memory>

#include "sim/surface/drawing_surface.h"
#include "sim/surface/image.h"

namespace sim {

// The largest side of a surface, in pixels, on every platform.
constexpr int kMaxSurfaceSide = 16384;

class PageSurface : public DrawingSurface {
 public:
  virtual Image Picture() const = 0;
  // Host font 0's average character width and height, as the host writes them
  // into displays (cw, ch).
  virtual int CharWidth() const = 0;
  virtual int CharHeight() const = 0;
};

// The platform's surface: the rasteriser on Linux, a GDI memory device context
// on Windows. Throws std::invalid_argument for a side outside 1..kMaxSurfaceSide and
// std::runtime_error when the platform refuses.
std::unique_ptr<PageSurface> MakePageSurface(int width, int height);

}  // namespace sim
