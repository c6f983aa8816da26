#include "sim/surface/gdi_dc_surface.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "sim/surface/gdi_objects.h"

namespace sim {

GdiSurface::GdiSurface(int width, int height) : width_(width), height_(height) {
  if (width < 1 || height < 1 || width > kMaxSurfaceSide || height > kMaxSurfaceSide)
    throw std::invalid_argument("surface size out of range");
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (!bitmap_ || !bits) {
    if (dc_) DeleteDC(dc_);
    throw std::runtime_error("cannot create a device context on a DIB section");
  }
  bits_ = static_cast<const std::uint32_t*>(bits);
  initialBitmap_ = SelectObject(dc_, bitmap_);
  const RECT all{0, 0, width, height};
  ::FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  SelectObject(dc_, GetStockObject(BLACK_BRUSH));
  MakeDefaultFonts(height);
  SelectObject(dc_, DefaultFont(0));
  ::SetTextColor(dc_, RGB(0, 0, 0));
  ::SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::MoveToEx(dc_, 0, 0, nullptr);
}

GdiSurface::~GdiSurface() {
  // Stock objects back in, so the host's pens and font are never left selected.
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  SelectObject(dc_, initialBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

POINT GdiSurface::Position() const {
  POINT p{};
  GetCurrentPositionEx(dc_, &p);
  return p;
}

// The module's brushes are the host's records; each fill uses a real brush of
// their colour.
void GdiSurface::FillRect(const RECT& rc, COLORREF colour) {
  const HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc_, &rc, brush);
  ::DeleteObject(brush);
}

void GdiSurface::SelectPen(int index) {
  if (const HPEN pen = DefaultPen(index)) SelectObject(dc_, pen);
}

void GdiSurface::SelectFont(int index) {
  if (const HFONT font = DefaultFont(index)) SelectObject(dc_, font);
}

void GdiSurface::SelectStockObject(int object) {
  if (object == NULL_BRUSH || object == NULL_PEN) SelectObject(dc_, GetStockObject(object));
}

Image GdiSurface::Picture() const {
  GdiFlush();
  Image image{width_, height_, std::vector<unsigned char>(std::size_t(width_) * std::size_t(height_) * 3)};
  for (std::size_t i = 0; i < std::size_t(width_) * std::size_t(height_); ++i) {
    const std::uint32_t p = bits_[i];  // 0x00RRGGBB
    image.rgb[3 * i] = static_cast<unsigned char>(p >> 16);
    image.rgb[3 * i + 1] = static_cast<unsigned char>(p >> 8);
    image.rgb[3 * i + 2] = static_cast<unsigned char>(p);
  }
  return image;
}

std::unique_ptr<PageSurface> MakePageSurface(int width, int height) {
  return std::make_unique<GdiSurface>(width, height);
}

TEXTMETRICA GdiSurface::Font0() const {
  TEXTMETRICA metrics{};
  const HGDIOBJ selected = SelectObject(dc_, DefaultFont(0));
  GetTextMetricsA(dc_, &metrics);
  SelectObject(dc_, selected);
  return metrics;
}

}  // namespace sim
