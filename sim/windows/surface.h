// A memory device context on a 32-bit top-down DIB section: the real GDI's
// counterpart of the Linux host's RasterSurface, in the same starting state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace sim {

class GdiSurface {
 public:
  // Black pixels; stock black pen and brush, default font 1, black text drawn
  // transparently from its top-left corner. Throws std::invalid_argument for a
  // size outside 1..16384, std::runtime_error when GDI refuses.
  GdiSurface(int width, int height);
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;
  ~GdiSurface();

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixel at (x, y) as 0x00BBGGRR, after any pending drawing is flushed.
  COLORREF Pixel(int x, int y) const;

  // Writes an 8-bit RGB PNG through a temporary file beside path, so a failure
  // leaves no partial file; on failure *error says why.
  bool WritePng(const std::string& path, std::string* error) const;

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ initialBitmap_ = nullptr;
  const std::uint32_t* bits_ = nullptr;  // rows top to bottom, 0x00RRGGBB
};

}  // namespace sim
