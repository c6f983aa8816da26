#include "sim/png.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <unistd.h>

#include "sim/raster_surface.h"

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

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool WritePng(const std::string& path, const RasterSurface& surface, std::string* error) {
  const int w = surface.Width(), h = surface.Height();
  std::vector<unsigned char> rgb(std::size_t(w) * std::size_t(h) * 3);
  for (std::size_t i = 0; i < std::size_t(w) * std::size_t(h); ++i) {
    const COLORREF c = surface.Data()[i];  // 0x00BBGGRR
    rgb[3 * i] = static_cast<unsigned char>(c);
    rgb[3 * i + 1] = static_cast<unsigned char>(c >> 8);
    rgb[3 * i + 2] = static_cast<unsigned char>(c >> 16);
  }
  std::vector<unsigned char> png;
  if (!stbi_write_png_to_func(Append, &png, w, h, 3, rgb.data(), w * 3)) return Fail(error, "cannot encode PNG");

  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return Fail(error, "cannot create " + temp + ": " + std::strerror(errno));
  std::FILE* file = fdopen(fd, "wb");
  if (!file) {
    const int e = errno;
    close(fd);
    std::remove(temp.c_str());
    return Fail(error, "cannot open " + temp + ": " + std::strerror(e));
  }
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  const int e = errno;
  if (std::fclose(file) != 0 || !written) {
    std::remove(temp.c_str());
    return Fail(error, "cannot write " + temp + ": " + std::strerror(written ? errno : e));
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int r = errno;
    std::remove(temp.c_str());
    return Fail(error, "cannot rename " + temp + " to " + path + ": " + std::strerror(r));
  }
  return true;
}

}  // namespace sim
