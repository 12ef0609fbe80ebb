// The shipped language files, laid out by the game's text loader with the
// generated fonts: every section and count the menus expect, every text the
// game shows, in code page 1251 with a glyph for every byte, and all of it
// within an 800 x 600 window, the options' labels clear of their sliders.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "core/settings_file.h"
#include "data_files.h"
#include "menus/levels_page.h"
#include "menus/localized_texts.h"
#include "menus/menu_boxes.h"

namespace nb {
namespace {

const char* kLanguages[] = {"en", "ru", "uk"};

TEST(LanguageFiles, EveryLanguageLaysOutItsMenusTextsAndHelpInTheWindow) {
  test::ShippedGame game;
  auto large = test::LoadFont("large"), extraLarge = test::LoadFont("ExtraLarge"),
       small = test::LoadFont("Small");
  const float largeLine = float(FontLineHeight(*large));
  auto measure = [&](const std::string& text, float& width, float& lineHeight) {
    width = float(test::TextWidth(*large, text));
    lineHeight = float(FontLineHeight(*large));
  };
  const int used[] = {0,  1,  2,  3,  4,  6,  7,  8,  9,  10, 12, 13, 14, 18, 19, 20, 21,
                      22, 23, 24, 25, 26, 27, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39,
                      40, 41, 43, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56};
  // Titles and captions are drawn in the extra-large font, the rest in the large one.
  const std::set<int> titles = {0, 12, 18, 19, 20, 25, 26, 32, 33, 34, 35, 38, 45, 53};
  for (const char* language : kLanguages) {
    SCOPED_TRACE(language);
    LocalizedTexts texts;
    LoadLocalizedTexts(texts, "", language, 800, 600, measure);
    const std::pair<const ItemList<kListCapacity>*, int> lists[] = {
        {&texts.menu, 7},  {&texts.start, 3},    {&texts.newGame, 3}, {&texts.exit, 2},
        {&texts.pause, 5}, {&texts.timeLeft, 2}, {&texts.winner, 1}};
    for (auto [list, count] : lists) {
      ASSERT_EQ(list->count, count);
      // Far too long an item (past the 147 characters kept) is also far too wide.
      for (int i = 0; i < count; ++i)
        EXPECT_TRUE(!list->items[i].text.empty() && test::TextWidth(*large, list->items[i].text) < 700)
            << count << " " << i << ": " << list->items[i].text;
    }
    // The main menu's last item stays inside the window (each is narrower than
    // it, above); the two quit buttons sit side by side around the middle.
    EXPECT_LE(texts.menu.items[6].top + texts.menu.items[6].height, 600.0f);
    EXPECT_LT(texts.exit.items[0].width + texts.exit.items[1].width, 300);

    const std::string path = test::GameFile(std::string("data/textes_") + language + ".ini");
    EXPECT_LE(SettingsFile{path}.ReadInt("textes", "count", 0), 60);
    for (unsigned char c : test::ReadBytes(path))
      EXPECT_TRUE(c < 32 || FontGlyph(*large, c)) << "byte " << int(c);
    for (int index : used) {
      const std::string& text = texts.Text(static_cast<TextId>(index));
      EXPECT_TRUE(!text.empty() && test::TextWidth(titles.count(index) ? *extraLarge : *large, text) < 780)
          << index << ": " << text;
    }

    // Every slider's label, measured in the font it is drawn in, ends 10 pixels or more before its bar.
    MenuLayoutInput in;
    in.texts = &texts;
    const PageLayout options = OptionsLayout(in);
    for (int row = kRowMusic; row <= kRowMaster; ++row) {
      const PageItem& label = *FindItem(options, row);
      const float right = label.x + float(test::TextWidth(*large, texts.Text(SliderLabel(row))));
      EXPECT_TRUE(label.x >= 0 && right + 10 <= kSliderLeft)
          << texts.Text(SliderLabel(row)) << " ends at " << right;
    }

    // The Levels page with 1, 32 and 64 levels, each open with a replay: its
    // lines stacked apart, its items inside the window and apart, each number
    // and Watch label inside its own box.
    const std::string best = FillNumbers(texts.Text(TextId::BestResult), 42, 1230);
    EXPECT_TRUE(best.find("42 ") != best.npos && best.find("1230") != best.npos &&
                best.find('%') == best.npos)
        << best;
    for (int count : {1, 32, 64}) {
      LevelsPage page{std::vector<LevelEntry>(size_t(count)), count, 0};
      for (LevelEntry& entry : page.levels) entry.replay = true;
      in.levels = &page;
      const PageLayout layout = LevelsLayout(in);
      const LevelsGrid g = LevelsGeometry(count, 800);
      ASSERT_EQ(layout.size(), size_t(2 * count + 1));
      EXPECT_TRUE(g.titleY + float(FontLineHeight(*extraLarge)) <= g.modeY && g.modeY + largeLine <= g.top &&
                  layout[layout.size() - 2].box.bottom <= g.levelTitleY &&
                  g.levelTitleY + largeLine <= g.bestY && g.bestY + largeLine <= layout.back().box.top)
          << count;
      for (size_t i = 0; i < layout.size(); ++i) {
        const Box& b = layout[i].box;
        EXPECT_TRUE(b.left >= 0 && b.right <= 800 && b.top >= g.top && b.bottom <= 600) << count << " " << i;
        for (size_t j = 0; j < i; ++j)
          EXPECT_FALSE(b.left < layout[j].box.right && layout[j].box.left < b.right &&
                       b.top < layout[j].box.bottom && layout[j].box.top < b.bottom)
              << count << ": " << i << " on " << j;
      }
      const float watch = float(test::TextWidth(*small, texts.Text(TextId::Watch)));
      EXPECT_TRUE(watch < g.cellWidth && test::TextWidth(*large, std::to_string(count)) < g.cellWidth &&
                  2 + largeLine <= g.numberHeight && FontLineHeight(*small) <= g.cellHeight - g.numberHeight)
          << count << ": Watch is " << watch << " wide in a cell of " << g.cellWidth;
    }

    ASSERT_EQ(texts.help.count, kMaxHelpPages);
    for (const char* key : {"Esc", "Enter", "Delete", "F1", "F2", "F12"})  // the last page lists the keys
      EXPECT_NE(texts.help.pages[kMaxHelpPages - 1].find(key), std::string::npos) << key;
    for (int page = 0; page < kMaxHelpPages; ++page) {
      SCOPED_TRACE(page);
      const std::string& text = texts.help.pages[page];
      EXPECT_TRUE(text.size() > 150u && text.find('\\') == std::string::npos);
      // Drawn from y 130 in the large font, above the buttons at y 500.
      std::istringstream lines(text);
      int count = 0;
      for (std::string line; std::getline(lines, line); ++count)
        EXPECT_LT(test::TextWidth(*large, line), 580) << line;
      EXPECT_TRUE(count > 1 && count <= 13) << count;
    }
  }
  // The Russian menu is in Cyrillic: its first item's bytes lie in 0xC0..0xFF.
  std::string play = SettingsFile{test::GameFile("data/textes_ru.ini")}.ReadString("Menu", "name0", "");
  ASSERT_FALSE(play.empty());
  for (unsigned char c : play) EXPECT_GE(c, 0xC0);
}

}  // namespace
}  // namespace nb
