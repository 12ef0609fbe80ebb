#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gameplay/status_messages.h"

namespace nb {
namespace {

std::vector<StatusTextDraw> DrawFrame(StatusMessageQueue& queue) {
  std::vector<StatusTextDraw> draws;
  DrawAndAgeStatusMessages(queue, [&](const StatusTextDraw& d) { draws.push_back(d); });
  return draws;
}

TEST(StatusMessages, SlotsFillFromTheLowestFreeASixthIsDroppedAndLongTextsAreCut) {
  StatusMessageQueue queue;
  ClearStatusMessages(queue);
  EXPECT_TRUE(ShowStatusMessage(queue, "one"));
  EXPECT_TRUE(ShowStatusMessage(queue, "two"));
  // Two in the same frame sit 20 pixels apart; the shadow comes first.
  std::vector<StatusTextDraw> draws = DrawFrame(queue);
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ((std::vector<uint32_t>{uint32_t(draws[0].x), uint32_t(draws[0].y), draws[0].argb}),
            (std::vector<uint32_t>{2, 42, 0xFF000000u}));
  EXPECT_EQ((std::vector<uint32_t>{uint32_t(draws[1].x), uint32_t(draws[1].y), draws[1].argb}),
            (std::vector<uint32_t>{0, 40, 0xFFFFC800u}));
  EXPECT_EQ(draws[3].y, 60);

  // Slot 2 busy, 0 and 1 free: a new message goes to slot 0.
  ClearStatusMessages(queue);
  queue.slots[2].timer = 100;
  ShowStatusMessage(queue, "first free");
  EXPECT_STREQ(queue.slots[0].text, "first free");
  EXPECT_EQ(queue.slots[0].timer, 500);

  ClearStatusMessages(queue);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(ShowStatusMessage(queue, "m" + std::to_string(i)));
  EXPECT_FALSE(ShowStatusMessage(queue, "sixth"));
  for (const StatusMessage& slot : queue.slots) EXPECT_STRNE(slot.text, "sixth");

  ClearStatusMessages(queue);
  ShowStatusMessage(queue, std::string(100, 'x'));
  EXPECT_EQ(std::string(queue.slots[0].text), std::string(63, 'x'));
}

TEST(StatusMessages, FadeOverTheLast255FramesThenTheSlotFrees) {
  StatusMessageQueue queue;
  ShowStatusMessage(queue, "fade");
  std::vector<uint32_t> alphas;
  for (int frame = 0; frame < 502; ++frame) {
    std::vector<StatusTextDraw> draws = DrawFrame(queue);
    if (draws.empty()) break;
    alphas.push_back(draws[1].argb >> 24);
  }
  ASSERT_EQ(alphas.size(), 501u);  // timers 500 down to 0 are drawn
  EXPECT_EQ(alphas[0], 255u);
  EXPECT_EQ(alphas[245], 255u);  // timer 255
  EXPECT_EQ(alphas[246], 254u);
  EXPECT_EQ(alphas[500], 0u);
  EXPECT_LT(queue.slots[0].timer, 0);
  // A slot keeps its place while the slots above it empty.
  ShowStatusMessage(queue, "a");
  ShowStatusMessage(queue, "b");
  queue.slots[0].timer = 0;
  DrawFrame(queue);
  std::vector<StatusTextDraw> draws = DrawFrame(queue);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[1].y, 60);
  EXPECT_STREQ(draws[1].text, "b");
}

}  // namespace
}  // namespace nb
