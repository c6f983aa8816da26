// Windows: a memory device context on a 32-bit top-down DIB section: the real GDI's
// counterpart of the Linux host's RasterSurface, in the same starting state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "sim/surface/page_surface.h"

namespace sim {

class GdiSurface final : public PageSurface {
 public:
  // Black pixels; stock black pen and brush, the host's default font 0 for a
  // display this high, black text drawn transparently from its top-left corner. Throws std::invalid_argument for a
  // size outside 1..16384, std::runtime_error when GDI refuses.
  GdiSurface(int width, int height);
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;
  ~GdiSurface();

  void* Dc() override { return dc_; }
  Image Picture() const override;
  int CharWidth() const override { return Font0().tmAveCharWidth; }
  int CharHeight() const override { return Font0().tmHeight; }

 private:
  TEXTMETRICA Font0() const;

  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ initialBitmap_ = nullptr;
  const std::uint32_t* bits_ = nullptr;  // rows top to bottom, 0x00RRGGBB
};

}  // namespace sim
