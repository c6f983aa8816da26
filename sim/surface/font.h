// A monochrome bitmap font: each glyph rendered with FreeType on first use and
// kept, so that drawing a glyph once rendered allocates nothing. Font files
// are read once per process. For one thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FT_FaceRec_;

namespace sim {

class Font {
 public:
  struct Glyph {
    int x = 0;        // from the pen position on the cell's top edge to the bitmap's left column
    int y = 0;        // and to its top row
    int width = 0;    // bitmap columns
    int rows = 0;     // bitmap rows
    int advance = 0;  // pen movement in pixels, along the text
    std::size_t offset = 0;  // first byte in the bit store; rows of (width + 7) / 8 bytes, MSB first
  };

  // Bytes 0x20-0x7E and 0xA0-0xFF (Windows-1252, which is Latin-1 there) have
  // glyphs at an em height of pixels; other bytes draw nothing and take no room.
  // Escapement 900 (tenths of a degree) turns the text a quarter left, to run
  // upwards with the cell to the right of the pen; any other runs left to right.
  // Throws std::runtime_error when the file cannot be used.
  Font(const std::string& file, int pixels, int escapement = 0);

  // The glyph of a byte, rendered now if it never was; null when it has none.
  const Glyph* Find(unsigned char c) const {
    if (kept_[c] == Kept::kNotYet) Render(c);
    return kept_[c] == Kept::kGlyph ? &glyphs_[c] : nullptr;
  }
  // A glyph's bitmap row: (width + 7) / 8 bytes, most significant bit first.
  const std::uint8_t* Row(const Glyph& g, int row) const {
    return bits_.data() + g.offset + std::size_t(row) * std::size_t((g.width + 7) / 8);
  }

  bool Upward() const { return upward_; }
  int Ascent() const { return ascent_; }             // cell top to baseline
  int CellHeight() const { return ascent_ + descent_; }
  int AverageCharWidth() const { return averageWidth_; }  // GDI's tmAveCharWidth
  // Sum of the advances of len bytes; 0 when len <= 0.
  int TextWidth(const char* text, int len) const;

  // Memory blocks the process's FreeType holds: its faces, sizes and glyph
  // slots among them, all released with the fonts that use them.
  static long FreeTypeBlocks();

 private:
  struct FaceCloser {
    void operator()(FT_FaceRec_* face) const;
  };
  enum class Kept : std::uint8_t { kNotYet, kGlyph, kNone };

  void Render(unsigned char c) const;

  std::unique_ptr<FT_FaceRec_, FaceCloser> face_;
  bool upward_ = false;
  int ascent_ = 0;
  int descent_ = 0;
  int averageWidth_ = 0;
  mutable Kept kept_[256] = {};
  mutable Glyph glyphs_[256];
  mutable std::vector<std::uint8_t> bits_;
};

// The host's default fonts 0 to 3 for a display displayHeight pixels high.
std::vector<Font> HostFonts(int displayHeight);

}  // namespace sim
