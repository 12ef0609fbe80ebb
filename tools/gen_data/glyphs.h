#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace gen {

// One TrueType face at one pixel size, rasterised with FreeType.
class FontFace {
 public:
  FontFace(const std::string& path, int pixelSize);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  bool ok() const { return face_ != nullptr; }
  bool HasGlyph(uint32_t codepoint) const;

  struct Glyph {
    int width = 0, height = 0;  // bitmap size
    int left = 0, top = 0;      // bitmap origin from the pen (top is upwards)
    int advance = 0;
    std::vector<uint8_t> coverage;  // width * height, row by row
  };
  Glyph Render(uint32_t codepoint) const;
  int Kerning(uint32_t first, uint32_t second) const;  // pixels, 0 when none
  int Ascender() const;
  int LineHeight() const;

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// Width in pixels of a line of text, kerning included.
int MeasureString(const FontFace& face, const std::u32string& text);
// Draws one line with its baseline at y, starting at x.
void DrawString(Image& img, const FontFace& face, const std::u32string& text, float x, float baseline,
                Color c);

}  // namespace gen
