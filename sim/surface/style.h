// The stand-in host's look: default pens, font and title.
#pragma once

#include <cstdint>

namespace sim {

// 0x00BBGGRR, as GDI's COLORREF.
constexpr std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return std::uint32_t{r} | std::uint32_t{g} << 8 | std::uint32_t{b} << 16;
}

// Host default pens 1 to 3: solid, one pixel wide, visible on black, white and grey.
constexpr std::uint32_t kDefaultPens[3] = {Rgb(0, 128, 255), Rgb(255, 128, 0), Rgb(255, 0, 255)};

// Title: colour and top-left reference point in pixels.
constexpr std::uint32_t kTitleColour = Rgb(128, 224, 255);
constexpr int kTitleX = 2;
constexpr int kTitleY = 1;

// Host default font 1: a small sans face, drawn without anti-aliasing.
constexpr const char* kDefaultFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kDefaultFontPixels = 9;

}  // namespace sim
