// Output files written whole or not at all.
#pragma once

#include <string>
#include <string_view>

#include "sim/surface/image.h"

namespace sim {

// Writes bytes to a temporary file beside path, then renames it into place;
// on failure nothing is left behind and *error (when given) says why.
bool WriteFileWhole(const std::string& path, std::string_view bytes, std::string* error);

// Encodes the image as a PNG and writes it with WriteFileWhole.
bool WritePng(const std::string& path, const Image& image, std::string* error);

}  // namespace sim
