#include "core/frame_timing.h"

#include <gtest/gtest.h>

namespace nb {
namespace {

// The main loop under slow and fast drawing is played through by the pace
// test; here the clock alone.
TEST(TickLoop, TicksComeDueEvery16MillisecondsAtTheirOwnTimesAndAStallIsNotCaughtUp) {
  TickClock clock;
  StartTickClock(clock, 100);
  EXPECT_EQ(TakeDueTicks(clock, 115), 0);
  EXPECT_EQ(MsUntilNextTick(clock, 115), 1u);
  EXPECT_EQ(TakeDueTicks(clock, 116), 1);
  EXPECT_EQ(NextTickTime(clock), 116u);
  // Three due at once still stand for the times they fell due.
  EXPECT_EQ(TakeDueTicks(clock, 170), 3);
  for (uint32_t due : {132u, 148u, 164u}) EXPECT_EQ(NextTickTime(clock), due);
  EXPECT_EQ(MsUntilNextTick(clock, 170), kTickMs - 6);
  // A second-long stall gives the most a draw may follow, at the latest
  // times, and no backlog: one tick's time later, one tick is due.
  EXPECT_EQ(TakeDueTicks(clock, 1170), kMaxTicksPerDraw);
  uint32_t last = 0;
  for (int k = 0; k < kMaxTicksPerDraw; ++k) last = NextTickTime(clock);
  EXPECT_GT(last, 1170u - kTickMs);
  EXPECT_LE(last, 1170u);
  EXPECT_EQ(TakeDueTicks(clock, 1170 + kTickMs), 1);
  EXPECT_EQ(NextTickTime(clock), last + kTickMs);
}

TEST(RateMeter, AveragesOverEachIntervalLongerThanASecond) {
  RateMeter meter;
  EXPECT_EQ(static_cast<int>(CountRate(meter, 5000)), 0);  // 1 event over 5 s since 0
  float value = 0;
  for (uint32_t t = 5016; t <= 6000; t += 16) value = CountRate(meter, t);
  EXPECT_EQ(static_cast<int>(value), 0);                    // exactly 1 s is not yet an interval
  EXPECT_NEAR(CountRate(meter, 6016), 63 / 1.016f, 0.01f);  // 63 events in 1.016 s
  EXPECT_EQ(meter.total, 64u);
}

}  // namespace
}  // namespace nb
