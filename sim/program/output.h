// Output files written whole or not at all.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

#include "sim/surface/image.h"

namespace sim {

// A file written under a temporary name beside its target (the file a
// symbolic link names), put in place whole by Commit. The temporary file is
// removed when not committed, and on SIGINT or SIGTERM. Main thread only.
class OutputFile {
 public:
  explicit OutputFile(std::string path) : path_(std::move(path)) {}
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();
  bool Open(std::string* error);
  void Append(std::string_view bytes) { out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }
  // Closes the temporary file; false when it could not be written whole.
  bool Finish(std::string* error);
  // Replaces the target with the finished file.
  bool Commit(std::string* error);

 private:
  std::string path_, temp_;
  std::ofstream out_;
  int slot_ = -1;  // in the table of temporary files a signal removes
};

// Writes bytes to a temporary file beside path, then renames it into place;
// on failure nothing is left behind and *error (when given) says why.
bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string* error);

// The image as a PNG file's bytes; false when it cannot be encoded.
bool EncodePng(const Image& image, std::string* png);

// Encodes the image as a PNG and writes it with WriteFileWhole.
bool WritePng(const std::string& path, const Image& image, std::string* error);

}  // namespace sim
