#include "sim/windows/surface.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "sim/windows/gdi_objects.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace sim {
namespace {

constexpr int kMaxSide = 16384;

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

}  // namespace

GdiSurface::GdiSurface(int width, int height) : width_(width), height_(height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
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
  FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  SelectObject(dc_, GetStockObject(BLACK_BRUSH));
  SelectObject(dc_, DefaultFont(1));
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  MoveToEx(dc_, 0, 0, nullptr);
}

GdiSurface::~GdiSurface() {
  // Stock objects back in, so the host's pens and font are never left selected.
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  SelectObject(dc_, initialBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF GdiSurface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  const std::uint32_t p = bits_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool GdiSurface::WritePng(const std::string& path, std::string* error) const {
  GdiFlush();
  const std::size_t n = std::size_t(width_) * std::size_t(height_);
  std::vector<unsigned char> rgb(n * 3);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t p = bits_[i];  // 0x00RRGGBB
    rgb[3 * i] = static_cast<unsigned char>(p >> 16);
    rgb[3 * i + 1] = static_cast<unsigned char>(p >> 8);
    rgb[3 * i + 2] = static_cast<unsigned char>(p);
  }
  std::vector<unsigned char> png;
  if (!stbi_write_png_to_func(Append, &png, width_, height_, 3, rgb.data(), width_ * 3))
    return Fail(error, "cannot encode PNG");

  const std::string temp = path + ".part" + std::to_string(GetCurrentProcessId());
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return Fail(error, "cannot create " + temp);
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  if (std::fclose(file) != 0 || !written) {
    std::remove(temp.c_str());
    return Fail(error, "cannot write " + temp);
  }
  if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD e = GetLastError();
    std::remove(temp.c_str());
    return Fail(error, "cannot rename " + temp + " to " + path + ": error " + std::to_string(e));
  }
  return true;
}

}  // namespace sim
