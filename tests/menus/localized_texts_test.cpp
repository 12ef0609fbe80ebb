#include "menus/localized_texts.h"

#include <gtest/gtest.h>

#include "core/escaped_ini_reader.h"
#include "menus/menu_boxes.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

// A stand-in for the large font: 10 pixels a character, 32-pixel lines.
void MeasureTenPerChar(const std::string& text, float& width, float& lineHeight) {
  width = 10.0f * static_cast<float>(text.size());
  lineHeight = 32;
}
LocalizedTexts LoadFrom(const test::ScratchDir& dir, const std::string& body) {
  dir.Write("data/textes_xx.ini", body);
  LocalizedTexts texts;
  LoadLocalizedTexts(texts, "", "xx", 800, 600, MeasureTenPerChar);
  return texts;
}

TEST(LocalizedTexts, ListsAreStackedCentredOrSideBySideAndTheirPagesHitWhatTheyDraw) {
  test::ScratchDir dir;
  LocalizedTexts texts = LoadFrom(dir,
                                  "[Menu]\ncount=3\nname0=Play\nname1 = Players \nname2=Options\n"
                                  "[pause]\ncount=2\nname0=Resume\nname1=Restart\n[start]\ncount=2\n"
                                  "name0=Go\nname1=Back\n[exit]\ncount=2\nname0=Yes\nname1=No\n"
                                  "[textes]\ncount=40\nname39=Back\n");
  EXPECT_EQ(texts.menu.items[1].text, "Players");
  MenuLayoutInput in;
  in.texts = &texts;
  // Where each page puts its items is the window's business (the language
  // files test lays the shipped texts out); here the text of every item is
  // drawn centred on the box a click hits, from the box's top, and the boxes
  // of a page do not overlap.
  for (PageLayout (*layoutOf)(const MenuLayoutInput&) :
       {MainMenuLayout, PauseLayout, StartGameLayout, ExitLayout}) {
    const PageLayout layout = layoutOf(in);
    ASSERT_FALSE(layout.empty());
    for (size_t i = 0; i < layout.size(); ++i) {
      const PageItem& item = layout[i];
      EXPECT_EQ((std::vector<float>{item.x, item.y}), (std::vector<float>{item.box.MiddleX(), item.box.top}));
      for (size_t j = 0; j < i; ++j)
        EXPECT_TRUE(item.box.left >= layout[j].box.right || item.box.right <= layout[j].box.left ||
                    item.box.top >= layout[j].box.bottom || item.box.bottom <= layout[j].box.top);
    }
  }
}

TEST(LocalizedTexts, CountsAndTextsNeverPassTheirStorageAndAMissingFileLeavesAllEmpty) {
  test::ScratchDir dir;
  LocalizedTexts texts =
      LoadFrom(dir, "[Menu]\ncount=1000\nname0=" + std::string(300, 'x') +
                        "\n[textes]\ncount=999\nname59=last\n[pause]\ncount=2\nname0=only\n"
                        "[exit]\ncount=-4\n");
  EXPECT_EQ(texts.menu.count, kListCapacity);
  EXPECT_EQ(texts.menu.items[0].text.size(), 147u);
  EXPECT_EQ(texts.texts.count, kGeneralTextCount);
  EXPECT_EQ(texts.Text(TextId(59)), "last");
  EXPECT_EQ(texts.Text(TextId(60)), "");
  EXPECT_EQ(texts.Text(TextId(-1)), "");
  EXPECT_EQ(texts.pause.count, 2);
  EXPECT_EQ(texts.pause.items[1].text, "");  // a missing name reads as empty
  EXPECT_EQ(texts.exit.count, 0);

  LocalizedTexts none;
  LoadLocalizedTexts(none, "", "", 800, 600, MeasureTenPerChar);  // names textes_.ini
  EXPECT_EQ(LanguageFileName("en"), "data\\textes_en.ini");
  EXPECT_EQ(none.menu.count + none.help.count, 0);
  EXPECT_EQ(none.Text(TextId::QuitQuestion), "");
}

TEST(EscapedIni, HelpPagesEscapesCommentsPageLimitSectionOrderAndFirstValue) {
  test::ScratchDir dir;
  LocalizedTexts texts = LoadFrom(dir,
                                  "[help] trailing words\r\nnumpages = 9 ; more than the screen has\r\n"
                                  "page0 = First\\nSecond\r"
                                  "page1=100\\% sure \\; not a comment // but this is\n"
                                  "/* a block\n page2 = hidden\n */page3 = back\\\\slash # gone\n"
                                  "# page4 = commented\n");
  EXPECT_EQ(texts.help.count, kMaxHelpPages);
  EXPECT_EQ(std::vector<std::string>(texts.help.pages.begin(), texts.help.pages.begin() + 5),
            (std::vector<std::string>{"First\nSecond", "100% sure ; not a comment", "", "back\\slash", ""}));

  EscapedIni ini = ParseEscapedIni("[a]\nk=1\nk=2\n[b]\nx = y = z\n\\[c]=escaped\n");
  ASSERT_EQ(ini.sections.size(), 2u);
  EXPECT_EQ(ini.Value("a", "k"), "1");
  EXPECT_EQ(ini.Value("b", "x"), "y = z");
  EXPECT_EQ(ini.Value("b", "[c]"), "escaped");
  EXPECT_EQ(ini.Value("b", "none", "fb"), "fb");
  EXPECT_EQ(ParseEscapedIni("orphan=1\n").sections.size(), 0u);
}

}  // namespace
}  // namespace nb
