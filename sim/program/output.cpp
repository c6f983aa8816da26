#include "sim/program/output.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <windows.h>
#endif

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace sim {
namespace {

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

// Replaces target with source, whether or not target exists.
bool Replace(const std::string& source, const std::string& target) {
#ifdef _WIN32
  return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(source.c_str(), target.c_str()) == 0;
#endif
}

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::string*>(context);
  out->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

}  // namespace

bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string* error) {
  std::random_device random;
  const std::string temp = path + ".tmp" + std::to_string(random());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return Fail(error, "cannot create " + temp);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      return Fail(error, "cannot write " + temp);
    }
  }
  if (!Replace(temp, path)) {
    std::remove(temp.c_str());
    return Fail(error, "cannot rename " + temp + " to " + path);
  }
  return true;
}

bool WritePng(const std::string& path, const Image& image, std::string* error) {
  std::string png;
  if (image.width < 1 || image.height < 1 ||
      image.rgb.size() != std::size_t(image.width) * std::size_t(image.height) * 3 ||
      !stbi_write_png_to_func(Append, &png, image.width, image.height, 3, image.rgb.data(), image.width * 3))
    return Fail(error, "cannot encode PNG");
  return WriteFileWhole(path, png, error);
}

}  // namespace sim
