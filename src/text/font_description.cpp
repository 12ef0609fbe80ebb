#include "text/font_description.h"

#include <algorithm>
#include <vector>

#include "core/file_io.h"
#include "core/line_tokenizer.h"
#include "core/settings_file.h"

namespace nb {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Reads "n,n,...,n" into out[0..count) the way a scanf pattern of %d fields
// joined by commas does: a field without digits or a missing comma stops the
// read, and the fields not reached keep their values.
void ReadCommaSeparated(const std::string& text, int32_t* out, int count) {
  size_t i = 0;
  for (int field = 0; field < count; ++field) {
    if (field > 0) {
      if (i >= text.size() || text[i] != ',') return;
      ++i;
    }
    while (i < text.size() && IsSpace(text[i])) ++i;
    size_t digitsStart = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t firstDigit = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == firstDigit) return;
    out[field] = LenientInt(text.substr(digitsStart, i - digitsStart));
  }
}

// A declared count that is negative or beyond the limit is not a size.
size_t DeclaredCount(const LineAttributes& attributes, const char* key, int limit) {
  const int count = AttributeInt(attributes, key);
  if (count < 0 || count > limit) return 0;
  return static_cast<size_t>(count);
}

}  // namespace

void ParseFontDescription(FontDescription& d, std::string_view text) {
  size_t kerningIndex = 0;
  std::string line;
  LineAttributes a;
  while (ReadTextLine(text, line)) {
    if (line.empty()) break;  // an empty line ends the file
    const std::string keyword = TokenizeLine(line, a);
    if (keyword == "info") {
      d.face = AttributeText(a, "face");
      d.size = AttributeInt(a, "size");
      d.bold = AttributeInt(a, "bold") != 0;
      d.italic = AttributeInt(a, "italic") != 0;
      d.charset = AttributeText(a, "charset");
      d.unicode = AttributeInt(a, "unicode") != 0;
      d.stretchH = AttributeInt(a, "stretchH");
      d.smooth = AttributeInt(a, "smooth") != 0;
      d.aa = AttributeInt(a, "aa");
      ReadCommaSeparated(AttributeText(a, "padding"), d.padding, 4);
      ReadCommaSeparated(AttributeText(a, "spacing"), d.spacing, 2);
    } else if (keyword == "common") {
      d.lineHeight = AttributeInt(a, "lineHeight");
      d.base = AttributeInt(a, "base");
      d.scaleW = AttributeInt(a, "scaleW");
      d.scaleH = AttributeInt(a, "scaleH");
      d.packed = AttributeInt(a, "packed");
      d.pageNames.resize(DeclaredCount(a, "pages", kMaxFontPages));
    } else if (keyword == "page") {
      const int id = AttributeInt(a, "id");
      if (id >= 0 && static_cast<size_t>(id) < d.pageNames.size())
        d.pageNames[static_cast<size_t>(id)] = AttributeText(a, "file");
    } else if (keyword == "char") {
      Glyph& g = d.glyphs[AttributeInt(a, "id")];
      g.x = AttributeInt(a, "x");
      g.y = AttributeInt(a, "y");
      g.width = AttributeInt(a, "width");
      g.height = AttributeInt(a, "height");
      g.xoffset = AttributeInt(a, "xoffset");
      g.yoffset = AttributeInt(a, "yoffset");
      g.xadvance = AttributeInt(a, "xadvance");
      g.page = AttributeInt(a, "page");
      g.chnl = AttributeInt(a, "chnl");
    } else if (keyword == "chars") {
      d.charsDeclared = AttributeInt(a, "count");
    } else if (keyword == "kernings") {
      d.kernings.resize(DeclaredCount(a, "count", kMaxKerningPairs));
    } else if (keyword == "kerning") {
      // The index never resets: pairs beyond the declared count are dropped.
      if (kerningIndex < d.kernings.size()) {
        KerningPair& k = d.kernings[kerningIndex];
        k.first = AttributeInt(a, "first");
        k.second = AttributeInt(a, "second");
        k.amount = AttributeInt(a, "amount");
      }
      ++kerningIndex;
    }
  }
  d.kerningLines = kerningIndex;
}

bool LoadFontDescriptionFile(FontDescription& description, const std::string& path) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, kMaxFontFileBytes)) return false;
  ParseFontDescription(description,
                       std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return true;
}

std::string FontDamage(const FontDescription& d) {
  if (d.lineHeight <= 0) return "no line height";
  if (d.pageNames.empty()) return "no page";
  for (const std::string& page : d.pageNames)
    if (page.empty()) return "a page without a file";
  if (d.glyphs.size() < static_cast<size_t>(std::max(d.charsDeclared, 1))) return "fewer chars than declared";
  if (d.kerningLines < d.kernings.size()) return "fewer kernings than declared";
  return "";
}

const Glyph* FindGlyph(const FontDescription& description, int32_t id) {
  auto it = description.glyphs.find(id);
  return it == description.glyphs.end() ? nullptr : &it->second;
}

int32_t KerningAmount(const FontDescription& description, int32_t first, int32_t second) {
  for (const KerningPair& k : description.kernings)
    if (k.first == first && k.second == second) return k.amount;
  return 0;
}

}  // namespace nb
