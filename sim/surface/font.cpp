#include "sim/surface/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

#include "sim/core/look.h"

namespace sim {

namespace {

int RoundPixels(FT_Pos v) { return int((v + 32) >> 6); }  // 26.6 to pixels

bool HasGlyph(unsigned c) { return (c >= 0x20 && c <= 0x7E) || c >= 0xA0; }

// FreeType's memory, its blocks counted.
long freeTypeBlocks = 0;
void* Allocate(FT_Memory, long size) {
  void* block = std::malloc(std::size_t(size));
  freeTypeBlocks += block != nullptr;
  return block;
}
void Release(FT_Memory, void* block) {
  freeTypeBlocks -= block != nullptr;
  std::free(block);
}
void* Reallocate(FT_Memory, long, long size, void* block) {
  void* moved = std::realloc(block, std::size_t(size));
  freeTypeBlocks += (moved != nullptr) - (block != nullptr);
  return moved;
}

// The process's FreeType and the font files it has read, kept to its end.
FT_Library Library() {
  static FT_MemoryRec_ memory{nullptr, Allocate, Release, Reallocate};
  static const FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_New_Library(&memory, &lib)) throw std::runtime_error("FreeType did not start");
    FT_Add_Default_Modules(lib);
    return lib;
  }();
  return library;
}

const std::vector<FT_Byte>& FileBytes(const std::string& file) {
  static auto& files = *new std::map<std::string, std::vector<FT_Byte>>;
  if (const auto kept = files.find(file); kept != files.end()) return kept->second;
  std::ifstream in(file, std::ios::binary);
  std::vector<FT_Byte> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) bytes.clear();
  if (bytes.empty()) throw std::runtime_error("cannot load font " + file);
  return files.emplace(file, std::move(bytes)).first->second;
}

}  // namespace

void Font::FaceCloser::operator()(FT_FaceRec_* face) const { FT_Done_Face(face); }

long Font::FreeTypeBlocks() { return freeTypeBlocks; }

Font::Font(const std::string& file, int pixels, int escapement) : upward_(escapement == 900) {
  const std::vector<FT_Byte>& bytes = FileBytes(file);
  FT_Face raw_face = nullptr;
  if (FT_New_Memory_Face(Library(), bytes.data(), FT_Long(bytes.size()), 0, &raw_face))
    throw std::runtime_error("cannot load font " + file);
  face_.reset(raw_face);
  if (FT_Set_Pixel_Sizes(raw_face, 0, FT_UInt(pixels))) throw std::runtime_error("cannot size font " + file);

  // Cell and average width from the Windows metrics when the face has them, as GDI does.
  const FT_Size_Metrics& m = raw_face->size->metrics;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(raw_face, FT_SFNT_OS2))) {
    ascent_ = RoundPixels(FT_MulFix(os2->usWinAscent, m.y_scale));
    descent_ = RoundPixels(FT_MulFix(os2->usWinDescent, m.y_scale));
    averageWidth_ = RoundPixels(FT_MulFix(os2->xAvgCharWidth, m.x_scale));
  } else {
    ascent_ = RoundPixels(m.ascender);
    descent_ = RoundPixels(-m.descender);
    averageWidth_ = RoundPixels(m.max_advance) / 2;
  }
}

void Font::Render(unsigned char c) const {
  kept_[c] = Kept::kNone;
  if (!HasGlyph(c) || FT_Load_Char(face_.get(), c, FT_LOAD_TARGET_MONO) ||
      FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_MONO))
    return;
  const FT_GlyphSlot slot = face_->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.pixel_mode != FT_PIXEL_MODE_MONO && bm.rows) return;
  const int width = int(bm.width), rows = int(bm.rows), advance = RoundPixels(slot->advance.x);
  const std::size_t offset = bits_.size();
  Glyph& g = glyphs_[c];
  if (!upward_) {
    g = {slot->bitmap_left, ascent_ - slot->bitmap_top, width, rows, advance, offset};
    for (int row = 0; row < rows; ++row) {
      const unsigned char* src = bm.buffer + row * bm.pitch;
      bits_.insert(bits_.end(), src, src + (width + 7) / 8);
    }
  } else {
    // Turned a quarter left: the glyph's row r becomes column r and its column
    // k row width - 1 - k. The bitmap starts its depth below the cell's top to
    // the right of the pen, and its left bearing plus width above the pen.
    g = {ascent_ - slot->bitmap_top, -slot->bitmap_left - width, rows, width, advance, offset};
    const std::size_t pitch = std::size_t(rows + 7) / 8;
    bits_.resize(offset + pitch * std::size_t(width));
    for (int row = 0; row < width; ++row) {
      std::uint8_t* dst = bits_.data() + offset + std::size_t(row) * pitch;
      for (int col = 0; col < rows; ++col)
        if (bm.buffer[col * bm.pitch + ((width - 1 - row) >> 3)] & (0x80 >> ((width - 1 - row) & 7)))
          dst[col >> 3] |= std::uint8_t(0x80 >> (col & 7));
    }
  }
  kept_[c] = Kept::kGlyph;
}

int Font::TextWidth(const char* text, int len) const {
  long long width = 0;
  for (int i = 0; text && i < len; ++i)
    if (const Glyph* g = Find(static_cast<unsigned char>(text[i]))) width += g->advance;
  return width > 0x7fffffff ? 0x7fffffff : int(width);
}

std::vector<Font> HostFonts(int displayHeight) {
  std::vector<Font> fonts;
  for (const FontStyle& style : kDefaultFonts)
    fonts.emplace_back(style.file, FontHeight(style, displayHeight), style.escapement);
  return fonts;
}

}  // namespace sim
