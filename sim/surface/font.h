// A monochrome bitmap font: glyphs rendered once with FreeType, drawn without allocating.
#pragma once

#include <cstdint>
#include <string>
#include <vector>


namespace sim {

class Font {
 public:
  struct Glyph {
    int left = 0;     // from the pen position to the bitmap's left column
    int top = 0;      // from the baseline up to the bitmap's top row
    int width = 0;    // bitmap columns
    int rows = 0;     // bitmap rows
    int advance = 0;  // pen movement in pixels
    std::size_t offset = 0;  // first byte in the bit store; rows of (width + 7) / 8 bytes, MSB first
    bool present = false;
  };

  // Renders the glyphs of bytes 0x20-0x7E and 0xA0-0xFF (Windows-1252, which is
  // Latin-1 there) at an em height of pixels. Other bytes have no glyph: they draw
  // nothing and take no room. Throws std::runtime_error when the file cannot be used.
  Font(const std::string& file, int pixels);

  // The glyph of a byte, or null.
  const Glyph* Find(unsigned char c) const { return glyphs_[c].present ? &glyphs_[c] : nullptr; }
  // A glyph's bitmap row: (width + 7) / 8 bytes, most significant bit first.
  const std::uint8_t* Row(const Glyph& g, int row) const {
    return bits_.data() + g.offset + std::size_t(row) * std::size_t((g.width + 7) / 8);
  }

  int Ascent() const { return ascent_; }             // cell top to baseline
  int CellHeight() const { return ascent_ + descent_; }
  int AverageCharWidth() const { return averageWidth_; }  // GDI's tmAveCharWidth
  // Sum of the advances of len bytes; 0 when len <= 0.
  int TextWidth(const char* text, int len) const;

 private:
  Glyph glyphs_[256];
  std::vector<std::uint8_t> bits_;
  int ascent_ = 0;
  int descent_ = 0;
  int averageWidth_ = 0;
};

// The host's default fonts 0 to 3 for a display displayHeight pixels high.
std::vector<Font> HostFonts(int displayHeight);

}  // namespace sim
