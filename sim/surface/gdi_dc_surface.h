// Windows: a memory device context on a 32-bit top-down DIB section: the real
// GDI's counterpart of the Linux host's RasterSurface, in the same starting
// state. The module draws on its HDC through the host's traced calls, which
// draw here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "sim/surface/page_surface.h"

namespace sim {

class GdiSurface final : public PageSurface {
 public:
  // Black pixels; stock black pen and brush, the host's default font 0 for a
  // display this high, black text drawn transparently from its top-left corner.
  // Throws std::invalid_argument for a size outside 1..16384,
  // std::runtime_error when GDI refuses.
  GdiSurface(int width, int height);
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;
  ~GdiSurface();

  void* Dc() override { return dc_; }
  POINT Position() const override;
  void MoveTo(int x, int y) override { ::MoveToEx(dc_, x, y, nullptr); }
  void LineTo(int x, int y) override { ::LineTo(dc_, x, y); }
  void Polyline(const POINT* pts, int n) override { ::Polyline(dc_, pts, n); }
  void Polygon(const POINT* pts, int n) override { ::Polygon(dc_, pts, n); }
  void Ellipse(int l, int t, int r, int b) override { ::Ellipse(dc_, l, t, r, b); }
  void Rectangle(int l, int t, int r, int b) override { ::Rectangle(dc_, l, t, r, b); }
  void SetPixel(int x, int y, COLORREF c) override { ::SetPixel(dc_, x, y, c); }
  void FillRect(const RECT& rc, COLORREF brush) override;
  COLORREF SetTextColor(COLORREF c) override { return ::SetTextColor(dc_, c); }
  void TextOut(int x, int y, const char* text, int len) override { ::TextOutA(dc_, x, y, text, len); }
  void SetBkMode(int mode) override { ::SetBkMode(dc_, mode); }
  void SelectPen(int index) override;
  void SelectFont(int index) override;
  void SelectStockObject(int object) override;
  void Clear() override { PatBlt(dc_, 0, 0, width_, height_, BLACKNESS); }

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
