// Animated GIFs of a page, encoded frame by frame as they are made: the
// palette of the page's colours in order of first use, each frame after the
// first only where it changed, delays kept to the centisecond over the whole
// animation.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/program/output.h"
#include "sim/surface/image.h"

namespace sim {

class GifAnimation {
 public:
  // Writes to `out`, opened, which outlives the animation. Main thread.
  explicit GifAnimation(OutputFile& out) : out_(out) {}
  // Encodes a frame shown for `seconds`; every frame has the first one's
  // size. False with *error saying why, such as more than 256 colours.
  bool Add(const Image& frame, double seconds, std::string* error);
  // Ends the animation; the file is then complete.
  bool Finish(std::string* error);

 private:
  struct Closer {
    void operator()(GifFileType* gif) const;
  };
  bool Start(std::string* error);
  OutputFile& out_;
  std::unique_ptr<GifFileType, Closer> gif_;
  int width_ = 0, height_ = 0;
  std::size_t globalColours_ = 0;        // in the screen's colour table
  std::vector<std::uint32_t> palette_;  // 0xRRGGBB, in order of first use
  std::unordered_map<std::uint32_t, std::uint8_t> index_;
  std::vector<std::uint8_t> last_, now_;  // the previous and this frame's indices
  double seconds_ = 0;                  // shown so far
};

}  // namespace sim
