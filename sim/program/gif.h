// Animated GIFs of a page: one palette of the page's colours, each frame
// after the first only where it changed, delays kept to the centisecond over
// the whole animation.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/surface/image.h"

namespace sim {

class GifAnimation {
 public:
  // Adds a frame shown for `seconds`; every frame has the first one's size.
  // False when the frames hold more than 256 colours together.
  bool Add(const Image& frame, double seconds);
  // The animation, looping, written whole with WriteFileWhole; false with
  // *error saying why.
  bool Write(const std::string& path, std::string* error) const;

 private:
  struct Frame {
    int left, top, width, height;
    int delay;  // centiseconds
    std::vector<std::uint8_t> indices;  // rows of the changed box
  };
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> palette_;  // 0xRRGGBB, in order of first use
  std::unordered_map<std::uint32_t, std::uint8_t> index_;
  std::vector<std::uint8_t> last_;  // the previous frame's indices
  std::vector<Frame> frames_;
  double seconds_ = 0;  // shown so far
};

}  // namespace sim
