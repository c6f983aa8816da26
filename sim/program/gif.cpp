#include "sim/program/gif.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

int Centiseconds(double seconds) { return static_cast<int>(std::llround(seconds * 100)); }

int Write(GifFileType* gif, const GifByteType* bytes, int n) {
  static_cast<OutputFile*>(gif->UserData)
      ->Append(std::string_view(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(n)));
  return n;
}

// The application extension that makes viewers loop forever.
bool PutLoop(GifFileType* gif) {
  static const GifByteType kName[] = "NETSCAPE2.0";
  static const GifByteType kForever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, kName) == GIF_OK && EGifPutExtensionBlock(gif, 3, kForever) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

// A colour table of the palette, padded to a power of two entries.
std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> Map(const std::vector<std::uint32_t>& palette) {
  int bits = 1;
  while ((1u << bits) < palette.size()) ++bits;
  std::vector<GifColorType> colours(std::size_t(1) << bits, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < palette.size(); ++i)
    colours[i] = {GifByteType(palette[i] >> 16), GifByteType(palette[i] >> 8), GifByteType(palette[i])};
  return {GifMakeMapObject(int(colours.size()), colours.data()), GifFreeMapObject};
}

}  // namespace

void GifAnimation::Closer::operator()(GifFileType* gif) const {
  int error = 0;
  EGifCloseFile(gif, &error);
}

bool GifAnimation::Start(std::string* error) {
  int code = 0;
  gif_.reset(EGifOpen(&out_, Write, &code));
  const auto map = Map(palette_);
  globalColours_ = map ? std::size_t(map->ColorCount) : 0;
  if (gif_) EGifSetGifVersion(gif_.get(), true);
  if (gif_ && map && EGifPutScreenDesc(gif_.get(), width_, height_, map->BitsPerPixel, 0, map.get()) == GIF_OK &&
      PutLoop(gif_.get()))
    return true;
  *error = std::string("cannot encode the GIF: ") + GifErrorString(gif_ ? gif_->Error : code);
  return false;
}

bool GifAnimation::Add(const Image& frame, double seconds, std::string* error) {
  const std::size_t n = std::size_t(frame.width) * std::size_t(frame.height);
  now_.resize(n);
  std::uint32_t last = 0xFFFFFFFF;  // pixels come in runs of a colour: look each run up once
  std::uint8_t index = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t rgb = std::uint32_t(frame.rgb[3 * i]) << 16 | std::uint32_t(frame.rgb[3 * i + 1]) << 8 |
                              frame.rgb[3 * i + 2];
    if (rgb != last) {
      auto [at, added] = index_.try_emplace(rgb, static_cast<std::uint8_t>(palette_.size()));
      if (added) {
        if (palette_.size() == 256) {
          *error = "the page holds more than 256 colours";
          return false;
        }
        palette_.push_back(rgb);
      }
      last = rgb;
      index = at->second;
    }
    now_[i] = index;
  }
  // The box of pixels that changed; at least one pixel, so that the frame carries its delay.
  int l = 0, t = 0, r = frame.width, b = frame.height;
  if (!gif_) {
    width_ = frame.width;
    height_ = frame.height;
    if (!Start(error)) return false;
  } else {
    l = width_, t = height_, r = 0, b = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (now_[std::size_t(y) * width_ + x] != last_[std::size_t(y) * width_ + x])
          l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
    if (r == 0) l = 0, t = 0, r = 1, b = 1;
  }
  // Colours past the screen's table come with a table of the frame's own.
  std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> local(nullptr, GifFreeMapObject);
  if (palette_.size() > globalColours_) local = Map(palette_);
  GraphicsControlBlock control{DISPOSE_DO_NOT, false, Centiseconds(seconds_ + seconds) - Centiseconds(seconds_),
                               NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  const std::size_t size = EGifGCBToExtension(&control, extension);
  bool ok = EGifPutExtension(gif_.get(), GRAPHICS_EXT_FUNC_CODE, int(size), extension) == GIF_OK &&
            EGifPutImageDesc(gif_.get(), l, t, r - l, b - t, false, local.get()) == GIF_OK;
  for (int y = t; ok && y < b; ++y) ok = EGifPutLine(gif_.get(), now_.data() + std::size_t(y) * width_ + l, r - l) == GIF_OK;
  if (!ok) {
    *error = std::string("cannot encode the GIF: ") + GifErrorString(gif_->Error);
    return false;
  }
  last_.swap(now_);
  seconds_ += seconds;
  return true;
}

bool GifAnimation::Finish(std::string* error) {
  int code = 0;
  if (gif_ && EGifCloseFile(gif_.release(), &code) != GIF_OK) {
    *error = std::string("cannot encode the GIF: ") + GifErrorString(code);
    return false;
  }
  return true;
}

}  // namespace sim
