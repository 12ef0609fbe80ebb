// The arithmetic of the menu frame: fade levels, the alternating slides and
// the records order.
#include <gtest/gtest.h>

#include <cstring>

#include "shell/screens/menu_frame.h"
#include "shell/screens/menu_pages.h"

namespace nb {
namespace {

TEST(MenuFades, LeftScreensFadeGeometricallyAndTheCurrentOneRisesByFive) {
  // The first steps (255, 231, 209) are played through the pause overlay in play_screen_test.cpp.
  int frames = 0;
  for (int32_t level = 255; level > 1; ++frames) level = StepFadeLevel(level, false);
  EXPECT_TRUE(frames > 30 && frames < 80) << frames;  // a cross-fade, not a cut
  EXPECT_EQ((std::vector<int32_t>{StepFadeLevel(1, false), StepFadeLevel(0, false), StepFadeLevel(250, true),
                                  StepFadeLevel(255, true), StepFadeLevel(254, true)}),
            (std::vector<int32_t>{0, 0, 255, 255, 254}));  // only levels below 254 grow

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

}  // namespace
}  // namespace nb
