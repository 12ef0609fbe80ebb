#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace nb {

// Limits on what a font file may declare; larger counts are refused.
constexpr int kMaxFontPages = 256;
constexpr int kMaxKerningPairs = 1 << 18;
// A font file of every glyph and pair the limits allow stays far below this.
constexpr size_t kMaxFontFileBytes = 16u << 20;

// A glyph's rectangle in its page image (texels), where it sits relative to
// the pen, how far it moves the pen, and which page holds it.
struct Glyph {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t xoffset = 0;
  int32_t yoffset = 0;
  int32_t xadvance = 0;
  int32_t page = 0;
  int32_t chnl = 0;
};

// When character `second` follows `first`, `amount` is added to the advance.
struct KerningPair {
  int32_t first = 0;
  int32_t second = 0;
  int32_t amount = 0;
};

// Everything a bitmap-font text file says about its font.
struct FontDescription {
  // info
  std::string face;
  int32_t size = 0;
  bool bold = false;
  bool italic = false;
  std::string charset;
  bool unicode = false;
  int32_t stretchH = 0;
  bool smooth = false;
  int32_t aa = 0;
  int32_t padding[4] = {0, 0, 0, 0};
  int32_t spacing[2] = {0, 0};
  // common
  int32_t lineHeight = 0;
  int32_t base = 0;
  int32_t scaleW = 0;
  int32_t scaleH = 0;
  int32_t packed = 0;
  // page file names by page id, as written in the file
  std::vector<std::string> pageNames;
  std::map<int32_t, Glyph> glyphs;
  std::vector<KerningPair> kernings;  // in file order
  // What the file declared against what it held, to tell a cut-off file.
  int32_t charsDeclared = 0;
  size_t kerningLines = 0;
};

// Reads the lines `info`, `common`, `page`, `char`, `kernings` and `kerning`
// until the text ends, an empty line comes, or a line is too long for the
// game's 500-byte line buffer. Page ids outside the declared page count and
// kerning lines beyond the declared kerning count are ignored.
void ParseFontDescription(FontDescription& description, std::string_view text);
// The same on a file of at most kMaxFontFileBytes; false when it cannot be
// read (the description is then left as it was).
bool LoadFontDescriptionFile(FontDescription& description, const std::string& path);

// Why the description cannot be a whole font ("" when it can): no line
// height, no page or a page without a file, or fewer chars or kernings than
// the file declared.
std::string FontDamage(const FontDescription& description);

// The glyph for a character id, or null.
const Glyph* FindGlyph(const FontDescription& description, int32_t id);

// The amount of the first kerning pair (first, second) in file order, or 0.
int32_t KerningAmount(const FontDescription& description, int32_t first, int32_t second);

}  // namespace nb
