// The shipped language files: every section and count the menus expect,
// every text the game shows, in code page 1251, and all of it drawable
// with the generated fonts within an 800 x 600 window.
#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <set>

#include "data_files.h"
#include "shell/settings_file.h"

namespace nb {
namespace {

const char* kLanguages[] = {"en", "ru", "uk"};

SettingsFile Texts(const std::string& language) {
  return SettingsFile{test::GameFile("data/textes_" + language + ".ini")};
}

// Advance widths of a generated font, as the text drawing sums them.
struct Metrics {
  std::map<int, int> advance;
  std::map<std::pair<int, int>, int> kerning;
  int Width(const std::string& text) const {
    int w = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      int c = static_cast<unsigned char>(text[i]);
      auto it = advance.find(c);
      w += it == advance.end() ? 0 : it->second;
      if (i + 1 < text.size()) {
        auto k = kerning.find({c, static_cast<unsigned char>(text[i + 1])});
        if (k != kerning.end()) w += k->second;
      }
    }
    return w;
  }
};

Metrics LoadMetrics(const std::string& font) {
  Metrics m;
  for (const std::string& raw : test::Lines(test::ReadBytes(test::GameFile("data/fonts/" + font + ".fnt")))) {
    test::TextLine line = test::SplitLine(raw);
    if (line.keyword == "char") m.advance[line.Int("id")] = line.Int("xadvance");
    if (line.keyword == "kerning") m.kerning[{line.Int("first"), line.Int("second")}] = line.Int("amount");
  }
  return m;
}

// The help pages' escapes: backslash-n is a line feed, a backslash keeps
// the next character as it is.
std::string Unescape(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    char next = value[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

TEST(LanguageFiles, EverySectionHasTheCountsTheMenusExpect) {
  const std::pair<const char*, int> sections[] = {{"Menu", 7},  {"start", 2},    {"new_game", 3}, {"exit", 2},
                                                  {"pause", 5}, {"timeleft", 2}, {"winner", 1}};
  Metrics large = LoadMetrics("large");
  for (const char* language : kLanguages) {
    SettingsFile texts = Texts(language);
    for (auto [section, count] : sections) {
      EXPECT_EQ(texts.ReadInt(section, "count", 0), count) << language << " " << section;
      for (int i = 0; i < count; ++i) {
        std::string item = texts.ReadString(section, "name" + std::to_string(i), "");
        EXPECT_FALSE(item.empty()) << language << " " << section << " " << i;
        EXPECT_LE(item.size(), 147u);
        EXPECT_LT(large.Width(item), 700) << language << " " << section << " " << i;
      }
    }
    // The two quit buttons sit side by side around the middle.
    int both = large.Width(texts.ReadString("exit", "name0", "")) + large.Width(texts.ReadString("exit", "name1", ""));
    EXPECT_LT(both, 300) << language;
  }
}

TEST(LanguageFiles, EveryGeneralTextTheGameShowsIsPresentAndFits) {
  const int used[] = {0,  1,  2,  3,  4,  6,  7,  8,  9,  10, 40, 12, 13, 14, 46, 18, 19, 20, 21, 22, 23,
                      24, 25, 26, 27, 31, 41, 43, 29, 30, 32, 33, 34, 35, 36, 37, 38, 39, 45, 47, 48};
  // Titles and captions are drawn in the extra-large font, the rest in the large one.
  const std::set<int> titles = {0, 12, 18, 19, 20, 25, 26, 32, 33, 34, 35, 38, 45};
  Metrics large = LoadMetrics("large"), extraLarge = LoadMetrics("ExtraLarge");
  for (const char* language : kLanguages) {
    SettingsFile texts = Texts(language);
    int count = texts.ReadInt("textes", "count", 0);
    EXPECT_LE(count, 60) << language;
    for (int index : used) {
      EXPECT_LT(index, count) << language;
      std::string text = texts.ReadString("textes", "name" + std::to_string(index), "");
      EXPECT_FALSE(text.empty()) << language << " textes " << index;
      int width = titles.count(index) ? extraLarge.Width(text) : large.Width(text);
      EXPECT_LT(width, 780) << language << " textes " << index << ": " << text;
    }
  }
}

TEST(LanguageFiles, HelpHasFivePagesThatFitBesideThePicture) {
  Metrics large = LoadMetrics("large");
  for (const char* language : kLanguages) {
    SettingsFile texts = Texts(language);
    EXPECT_EQ(texts.ReadInt("help", "numpages", 0), 5) << language;
    for (int page = 0; page < 5; ++page) {
      std::string raw = texts.ReadString("help", "page" + std::to_string(page), "");
      ASSERT_GT(raw.size(), 100u) << language << " page " << page;
      // An unescaped ; or # or // would cut the page short in the help reader.
      for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\') {
          ++i;
          continue;
        }
        EXPECT_TRUE(raw[i] != ';' && raw[i] != '#') << language << " page " << page;
        EXPECT_FALSE(raw[i] == '/' && i + 1 < raw.size() && (raw[i + 1] == '/' || raw[i + 1] == '*'));
      }
      std::string text = Unescape(raw);
      std::vector<std::string> lines = test::Lines(text);
      // Drawn from y 130 in the large font, above the buttons at y 500.
      EXPECT_LE(lines.size(), 13u) << language << " page " << page;
      for (const std::string& line : lines)
        EXPECT_LT(large.Width(line), 580) << language << " page " << page << ": " << line;
    }
  }
}

TEST(LanguageFiles, TextsAreCodePage1251AndTheFontsDrawEveryByte) {
  std::set<int> glyphs;
  for (const auto& [id, advance] : LoadMetrics("large").advance) glyphs.insert(id);
  for (const char* language : kLanguages) {
    std::string bytes = test::ReadBytes(test::GameFile(std::string("data/textes_") + language + ".ini"));
    ASSERT_FALSE(bytes.empty()) << language;
    for (unsigned char c : bytes)
      if (c >= 32) {
        EXPECT_TRUE(glyphs.count(c)) << language << " byte " << int(c);
      }
    // Read back through the C library's converter: the shipped bytes are
    // the UTF-8 source in code page 1251.
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    ASSERT_NE(cd, (iconv_t)-1);
    std::string out(bytes.size() * 3 + 16, '\0');
    char* in = bytes.data();
    size_t inLeft = bytes.size(), outLeft = out.size();
    char* dst = out.data();
    ASSERT_NE(iconv(cd, &in, &inLeft, &dst, &outLeft), (size_t)-1) << language;
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    EXPECT_EQ(out, test::ReadBytes(std::string(NB_SOURCE_DIR) + "/data/textes_" + language + ".ini")) << language;
  }
  // The Russian menu is in Cyrillic: its first item's bytes lie in 0xC0..0xFF.
  std::string play = Texts("ru").ReadString("Menu", "name0", "");
  ASSERT_FALSE(play.empty());
  for (unsigned char c : play) EXPECT_GE(c, 0xC0);
}

}  // namespace
}  // namespace nb
