// Output files written whole or not at all.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

#include "sim/surface/image.h"

namespace sim {

// A file written under a temporary name beside its target, put in place whole
// by Commit; the temporary file is removed when not committed.
class OutputFile {
 public:
  explicit OutputFile(std::string path) : path_(std::move(path)) {}
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();
  bool Open(std::string* error);
  void Append(std::string_view bytes) { out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }
  bool Commit(std::string* error);

 private:
  std::string path_, temp_;
  std::ofstream out_;
};

// Writes bytes to a temporary file beside path, then renames it into place;
// on failure nothing is left behind and *error (when given) says why.
bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string* error);

// Encodes the image as a PNG and writes it with WriteFileWhole.
bool WritePng(const std::string& path, const Image& image, std::string* error);

}  // namespace sim
