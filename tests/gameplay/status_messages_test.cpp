#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gameplay/status_messages.h"

namespace nb {
namespace {

using U = std::vector<uint32_t>;

// A draw, then the next update's ageing.
std::vector<StatusTextDraw> DrawFrame(StatusMessageQueue& queue) {
  std::vector<StatusTextDraw> draws;
  DrawStatusMessages(queue, [&](const StatusTextDraw& d) { draws.push_back(d); });
  AgeStatusMessages(queue);
  return draws;
}

TEST(StatusMessages, SlotsFillFromTheLowestFreeASixthIsDroppedAndLongTextsAreCut) {
  StatusMessageQueue queue;
  EXPECT_TRUE(ShowStatusMessage(queue, "one"));
  EXPECT_TRUE(ShowStatusMessage(queue, "two"));
  // Two in the same frame sit 20 pixels apart; the shadow comes first.
  std::vector<StatusTextDraw> draws = DrawFrame(queue);
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ((U{uint32_t(draws[0].x), uint32_t(draws[0].y), draws[0].argb}), (U{2, 42, 0xFF000000u}));
  EXPECT_EQ((U{uint32_t(draws[1].x), uint32_t(draws[1].y), draws[1].argb}), (U{0, 40, 0xFFFFC800u}));
  EXPECT_EQ(draws[3].y, 60);
  ClearStatusMessages(queue);  // slot 2 busy, 0 and 1 free: a new message goes to slot 0
  queue.slots[2].timer = 100;
  ShowStatusMessage(queue, "first free");
  EXPECT_STREQ(queue.slots[0].text, "first free");
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
  for (std::vector<StatusTextDraw> draws; alphas.size() < 502 && !(draws = DrawFrame(queue)).empty();)
    alphas.push_back(draws[1].argb >> 24);
  ASSERT_EQ(alphas.size(), 501u);  // timers 500 down to 0 are drawn
  EXPECT_EQ((U{alphas[0], alphas[245], alphas[246], alphas[500]}), (U{255, 255, 254, 0}));  // 245: timer 255
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
