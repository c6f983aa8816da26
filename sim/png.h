// Saving a surface as a PNG image.
#pragma once

#include <string>

#include "host/export.h"

namespace sim {

class RasterSurface;

// Writes the surface as an 8-bit RGB PNG. The image goes to a temporary file
// beside path that is then renamed, so a failure leaves no partial file; on
// failure *error (when given) says why.
OAPIFUNC bool WritePng(const std::string& path, const RasterSurface& surface, std::string* error);

}  // namespace sim
