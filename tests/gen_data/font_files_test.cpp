// The three bitmap fonts: files in the bitmap-font text format whose pages
// exist and whose glyphs cover every byte the game's texts use.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "data_files.h"

namespace nb {
namespace {

struct Font {
  std::map<std::string, std::string> info, common;
  std::vector<std::string> pages;
  std::map<int, test::TextLine> chars;
  int kerningCount = -1;
  std::vector<test::TextLine> kernings;
  std::vector<test::Picture> pictures;
};

Font LoadFont(const std::string& name) {
  Font f;
  std::string text = test::ReadBytes(test::GameFile("data/fonts/" + name + ".fnt"));
  EXPECT_FALSE(text.empty()) << name;
  std::vector<std::string> lines = test::Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& raw = lines[i];
    // The game stops at an empty line and cannot read one of 500 bytes.
    EXPECT_FALSE(raw.empty()) << name << " line " << i + 1;
    EXPECT_LT(raw.size(), 499u) << name << " line " << i + 1;
    EXPECT_EQ(raw.find('\r'), std::string::npos);
    test::TextLine line = test::SplitLine(raw);
    if (line.keyword == "info") f.info = line.attrs;
    if (line.keyword == "common") {
      f.common = line.attrs;
      f.pages.assign(line.Int("pages"), "");
    }
    if (line.keyword == "page") {
      int id = line.Int("id");
      EXPECT_TRUE(id >= 0 && id < int(f.pages.size())) << name << ": page line before common or past pages";
      if (id >= 0 && id < int(f.pages.size())) f.pages[id] = line.attrs["file"];
    }
    if (line.keyword == "char") f.chars[line.Int("id")] = line;
    if (line.keyword == "kernings") {
      EXPECT_TRUE(f.kernings.empty()) << "kernings count must come before the pairs";
      f.kerningCount = line.Int("count");
    }
    if (line.keyword == "kerning") f.kernings.push_back(line);
  }
  for (const std::string& page : f.pages) {
    test::Picture p;
    EXPECT_TRUE(test::LoadPicture(test::GameFile(page), p)) << name << ": page " << page;
    f.pictures.push_back(p);
  }
  return f;
}

const char* kFonts[] = {"large", "Small", "ExtraLarge"};

TEST(FontFiles, PagesMatchTheCommonLineAndHoldEveryGlyph) {
  for (const char* name : kFonts) {
    Font f = LoadFont(name);
    ASSERT_FALSE(f.pages.empty()) << name;
    int scaleW = std::atoi(f.common["scaleW"].c_str()), scaleH = std::atoi(f.common["scaleH"].c_str());
    EXPECT_GT(std::atoi(f.common["lineHeight"].c_str()), 0);
    for (size_t i = 0; i < f.pictures.size(); ++i) {
      EXPECT_EQ(f.pictures[i].width, scaleW) << name;
      EXPECT_EQ(f.pictures[i].height, scaleH) << name;
      EXPECT_EQ(f.pages[i].find('\\'), std::string::npos) << "page names are used as written";
    }
    std::set<int> pagesUsed;
    for (const auto& [id, g] : f.chars) {
      int page = g.Int("page"), x = g.Int("x"), y = g.Int("y"), w = g.Int("width"), h = g.Int("height");
      ASSERT_TRUE(page >= 0 && page < int(f.pictures.size())) << name << " char " << id;
      pagesUsed.insert(page);
      EXPECT_TRUE(x >= 0 && y >= 0 && x + w <= scaleW && y + h <= scaleH) << name << " char " << id;
      EXPECT_GT(g.Int("xadvance"), 0) << name << " char " << id;
      // The glyph's rectangle holds its ink, white with alpha.
      if (w > 0 && h > 0 && id != 0xA0) {
        const test::Picture& pic = f.pictures[page];
        int ink = 0;
        for (int yy = y; yy < y + h; ++yy)
          for (int xx = x; xx < x + w; ++xx) {
            ink += pic.At(xx, yy, 3) > 128;
            EXPECT_EQ(pic.At(xx, yy, 0), 255);
          }
        EXPECT_GT(ink, 0) << name << " char " << id;
      }
    }
    EXPECT_EQ(pagesUsed.size(), f.pages.size()) << name << ": every page carries glyphs";
  }
}

TEST(FontFiles, EveryFontCoversAsciiAndCodePage1251Letters) {
  for (const char* name : kFonts) {
    Font f = LoadFont(name);
    for (int id = 32; id < 127; ++id) EXPECT_TRUE(f.chars.count(id)) << name << " lacks " << id;
    // The name entry takes bytes 0xC0..0xFF; Ukrainian also uses these.
    for (int id = 0xC0; id <= 0xFF; ++id) EXPECT_TRUE(f.chars.count(id)) << name << " lacks " << id;
    for (int id : {0xA8, 0xB8, 0xAA, 0xBA, 0xB2, 0xB3, 0xAF, 0xBF, 0xA5, 0xB4, 0xB9})
      EXPECT_TRUE(f.chars.count(id)) << name << " lacks " << id;
  }
}

TEST(FontFiles, KerningPairsAreCountedAndTightenKnownPairs) {
  for (const char* name : kFonts) {
    Font f = LoadFont(name);
    ASSERT_GT(f.kerningCount, 0) << name;
    EXPECT_EQ(size_t(f.kerningCount), f.kernings.size()) << name;
    int av = 0;
    for (const auto& k : f.kernings) {
      EXPECT_TRUE(f.chars.count(k.Int("first")) && f.chars.count(k.Int("second"))) << name;
      EXPECT_NE(k.Int("amount"), 0);
      if (k.Int("first") == 'A' && k.Int("second") == 'V') av = k.Int("amount");
    }
    EXPECT_LT(av, 0) << name << ": A followed by V moves closer";
  }
}

TEST(FontFiles, ExtraLargeSpansTwoPagesAndTheFontsGrowInSize) {
  Font xl = LoadFont("ExtraLarge"), large = LoadFont("large"), small = LoadFont("Small");
  EXPECT_EQ(xl.pages.size(), 2u);
  // An ordinary word switches pages.
  EXPECT_NE(xl.chars['H'].Int("page"), xl.chars['e'].Int("page"));
  int hs = std::atoi(small.common["lineHeight"].c_str()), hl = std::atoi(large.common["lineHeight"].c_str()),
      hx = std::atoi(xl.common["lineHeight"].c_str());
  EXPECT_LT(hs, hl);
  EXPECT_LT(hl, hx);
  // Seven menu items at (lineHeight + 10) apart from y 300 fit a 600-pixel window.
  EXPECT_LE(300 + 6 * (hl + 10) + hl, 600);
}

}  // namespace
}  // namespace nb
