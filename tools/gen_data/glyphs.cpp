#include "glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>

namespace gen {

FontFace::FontFace(const std::string& path, int pixelSize) {
  if (FT_Init_FreeType(&library_) != 0) {
    library_ = nullptr;
    return;
  }
  if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
    face_ = nullptr;
    return;
  }
  FT_Set_Pixel_Sizes(face_, 0, pixelSize);
}

FontFace::~FontFace() {
  if (face_) FT_Done_Face(face_);
  if (library_) FT_Done_FreeType(library_);
}

bool FontFace::HasGlyph(uint32_t codepoint) const {
  return face_ && FT_Get_Char_Index(face_, codepoint) != 0;
}

FontFace::Glyph FontFace::Render(uint32_t codepoint) const {
  Glyph g;
  if (!face_) return g;
  if (FT_Load_Char(face_, codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return g;
  FT_GlyphSlot slot = face_->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  g.width = static_cast<int>(bm.width);
  g.height = static_cast<int>(bm.rows);
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  g.coverage.resize(size_t(g.width) * g.height);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x) g.coverage[size_t(y) * g.width + x] = bm.buffer[y * bm.pitch + x];
  return g;
}

int FontFace::Kerning(uint32_t first, uint32_t second) const {
  if (!face_ || !FT_HAS_KERNING(face_)) return 0;
  FT_Vector k;
  if (FT_Get_Kerning(face_, FT_Get_Char_Index(face_, first), FT_Get_Char_Index(face_, second),
                     FT_KERNING_DEFAULT, &k) != 0)
    return 0;
  return static_cast<int>(k.x >= 0 ? (k.x + 32) >> 6 : -((-k.x + 32) >> 6));
}

int FontFace::Ascender() const { return face_ ? int((face_->size->metrics.ascender + 32) >> 6) : 0; }

int FontFace::LineHeight() const { return face_ ? int((face_->size->metrics.height + 32) >> 6) : 0; }

int MeasureString(const FontFace& face, const std::u32string& text) {
  int width = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    width += face.Render(text[i]).advance;
    if (i + 1 < text.size()) width += face.Kerning(text[i], text[i + 1]);
  }
  return width;
}

void DrawString(Image& img, const FontFace& face, const std::u32string& text, float x, float baseline,
                Color c) {
  float pen = x;
  for (size_t i = 0; i < text.size(); ++i) {
    FontFace::Glyph g = face.Render(text[i]);
    int ox = int(std::lround(pen)) + g.left, oy = int(std::lround(baseline)) - g.top;
    for (int y = 0; y < g.height; ++y)
      for (int gx = 0; gx < g.width; ++gx) {
        float cover = g.coverage[size_t(y) * g.width + gx] / 255.0f;
        if (cover > 0) img.Blend(ox + gx, oy + y, c, cover);
      }
    pen += g.advance;
    if (i + 1 < text.size()) pen += face.Kerning(text[i], text[i + 1]);
  }
}

}  // namespace gen
