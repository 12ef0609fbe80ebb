#include "text/font_description.h"

#include <gtest/gtest.h>

#include "platform/recording_device.h"
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

TEST(FontDescription, ReadsEveryLineOfAWellFormedFile) {
  FontDescription d = Parse(
      "info face=\"Quill Serif\" size=32 bold=2 italic=0 charset=\"\" unicode=1 stretchH=100 "
      "smooth=1 aa=4 padding=1,2,3,4 spacing=-1,0\n"
      "common lineHeight=36 base=29 scaleW=256 scaleH=128 pages=2 packed=0\n"
      "page id=0 file=\"data/fonts/q_0.png\"\npage id=1 file=\"data/fonts/q 1.png\"\nchars count=3\n"
      "char id=65   x=1 y=2 width=20 height=24 xoffset=-1 yoffset=5 xadvance=19 page=0 chnl=15\n"
      "char id=86   x=30 y=2 width=21 height=24 xoffset=0 yoffset=5 xadvance=20 page=1 chnl=15\n"
      "char id=32   x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=8 page=0 chnl=15\n"
      "kernings count=2\nkerning first=65 second=86 amount=-2\nkerning first=86 second=65 amount=-3\n");
  // The info line's style fields are read but nothing draws with them.
  EXPECT_EQ(d.face, "Quill Serif");
  EXPECT_EQ((Ints{d.lineHeight, d.scaleW, d.scaleH}), (Ints{36, 256, 128}));
  EXPECT_EQ(d.pageNames, (Strings{"data/fonts/q_0.png", "data/fonts/q 1.png"}));
  ASSERT_EQ(d.glyphs.size(), 3u);
  ASSERT_TRUE(FindGlyph(d, 65) && FindGlyph(d, 86) && !FindGlyph(d, 66));
  EXPECT_EQ(Fields(*FindGlyph(d, 65)), (Ints{1, 2, 20, 24, -1, 5, 19, 0, 15}));
  EXPECT_EQ(FindGlyph(d, 86)->page, 1);
  EXPECT_EQ((Ints{KerningAmount(d, 65, 86), KerningAmount(d, 86, 65), KerningAmount(d, 65, 65)}),
            (Ints{-2, -3, 0}));
}

// (A line too long for the line buffer ends the file too: see ReadTextLine.)
TEST(FontDescription, ABlankLineEndsTheFileAndALaterCharLineOverwrites) {
  FontDescription d = Parse(
      "info face=x size=10\ncommon lineHeight=12 scaleW=64 scaleH=64 pages=1\n\n"
      "page id=0 file=a.png\nchar id=65 xadvance=5\nkernings count=1\n"
      "kerning first=1 second=2 amount=3\n");
  EXPECT_EQ((Ints{d.size, d.lineHeight}), (Ints{10, 12}));
  EXPECT_EQ(d.pageNames, (Strings{""}));
  EXPECT_TRUE(d.glyphs.empty() && d.kernings.empty());
  d = Parse(
      "chars count=900\nchar id=65 x=1 y=1 width=4 height=4 xadvance=9\nchar id=66 x=3 width=2\n"
      "char id=65 x=7 width=5\n");
  ASSERT_EQ(d.glyphs.size(), 2u);  // the chars count changes nothing
  EXPECT_EQ(FindGlyph(d, 66)->xadvance, 0);
  // The second line for 65 overwrites every field, absent ones with 0.
  EXPECT_EQ(Fields(*FindGlyph(d, 65)), (Ints{7, 0, 5, 0, 0, 0, 0, 0, 0}));
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
