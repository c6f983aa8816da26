// The host's own look, as the real host's: default pens, default fonts and
// the title. Plain values, for every platform's surface.
#pragma once

#include <cstdint>

namespace sim {

// 0x00BBGGRR, as GDI's COLORREF.
constexpr std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return std::uint32_t{r} | std::uint32_t{g} << 8 | std::uint32_t{b} << 16;
}

// Default pens 0 to 5: solid, one pixel wide.
constexpr std::uint32_t kDefaultPens[6] = {Rgb(0, 255, 0),   Rgb(0, 255, 0), Rgb(0, 128, 0),
                                           Rgb(128, 128, 0), Rgb(64, 64, 0), Rgb(128, 128, 128)};

// The title's colour; it stands at (cw / 2, 0), cw being font 0's average
// character width.
constexpr std::uint32_t kTitleColour = Rgb(224, 224, 224);

// Default fonts 0 to 3, all of normal weight. On a display IH pixels high,
// with h = IH * 9 / 200, each font's character height (GDI's negative
// lfHeight) is h * scale, in integers. Arial and Courier New are drawn with
// the metric-compatible Liberation faces, not antialiased.
struct FontStyle {
  const char* face;  // what the host asks GDI for
  const char* file;  // the face drawn here
  int scaleNumerator, scaleDenominator;
  int escapement;  // tenths of a degree, GDI's escapement and orientation
};
constexpr FontStyle kDefaultFonts[4] = {
    {"Courier New", "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf", 1, 1, 0},
    {"Arial", "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", 3, 4, 0},
    {"Arial", "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", 3, 4, 900},  // text runs upwards
    {"Arial", "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", 1, 1, 0},
};

// Character height in pixels of a default font on a display displayHeight
// pixels high; at least 1, where GDI would fall back to a default size.
constexpr int FontHeight(const FontStyle& font, int displayHeight) {
  const int h = displayHeight * 9 / 200 * font.scaleNumerator / font.scaleDenominator;
  return h > 0 ? h : 1;
}

}  // namespace sim
