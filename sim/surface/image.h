// A page's pixels.
#pragma once

#include <vector>

namespace sim {

// 8-bit RGB triples, rows top to bottom.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

}  // namespace sim
