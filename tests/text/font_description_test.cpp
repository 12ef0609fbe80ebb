#include "text/font_description.h"

#include <gtest/gtest.h>

#include "text/text_drawing.h"

namespace nb {
namespace {

using Ints = std::vector<int32_t>;
using Strings = std::vector<std::string>;

FontDescription Parse(const std::string& text) {
  FontDescription d;
  ParseFontDescription(d, text);
  return d;
}
Ints Fields(const Glyph& g) {
  return {g.x, g.y, g.width, g.height, g.xoffset, g.yoffset, g.xadvance, g.page, g.chnl};
}

// (A line too long for the line buffer ends the file too: see ReadTextLine.)
TEST(FontDescription, ReadsEveryLineALaterCharLineOverwritesAndABlankLineEnds) {
  FontDescription d = Parse(
      "info face=\"Quill Serif\" size=32 bold=2 padding=1,2,3,4 spacing=-1,0\n"
      "common lineHeight=36 base=29 scaleW=256 scaleH=128 pages=2 packed=0\n"
      "page id=0 file=\"data/fonts/q_0.png\"\npage id=1 file=\"data/fonts/q 1.png\"\nchars count=900\n"
      "char id=65 x=1 y=2 width=20 height=24 xadvance=19\n"
      "char id=86   x=30 y=2 width=21 height=24 xoffset=-1 yoffset=5 xadvance=20 page=1 chnl=15\n"
      "char id=32 xadvance=8\nchar id=65 x=7 width=5\nkernings count=3\n"
      "kerning first=65 second=86 amount=-2\nkerning first=86 second=65 amount=-3\n\n"
      "char id=66 xadvance=4\nkerning first=66 second=65 amount=-5\n");
  EXPECT_EQ(d.face, "Quill Serif");
  EXPECT_EQ((Ints{d.size, d.lineHeight, d.scaleW, d.scaleH}), (Ints{32, 36, 256, 128}));
  EXPECT_EQ(d.pageNames, (Strings{"data/fonts/q_0.png", "data/fonts/q 1.png"}));
  // The chars count changes nothing; nothing after the blank line is read.
  ASSERT_EQ(d.glyphs.size(), 3u);
  ASSERT_TRUE(FindGlyph(d, 65) && FindGlyph(d, 32) && !FindGlyph(d, 66));
  EXPECT_EQ(Fields(*FindGlyph(d, 86)), (Ints{30, 2, 21, 24, -1, 5, 20, 1, 15}));
  // The second line for 65 overwrites every field, absent ones with 0.
  EXPECT_EQ(Fields(*FindGlyph(d, 65)), (Ints{7, 0, 5, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ((Ints{KerningAmount(d, 65, 86), KerningAmount(d, 86, 65), KerningAmount(d, 66, 65)}),
            (Ints{-2, -3, 0}));
}

TEST(FontDescription, PagesAndKerningsOutsideTheDeclaredCountAreIgnored) {
  FontDescription d = Parse(
      "page id=0 file=early.png\ncommon pages=2\npage id=2 file=beyond.png\n"
      "page id=-1 file=negative.png\npage id=1 file=one.png\n");
  EXPECT_EQ(d.pageNames, (Strings{"", "one.png"}));
  EXPECT_TRUE(Parse("common pages=-4\npage id=0 file=a\n").pageNames.empty());
  EXPECT_TRUE(Parse("common pages=2000000000\npage id=0 file=a\n").pageNames.empty());

  FontDescription k = Parse(
      "kerning first=9 second=9 amount=9\nkernings count=2\nkerning first=1 second=2 amount=-1\n"
      "kerning first=3 second=4 amount=-2\nkerning first=5 second=6 amount=-3\n");
  // The index is never reset: the early line used up slot 0.
  ASSERT_EQ(k.kernings.size(), 2u);
  EXPECT_EQ((Ints{k.kernings[0].first, k.kernings[1].first, KerningAmount(k, 5, 6)}), (Ints{0, 1, 0}));
  EXPECT_TRUE(Parse("kernings count=-1\nkerning first=1 second=2\n").kernings.empty());
  EXPECT_TRUE(Parse("kernings count=999999999\n").kernings.empty());
}

}  // namespace
}  // namespace nb
