// The three bitmap fonts, read by the game's font reader: pages that exist,
// glyphs that cover every byte the game's texts use, and kerning. (Seven menu
// items in the large font fit the window: language_files_test lays them out.)
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "data_files.h"
#include "text/bitmap_font.h"

namespace nb {
namespace {

TEST(FontFiles, EveryFontIsWholeCoversCodePage1251KernsAndTheyGrowInSize) {
  std::vector<int> lineHeights;
  for (const char* name : {"Small", "large", "ExtraLarge"}) {
    SCOPED_TRACE(name);
    auto font = test::LoadFont(name);
    const FontDescription& d = font->description;
    // The game stops at an empty line and cannot read one of 500 bytes; the
    // kerning count it reads must cover every pair written.
    std::istringstream raw(test::ReadBytes(test::GameFile(std::string("data/fonts/") + name + ".fnt")));
    size_t kerningLines = 0, lineNo = 0;
    for (std::string line; std::getline(raw, line);) {
      ++lineNo;
      EXPECT_TRUE(!line.empty() && line.size() < 499 && line.find('\r') == std::string::npos)
          << "line " << lineNo;
      kerningLines += line.rfind("kerning ", 0) == 0;
    }
    EXPECT_EQ(d.kernings.size(), kerningLines);

    ASSERT_FALSE(d.pageNames.empty());
    lineHeights.push_back(d.lineHeight);
    std::vector<Image> pages;
    for (const std::string& page : d.pageNames) {
      pages.push_back(test::LoadPicture(page));
      EXPECT_TRUE(pages.back().width == d.scaleW && pages.back().height == d.scaleH) << page;
    }
    std::set<int> pagesUsed;
    for (const auto& [id, g] : d.glyphs) {
      SCOPED_TRACE(id);
      ASSERT_TRUE(g.page >= 0 && g.page < int(pages.size()));
      pagesUsed.insert(g.page);
      EXPECT_TRUE(g.x >= 0 && g.y >= 0 && g.x + g.width <= d.scaleW && g.y + g.height <= d.scaleH);
      EXPECT_GT(g.xadvance, 0);
    }
    EXPECT_EQ(pagesUsed.size(), pages.size()) << "every page carries glyphs";

    // ASCII; the name entry takes bytes 0xC0..0xFF; Ukrainian also uses the rest.
    std::vector<int> needed = {0xA8, 0xB8, 0xAA, 0xBA, 0xB2, 0xB3, 0xAF, 0xBF, 0xA5, 0xB4, 0xB9};
    for (int id = 32; id < 127; ++id) needed.push_back(id);
    for (int id = 0xC0; id <= 0xFF; ++id) needed.push_back(id);
    for (int id : needed) EXPECT_NE(FontGlyph(*font, id), nullptr) << "lacks " << id;

    ASSERT_FALSE(d.kernings.empty());
    for (const auto& k : d.kernings) {
      EXPECT_TRUE(FontGlyph(*font, k.first) && FontGlyph(*font, k.second)) << k.first << " " << k.second;
      EXPECT_NE(k.amount, 0);
    }
  }
  EXPECT_TRUE(0 < lineHeights[0] && lineHeights[0] < lineHeights[1] && lineHeights[1] < lineHeights[2]);
}

}  // namespace
}  // namespace nb
