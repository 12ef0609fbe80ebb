#include "text/font_description.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/recording_device.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

FontDescription Parse(const std::string& text) {
  FontDescription d;
  std::istringstream in(text);
  EXPECT_TRUE(LoadFontDescription(d, in));
  return d;
}

const char* kFullFile =
    "info face=\"Quill Serif\" size=32 bold=2 italic=0 charset=\"\" unicode=1 stretchH=100 "
    "smooth=1 aa=4 padding=1,2,3,4 spacing=-1,0\n"
    "common lineHeight=36 base=29 scaleW=256 scaleH=128 pages=2 packed=0\n"
    "page id=0 file=\"data/fonts/q_0.png\"\n"
    "page id=1 file=\"data/fonts/q 1.png\"\n"
    "chars count=3\n"
    "char id=65   x=1 y=2 width=20 height=24 xoffset=-1 yoffset=5 xadvance=19 page=0 chnl=15\n"
    "char id=86   x=30 y=2 width=21 height=24 xoffset=0 yoffset=5 xadvance=20 page=1 chnl=15\n"
    "char id=32   x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=8 page=0 chnl=15\n"
    "kernings count=2\n"
    "kerning first=65 second=86 amount=-2\n"
    "kerning first=86 second=65 amount=-3\n";

TEST(LoadFontDescription, ReadsEveryLineOfAWellFormedFile) {
  FontDescription d = Parse(kFullFile);
  EXPECT_EQ(d.face, "Quill Serif");
  EXPECT_EQ(d.size, 32);
  EXPECT_TRUE(d.bold);  // 2 is true
  EXPECT_FALSE(d.italic);
  EXPECT_EQ(d.charset, "");
  EXPECT_TRUE(d.unicode);
  EXPECT_EQ(d.stretchH, 100);
  EXPECT_TRUE(d.smooth);
  EXPECT_EQ(d.aa, 4);
  EXPECT_EQ(d.padding[0], 1);
  EXPECT_EQ(d.padding[1], 2);
  EXPECT_EQ(d.padding[2], 3);
  EXPECT_EQ(d.padding[3], 4);
  EXPECT_EQ(d.spacing[0], -1);
  EXPECT_EQ(d.spacing[1], 0);
  EXPECT_EQ(d.lineHeight, 36);
  EXPECT_EQ(d.base, 29);
  EXPECT_EQ(d.scaleW, 256);
  EXPECT_EQ(d.scaleH, 128);
  ASSERT_EQ(d.pageNames.size(), 2u);
  EXPECT_EQ(d.pageNames[0], "data/fonts/q_0.png");
  EXPECT_EQ(d.pageNames[1], "data/fonts/q 1.png");
  ASSERT_EQ(d.glyphs.size(), 3u);
  const Glyph* a = FindGlyph(d, 65);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->x, 1);
  EXPECT_EQ(a->y, 2);
  EXPECT_EQ(a->width, 20);
  EXPECT_EQ(a->height, 24);
  EXPECT_EQ(a->xoffset, -1);
  EXPECT_EQ(a->yoffset, 5);
  EXPECT_EQ(a->xadvance, 19);
  EXPECT_EQ(a->page, 0);
  EXPECT_EQ(a->chnl, 15);
  EXPECT_EQ(FindGlyph(d, 86)->page, 1);
  EXPECT_EQ(FindGlyph(d, 66), nullptr);
  ASSERT_EQ(d.kernings.size(), 2u);
  EXPECT_EQ(KerningAmount(d, 65, 86), -2);
  EXPECT_EQ(KerningAmount(d, 86, 65), -3);
  EXPECT_EQ(KerningAmount(d, 65, 65), 0);
}

TEST(LoadFontDescription, InfoValuesAndTheirPatterns) {
  FontDescription d = Parse(
      "info face=First padding=9,9,9,9 spacing=7,7 bold=1\n"
      "info padding=1,2,x,4 spacing=5 bold=\n");
  EXPECT_EQ(d.face, "");  // absent on the second line
  EXPECT_FALSE(d.bold);   // an empty value is false
  EXPECT_EQ(d.padding[0], 1);
  EXPECT_EQ(d.padding[1], 2);
  EXPECT_EQ(d.padding[2], 9);  // not reached: unchanged
  EXPECT_EQ(d.padding[3], 9);
  EXPECT_EQ(d.spacing[0], 5);
  EXPECT_EQ(d.spacing[1], 7);

  FontDescription e = Parse("info face=First padding=9,9,9,9 spacing=7,7\ninfo size=3\n");
  EXPECT_EQ(e.padding[0], 9);  // absent: nothing reached
  EXPECT_EQ(e.spacing[1], 7);
  EXPECT_EQ(e.size, 3);
}

TEST(LoadFontDescription, ABlankLineEndsTheFile) {
  FontDescription d = Parse(
      "info face=x size=10\n"
      "common lineHeight=12 scaleW=64 scaleH=64 pages=1\n"
      "\n"
      "page id=0 file=a.png\n"
      "char id=65 xadvance=5\n"
      "kernings count=1\n"
      "kerning first=1 second=2 amount=3\n");
  EXPECT_EQ(d.size, 10);
  EXPECT_EQ(d.lineHeight, 12);
  ASSERT_EQ(d.pageNames.size(), 1u);
  EXPECT_EQ(d.pageNames[0], "");
  EXPECT_TRUE(d.glyphs.empty());
  EXPECT_TRUE(d.kernings.empty());
}

TEST(LoadFontDescription, CharLines) {
  FontDescription d = Parse(
      "chars count=900\n"
      "char id=65 x=1 y=1 width=4 height=4 xadvance=9\n"
      "char id=66 x=3 width=2\n"
      "char id=65 x=7 width=5\n");
  ASSERT_EQ(d.glyphs.size(), 2u);  // the chars count changes nothing
  EXPECT_EQ(FindGlyph(d, 66)->xadvance, 0);
  // The second line for 65 overwrites every field, absent ones with 0.
  EXPECT_EQ(FindGlyph(d, 65)->x, 7);
  EXPECT_EQ(FindGlyph(d, 65)->width, 5);
  EXPECT_EQ(FindGlyph(d, 65)->xadvance, 0);
  EXPECT_EQ(FindGlyph(d, 65)->y, 0);
}

TEST(LoadFontDescription, PagesOutsideTheDeclaredCountAreIgnored) {
  FontDescription d = Parse(
      "page id=0 file=early.png\n"
      "common pages=2\n"
      "page id=2 file=beyond.png\n"
      "page id=-1 file=negative.png\n"
      "page id=1 file=one.png\n");
  ASSERT_EQ(d.pageNames.size(), 2u);
  EXPECT_EQ(d.pageNames[0], "");
  EXPECT_EQ(d.pageNames[1], "one.png");

  EXPECT_TRUE(Parse("common pages=-4\npage id=0 file=a\n").pageNames.empty());
  EXPECT_TRUE(Parse("common pages=2000000000\npage id=0 file=a\n").pageNames.empty());
}

TEST(LoadFontDescription, KerningsBeyondTheDeclaredCountAreIgnored) {
  FontDescription d = Parse(
      "kerning first=9 second=9 amount=9\n"
      "kernings count=2\n"
      "kerning first=1 second=2 amount=-1\n"
      "kerning first=3 second=4 amount=-2\n"
      "kerning first=5 second=6 amount=-3\n");
  // The index is never reset: the early line used up slot 0.
  ASSERT_EQ(d.kernings.size(), 2u);
  EXPECT_EQ(d.kernings[0].first, 0);
  EXPECT_EQ(d.kernings[1].first, 1);
  EXPECT_EQ(KerningAmount(d, 5, 6), 0);

  FontDescription first = Parse(
      "kernings count=2\n"
      "kerning first=1 second=2 amount=-1\n"
      "kerning first=1 second=2 amount=-5\n");
  EXPECT_EQ(KerningAmount(first, 1, 2), -1);  // the first pair in file order wins

  EXPECT_TRUE(Parse("kernings count=-1\nkerning first=1 second=2\n").kernings.empty());
  EXPECT_TRUE(Parse("kernings count=999999999\n").kernings.empty());
}

TEST(LoadFontDescription, ALineTooLongEndsTheRead) {
  const std::string longLine = "char id=66 xadvance=3 " + std::string(500, ' ') + "x=1";
  FontDescription d = Parse("char id=65 xadvance=2\n" + longLine + "\nchar id=67 xadvance=4\n");
  EXPECT_EQ(d.glyphs.size(), 1u);
  EXPECT_NE(FindGlyph(d, 65), nullptr);
}

// Lines of random bytes drawn from the characters the grammar cares about:
// whatever they say, the tables stay within their limits, and every byte of
// text measures and draws with the result without leaving the buffers.
TEST(LoadFontDescription, RandomLinesStayWithinTheTables) {
  const char alphabet[] = "= \t\"-0123456789,idfirstpagecountkerningscharcommoninfo\r\x01\xff";
  const char* keywords[] = {"info ", "common ", "page ", "char ", "kernings ", "kerning ", "chars "};
  const char* keys[] = {"id=", "pages=", "count=", "file=", "padding=", "spacing=", "first=", "x="};
  RecordingDevice device;
  std::string allBytes;
  for (int c = 1; c < 256; ++c) allBytes += static_cast<char>(c);
  uint32_t seed = 12345;
  auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int line = 0; line < 40; ++line) {
      text += keywords[next() % 7];
      for (int part = 0, parts = static_cast<int>(next() % 6); part < parts; ++part) {
        text += keys[next() % 8];
        for (int i = 0, n = static_cast<int>(next() % 12); i < n; ++i)
          text += alphabet[next() % (sizeof alphabet - 1)];
        text += ' ';
      }
      text += '\n';
    }
    FontDescription d = Parse(text);
    EXPECT_LE(d.pageNames.size(), static_cast<size_t>(kMaxFontPages));
    EXPECT_LE(d.kernings.size(), static_cast<size_t>(kMaxKerningPairs));
    BitmapFont font;
    font.description = d;
    font.device = &device;
    ASSERT_TRUE(Succeeded(RestoreFontDeviceObjects(font)));
    TextSize size;
    EXPECT_TRUE(Succeeded(MeasureText(font, allBytes.c_str(), &size)));
    EXPECT_TRUE(Succeeded(DrawText(font, 0.0f, 0.0f, 0xFFFFFFFFu, allBytes.c_str())));
    DestroyFont(font);
  }
  EXPECT_EQ(device.vertexBufferCount(), 0u);
}

}  // namespace
}  // namespace nb
