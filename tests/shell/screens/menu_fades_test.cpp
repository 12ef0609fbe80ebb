// The arithmetic of the menu frame: fade levels, the fade-in from black, the
// alternating slides, the records order, the name-entry caret and the help picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "menus/menu_state.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/menu_pages.h"

namespace nb {
namespace {

TEST(MenuFades, LeftScreensFadeGeometricallyTheCurrentOneRisesByFiveAndTheFadeInDarkensSixtyFrames) {
  std::vector<int32_t> levels{255};
  for (int i = 0; i < 4; ++i) levels.push_back(StepFadeLevel(levels.back(), false));
  EXPECT_EQ(levels, (std::vector<int32_t>{255, 231, 209, 189, 171}));
  int frames = 0;
  for (int32_t level = 255; level > 1; ++frames) level = StepFadeLevel(level, false);
  EXPECT_TRUE(frames > 30 && frames < 80) << frames;  // a cross-fade, not a cut
  EXPECT_EQ((std::vector<int32_t>{StepFadeLevel(1, false), StepFadeLevel(0, false), StepFadeLevel(250, true),
                                  StepFadeLevel(255, true), StepFadeLevel(254, true)}),
            (std::vector<int32_t>{0, 0, 255, 255, 254}));  // only levels below 254 grow

  MenuState menus;
  std::vector<int> black;
  for (int frame = 1; frame <= 2000; ++frame) black.push_back(AdvanceMenuFadeIn(menus));
  EXPECT_EQ((std::vector<int>{black[0], black[1], black[59]}), (std::vector<int>{251, 247, 15}));
  // The counter runs on to 600 and wraps to 61: never dark again.
  EXPECT_EQ(std::count(black.begin() + 60, black.end(), -1), 2000 - 60);

  std::vector<int> offsets;
  for (int i = 0; i < 7; ++i) offsets.push_back(MainMenuItemOffset(i, 37));
  EXPECT_EQ(offsets, (std::vector<int>{-37, -37, 37, 37, -37, -37, 37}));
}

TEST(RecordsForDisplay, HighestScoreFirstWithoutChangingTheTableAndWithinIt) {
  RecordsTable table;
  for (auto [name, score] : {std::pair{"low", 5}, {"top", 9000}, {"mid", 300}, {"neg", -2}, {"mid2", 300}}) {
    std::strncpy(table.entries[table.count].name, name, kNameBytes - 1);
    table.entries[table.count++].score = score;
  }
  std::vector<int> scores;
  for (const RecordEntry& e : RecordsForDisplay(table)) scores.push_back(e.score);
  EXPECT_EQ(scores, (std::vector<int>{9000, 300, 300, 5, -2}));
  EXPECT_STREQ(RecordsForDisplay(table)[1].name, "mid");  // equals keep their order
  EXPECT_STREQ(table.entries[0].name, "low");             // the stored order stays
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
  for (uint32_t now = 1000; now < 3000; now += 16)  // a frame every 16 ms
    if (UpdateCaret(menus, now) != on) toggles.push_back(now), on = menus.caretOn;
  ASSERT_GE(toggles.size(), 10u);
  for (size_t i = 1; i < toggles.size(); ++i)
    EXPECT_TRUE(toggles[i] - toggles[i - 1] > 100u && toggles[i] - toggles[i - 1] <= 120u) << i;
  menus.caretToggledMs = 0xFFFFFFF0u;  // the timer wrapping around does not freeze the caret
  bool before = menus.caretOn;
  EXPECT_NE(UpdateCaret(menus, 0x100), before);
}

TEST(HelpPicture, PageZeroAlternatesEvery128FramesOtherPagesHaveOneColumn) {
  MenuState menus;
  std::vector<int> seen;
  for (int frame = 0; frame < 512; ++frame) seen.push_back(HelpPictureSprite(menus, 0));
  EXPECT_EQ((std::vector<int>{seen[126], seen[127], seen[254], seen[255]}),
            (std::vector<int>{seen[0], seen[0] + 1, seen[0] + 1, seen[0]}));  // the 8-bit counter wraps
  uint8_t frames = menus.helpPictureFrames;
  EXPECT_EQ((std::vector<int>{HelpPictureSprite(menus, 1), HelpPictureSprite(menus, 4),
                              HelpPictureSprite(menus, 5), HelpPictureSprite(menus, -1)}),
            (std::vector<int>{seen[0] + 2, seen[0] + 5, -1, -1}));
  EXPECT_EQ(menus.helpPictureFrames, frames);  // only page 0 counts
}

}  // namespace
}  // namespace nb
