#include "sim/program/output.h"

#include <cstdio>
#include <filesystem>
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

OutputFile::~OutputFile() {
  if (temp_.empty()) return;
  out_.close();
  std::remove(temp_.c_str());
}

bool OutputFile::Open(std::string* error) {
  std::random_device random;
  temp_ = path_ + ".tmp" + std::to_string(random());
  out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (out_) return true;
  const std::string why = "cannot create " + temp_;
  temp_.clear();
  return Fail(error, why);
}

bool OutputFile::Commit(std::string* error) {
  out_.close();
  if (!out_) return Fail(error, "cannot write " + temp_);
  if (!Replace(temp_, path_)) return Fail(error, "cannot rename " + temp_ + " to " + path_);
  temp_.clear();
  return true;
}

bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string* error) {
  OutputFile file(path);
  if (!file.Open(error)) return false;
  file.Append(bytes);
  return file.Commit(error);
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
