// The arithmetic of the menu frame: fade levels, the fade-in from black, the
// alternating slides, the records order and the name-entry caret.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "shell/screens/menu_frame.h"
#include "shell/screens/menu_pages.h"
#include "menus/menu_state.h"
#include "core/screen_state.h"

namespace nb {
namespace {

TEST(MenuFades, LeftScreensFadeGeometricallyAndTheCurrentOneRisesByFive) {
  std::vector<int32_t> levels{255};
  for (int i = 0; i < 4; ++i) levels.push_back(StepFadeLevel(levels.back(), false));
  EXPECT_EQ(levels, (std::vector<int32_t>{255, 231, 209, 189, 171}));
  int32_t level = 255;
  int frames = 0;
  for (; level > 1 && frames < 1000; ++frames) level = StepFadeLevel(level, false);
  EXPECT_GT(frames, 30);  // a cross-fade, not a cut
  EXPECT_LT(frames, 80);
  EXPECT_EQ(StepFadeLevel(1, false), 0);
  EXPECT_EQ(StepFadeLevel(0, false), 0);

  for (level = 0, frames = 0; frames < 50; ++frames) level = StepFadeLevel(level, true);
  EXPECT_EQ(level, 250);
  EXPECT_EQ(StepFadeLevel(250, true), 255);  // full in 51 frames
  EXPECT_EQ(StepFadeLevel(255, true), 255);
  EXPECT_EQ(StepFadeLevel(254, true), 254);  // only levels below 254 grow
}

TEST(MenuFades, EachStateDrivesItsOwnScreen) {
  const std::pair<GameState, MenuScreen> pairs[] = {
      {GameState::MainMenu, MenuMain},         {GameState::InfoPage, MenuInfo},         {GameState::OptionsFromMenu, MenuOptions},
      {GameState::RecordsScreen, MenuRecords}, {GameState::PlayersScreen, MenuPlayers}, {GameState::StartGameScreen, MenuStartGame},
      {GameState::ExitConfirm, MenuExit},      {GameState::NewGameScreen, MenuNewGame}, {GameState::HelpFromMenu, MenuHelp}};
  for (auto [state, screen] : pairs) {
    MenuState menus;
    for (int32_t& f : menus.fades) f = 100;
    StepMenuFades(menus, state);
    for (int k = 0; k < kMenuScreens; ++k)
      EXPECT_EQ(menus.fades[k], k == screen ? 105 : 90) << "state " << static_cast<int>(state) << " screen " << k;
  }
  MenuState menus;  // the options over a level belong to the play frame
  menus.fades[MenuOptions] = 100;
  StepMenuFades(menus, GameState::OptionsInPlay);
  EXPECT_EQ(menus.fades[MenuOptions], 90);
}

TEST(MenuFades, TheFadeInDarkensTheFirstSixtyFramesOnlyAndItemsSlideInPairs) {
  MenuState menus;
  EXPECT_EQ(AdvanceMenuFadeIn(menus), 251);
  EXPECT_EQ(AdvanceMenuFadeIn(menus), 247);
  for (int frame = 3; frame < 60; ++frame) AdvanceMenuFadeIn(menus);
  EXPECT_EQ(AdvanceMenuFadeIn(menus), 15);  // the 60th
  // The counter runs on to 600 and wraps to 61: never dark again.
  for (int frame = 61; frame < 2000; ++frame) ASSERT_EQ(AdvanceMenuFadeIn(menus), -1) << frame;
  EXPECT_GE(menus.fadeInCounter, 61);
  EXPECT_LT(menus.fadeInCounter, 600);

  std::vector<int> offsets;
  for (int i = 0; i < 7; ++i) offsets.push_back(MainMenuItemOffset(i, 37));
  EXPECT_EQ(offsets, (std::vector<int>{-37, -37, 37, 37, -37, -37, 37}));
}

RecordsTable MakeRecords(std::initializer_list<std::pair<const char*, int>> entries) {
  RecordsTable table;
  for (auto [name, score] : entries) {
    std::strncpy(table.entries[table.count].name, name, kNameBytes - 1);
    table.entries[table.count++].score = score;
  }
  return table;
}

TEST(RecordsForDisplay, HighestScoreFirstWithoutChangingTheTableAndWithinIt) {
  RecordsTable table = MakeRecords({{"low", 5}, {"top", 9000}, {"mid", 300}, {"neg", -2}, {"mid2", 300}});
  std::vector<RecordEntry> sorted = RecordsForDisplay(table);
  ASSERT_EQ(sorted.size(), 5u);
  std::vector<int> scores;
  for (const RecordEntry& e : sorted) scores.push_back(e.score);
  EXPECT_EQ(scores, (std::vector<int>{9000, 300, 300, 5, -2}));
  EXPECT_STREQ(sorted[0].name, "top");
  EXPECT_STREQ(sorted[4].name, "neg");
  EXPECT_STREQ(table.entries[0].name, "low");  // the stored order stays
  // A count outside the table is bounded.
  table.count = 1000;
  EXPECT_EQ(RecordsForDisplay(table).size(), static_cast<size_t>(kMaxRecords));
  table.count = -3;
  EXPECT_TRUE(RecordsForDisplay(table).empty());
}

TEST(NameCaret, BlinksWithAPeriodOfAboutAFifthOfASecond) {
  MenuState menus;
  menus.caretToggledMs = 1000;
  std::vector<uint32_t> toggles;
  bool on = menus.caretOn;
  for (uint32_t now = 1000; now < 3000; now += 16) {  // a frame every 16 ms
    if (UpdateCaret(menus, now) != on) toggles.push_back(now);
    on = menus.caretOn;
  }
  ASSERT_GE(toggles.size(), 10u);
  for (size_t i = 1; i < toggles.size(); ++i) {
    EXPECT_GT(toggles[i] - toggles[i - 1], 100u);
    EXPECT_LE(toggles[i] - toggles[i - 1], 120u);
  }
  // A whole period (on and off) takes about 0.2 s.
  uint32_t period = (toggles.back() - toggles.front()) * 2 / static_cast<uint32_t>(toggles.size() - 1);
  EXPECT_GE(period, 200u);
  EXPECT_LE(period, 240u);
  menus.caretToggledMs = 0xFFFFFFF0u;  // the timer wrapping around does not freeze the caret
  bool before = menus.caretOn;
  EXPECT_NE(UpdateCaret(menus, 0x100), before);
}

TEST(HelpPicture, PageZeroAlternatesEvery128FramesOtherPagesHaveOneColumn) {
  MenuState menus;
  std::vector<int> seen;
  for (int frame = 0; frame < 512; ++frame) seen.push_back(HelpPictureSprite(menus, 0));
  EXPECT_EQ((std::vector<int>{seen[0], seen[126], seen[127], seen[254], seen[255]}),
            (std::vector<int>{0, 0, 1, 1, 0}));  // the 8-bit counter wraps
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 256);
  uint8_t frames = menus.helpPictureFrames;
  EXPECT_EQ(HelpPictureSprite(menus, 1), 2);
  EXPECT_EQ(HelpPictureSprite(menus, 4), 5);
  EXPECT_EQ(menus.helpPictureFrames, frames);  // only page 0 counts
  EXPECT_EQ(HelpPictureSprite(menus, 5), -1);
  EXPECT_EQ(HelpPictureSprite(menus, -1), -1);
}

}  // namespace
}  // namespace nb
