#include "sim/program/gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "sim/program/output.h"

namespace sim {
namespace {

int Centiseconds(double seconds) { return static_cast<int>(std::llround(seconds * 100)); }

int Append(GifFileType* gif, const GifByteType* bytes, int n) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(n));
  return n;
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};

// The application extension that makes viewers loop forever.
bool PutLoop(GifFileType* gif) {
  static const GifByteType kName[] = "NETSCAPE2.0";
  static const GifByteType kForever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, kName) == GIF_OK && EGifPutExtensionBlock(gif, 3, kForever) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

}  // namespace

bool GifAnimation::Add(const Image& frame, double seconds) {
  const std::size_t n = std::size_t(frame.width) * std::size_t(frame.height);
  std::vector<std::uint8_t> indices(n);
  std::uint32_t last = 0xFFFFFFFF;  // pixels come in runs of a colour: look each run up once
  std::uint8_t index = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t rgb = std::uint32_t(frame.rgb[3 * i]) << 16 | std::uint32_t(frame.rgb[3 * i + 1]) << 8 |
                              frame.rgb[3 * i + 2];
    if (rgb != last) {
      auto [at, added] = index_.try_emplace(rgb, static_cast<std::uint8_t>(palette_.size()));
      if (added) {
        if (palette_.size() == 256) return false;
        palette_.push_back(rgb);
      }
      last = rgb;
      index = at->second;
    }
    indices[i] = index;
  }
  // The box of pixels that changed; at least one pixel, so that the frame carries its delay.
  int l = 0, t = 0, r = frame.width, b = frame.height;
  if (frames_.empty()) {
    width_ = frame.width;
    height_ = frame.height;
  } else {
    l = width_, t = height_, r = 0, b = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (indices[std::size_t(y) * width_ + x] != last_[std::size_t(y) * width_ + x])
          l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
    if (r == 0) l = 0, t = 0, r = 1, b = 1;
  }
  Frame f{l, t, r - l, b - t, Centiseconds(seconds_ + seconds) - Centiseconds(seconds_), {}};
  for (int y = t; y < b; ++y)
    f.indices.insert(f.indices.end(), indices.begin() + std::ptrdiff_t(y) * width_ + l,
                     indices.begin() + std::ptrdiff_t(y) * width_ + r);
  frames_.push_back(std::move(f));
  last_ = std::move(indices);
  seconds_ += seconds;
  return true;
}

bool GifAnimation::Write(const std::string& path, std::string* error) const {
  std::string bytes;
  int code = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&bytes, Append, &code));
  const auto failed = [&] {
    if (error) *error = std::string("cannot encode the GIF: ") + GifErrorString(gif ? gif->Error : code);
    return false;
  };
  if (!gif) return failed();
  EGifSetGifVersion(gif.get(), true);
  int bits = 1;
  while ((1u << bits) < palette_.size()) ++bits;
  std::vector<GifColorType> colours(std::size_t(1) << bits, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < palette_.size(); ++i)
    colours[i] = {GifByteType(palette_[i] >> 16), GifByteType(palette_[i] >> 8), GifByteType(palette_[i])};
  const std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
      GifMakeMapObject(int(colours.size()), colours.data()), GifFreeMapObject);
  if (!map || EGifPutScreenDesc(gif.get(), width_, height_, bits, 0, map.get()) != GIF_OK || !PutLoop(gif.get()))
    return failed();
  for (const Frame& f : frames_) {
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, f.delay, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const std::size_t n = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, int(n), extension) != GIF_OK ||
        EGifPutImageDesc(gif.get(), f.left, f.top, f.width, f.height, false, nullptr) != GIF_OK)
      return failed();
    for (int y = 0; y < f.height; ++y)
      if (EGifPutLine(gif.get(), const_cast<GifByteType*>(f.indices.data() + std::size_t(y) * f.width), f.width) !=
          GIF_OK)
        return failed();
  }
  GifFileType* raw = gif.release();
  if (EGifCloseFile(raw, &code) != GIF_OK) return failed();
  return WriteFileWhole(path, bytes, error);
}

}  // namespace sim
