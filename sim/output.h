// Output files written whole or not at all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/export.h"

namespace sim {

// Pixels as 8-bit RGB triples, rows top to bottom.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

// Writes bytes to a temporary file beside path, then renames it into place;
// on failure nothing is left behind and *error (when given) says why.
OAPIFUNC bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string* error);

// Encodes the image as a PNG and writes it with WriteFileWhole.
OAPIFUNC bool WritePng(const std::string& path, const Image& image, std::string* error);

}  // namespace sim
