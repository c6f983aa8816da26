#include "sim/surface/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <memory>
#include <stdexcept>

#include "sim/surface/style.h"

namespace sim {

namespace {

struct LibraryCloser {
  void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

int RoundPixels(FT_Pos v) { return int((v + 32) >> 6); }  // 26.6 to pixels

bool HasGlyph(unsigned c) { return (c >= 0x20 && c <= 0x7E) || c >= 0xA0; }

}  // namespace

Font::Font(const std::string& file, int pixels) {
  FT_Library raw_lib = nullptr;
  if (FT_Init_FreeType(&raw_lib)) throw std::runtime_error("FreeType did not start");
  std::unique_ptr<FT_LibraryRec_, LibraryCloser> lib(raw_lib);
  FT_Face raw_face = nullptr;
  if (FT_New_Face(lib.get(), file.c_str(), 0, &raw_face)) throw std::runtime_error("cannot load font " + file);
  std::unique_ptr<FT_FaceRec_, FaceCloser> face(raw_face);
  if (FT_Set_Pixel_Sizes(face.get(), 0, FT_UInt(pixels))) throw std::runtime_error("cannot size font " + file);

  // Cell and average width from the Windows metrics when the face has them, as GDI does.
  const FT_Size_Metrics& m = face->size->metrics;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face.get(), FT_SFNT_OS2))) {
    ascent_ = RoundPixels(FT_MulFix(os2->usWinAscent, m.y_scale));
    descent_ = RoundPixels(FT_MulFix(os2->usWinDescent, m.y_scale));
    averageWidth_ = RoundPixels(FT_MulFix(os2->xAvgCharWidth, m.x_scale));
  } else {
    ascent_ = RoundPixels(m.ascender);
    descent_ = RoundPixels(-m.descender);
    averageWidth_ = RoundPixels(m.max_advance) / 2;
  }

  for (unsigned c = 0; c < 256; ++c) {
    if (!HasGlyph(c)) continue;
    if (FT_Load_Char(face.get(), c, FT_LOAD_TARGET_MONO) ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO))
      continue;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO && bm.rows) continue;
    Glyph& g = glyphs_[c];
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = int(bm.width);
    g.rows = int(bm.rows);
    g.advance = RoundPixels(slot->advance.x);
    g.offset = bits_.size();
    g.present = true;
    const int pitch = (g.width + 7) / 8;
    for (int row = 0; row < g.rows; ++row) {
      const unsigned char* src = bm.buffer + row * bm.pitch;
      bits_.insert(bits_.end(), src, src + pitch);
    }
  }
}

int Font::TextWidth(const char* text, int len) const {
  long long width = 0;
  for (int i = 0; text && i < len; ++i)
    if (const Glyph* g = Find(static_cast<unsigned char>(text[i]))) width += g->advance;
  return width > 0x7fffffff ? 0x7fffffff : int(width);
}

std::vector<Font> HostFonts(int displayHeight) {
  std::vector<Font> fonts;
  for (const FontStyle& style : kDefaultFonts) fonts.emplace_back(style.file, FontHeight(style, displayHeight));
  return fonts;
}

}  // namespace sim
