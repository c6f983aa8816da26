#include "sim/program/output.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
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

// Temporary files being written, for a signal handler to remove: fixed slots
// of NUL-terminated names, set and cleared by the main thread only.
constexpr int kSlots = 8;
constexpr std::size_t kMaxName = 4096;
char temporaries[kSlots][kMaxName];
volatile std::sig_atomic_t used[kSlots];

extern "C" void RemoveTemporaries(int signal) {
  for (int i = 0; i < kSlots; ++i)
    if (used[i])
#ifdef _WIN32
      _unlink(temporaries[i]);
#else
      unlink(temporaries[i]);
#endif
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

int Register(const std::string& name) {
  static const bool installed = [] {
    std::signal(SIGINT, RemoveTemporaries);
    std::signal(SIGTERM, RemoveTemporaries);
    return true;
  }();
  (void)installed;
  if (name.size() >= kMaxName) return -1;
  for (int i = 0; i < kSlots; ++i)
    if (!used[i]) {
      std::memcpy(temporaries[i], name.c_str(), name.size() + 1);
      used[i] = 1;
      return i;
    }
  return -1;
}

void Unregister(int* slot) {
  if (*slot >= 0) used[*slot] = 0;
  *slot = -1;
}

}  // namespace

OutputFile::~OutputFile() {
  if (temp_.empty()) return;
  out_.close();
  std::remove(temp_.c_str());
  Unregister(&slot_);
}

bool OutputFile::Open(std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_symlink(path_, ec)) {
    const std::filesystem::path target = std::filesystem::canonical(path_, ec);
    if (!ec) path_ = target.string();
  }
  std::random_device random;
  temp_ = path_ + ".tmp" + std::to_string(random());
  slot_ = Register(temp_);
  out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (out_) return true;
  const std::string why = "cannot create " + temp_ + ": " + std::strerror(errno);
  temp_.clear();
  Unregister(&slot_);
  return Fail(error, why);
}

bool OutputFile::Finish(std::string* error) {
  if (out_.is_open()) out_.close();
  return out_ ? true : Fail(error, "cannot write " + temp_);
}

bool OutputFile::Commit(std::string* error) {
  if (!Finish(error)) return false;
  if (!Replace(temp_, path_)) return Fail(error, "cannot rename " + temp_ + " to " + path_);
  temp_.clear();
  Unregister(&slot_);
  return true;
}

bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string* error) {
  OutputFile file(path);
  if (!file.Open(error)) return false;
  file.Append(bytes);
  return file.Commit(error);
}

bool EncodePng(const Image& image, std::string* png) {
  return image.width >= 1 && image.height >= 1 &&
         image.rgb.size() == std::size_t(image.width) * std::size_t(image.height) * 3 &&
         stbi_write_png_to_func(Append, png, image.width, image.height, 3, image.rgb.data(), image.width * 3);
}

bool WritePng(const std::string& path, const Image& image, std::string* error) {
  std::string png;
  if (!EncodePng(image, &png)) return Fail(error, "cannot encode PNG");
  return WriteFileWhole(path, png, error);
}

}  // namespace sim
