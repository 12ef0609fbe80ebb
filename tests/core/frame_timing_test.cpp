#include "core/frame_timing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace nb {
namespace {

// The main loop against a clock the test moves: every draw takes drawMs,
// a wait passes the time asked for. Starts shortly before the timer wraps.
struct LoopRun {
  uint32_t now = 0xFFFFF000u;
  int updates = 0, draws = 0, mostPerDraw = 0, sinceDraw = 0;
};

LoopRun RunLoop(uint32_t drawMs, uint32_t simulatedMs) {
  LoopRun run;
  const uint32_t start = run.now;
  TickClock clock;
  StartTickClock(clock, run.now);
  TickLoopHooks hooks;
  hooks.now = [&] { return run.now; };
  hooks.handleEvents = [] {};
  hooks.wait = [&](uint32_t ms) { run.now += std::max<uint32_t>(ms, 1); };
  hooks.update = [&](uint32_t) { ++run.updates, ++run.sinceDraw; };
  hooks.draw = [&](uint32_t) {
    ++run.draws;
    run.mostPerDraw = std::max(run.mostPerDraw, run.sinceDraw);
    run.sinceDraw = 0;
    run.now += drawMs;
  };
  hooks.done = [&] { return run.now - start >= simulatedMs; };
  RunTickLoop(clock, hooks);
  return run;
}

TEST(TickLoop, UpdatesFollowRealTimeWhateverTheDrawCostsUpToFourPerDraw) {
  constexpr uint32_t kSeconds = 20;
  for (uint32_t drawMs : {0u, 5u, 16u, 40u, 63u, 100u}) {
    SCOPED_TRACE(drawMs);
    const LoopRun run = RunLoop(drawMs, kSeconds * 1000);
    const double perSecond = run.updates / static_cast<double>(kSeconds);
    EXPECT_LE(run.mostPerDraw, kMaxTicksPerDraw);
    if (drawMs < kMaxTicksPerDraw * kTickMs) {
      EXPECT_NEAR(perSecond, 1000.0 / kTickMs, 1.0);
    } else {
      // Slower than that: the limit holds and the game slows down.
      EXPECT_NEAR(run.updates, kMaxTicksPerDraw * run.draws, kMaxTicksPerDraw);
      EXPECT_LT(perSecond, 1000.0 / kTickMs - 10);
    }
    // A draw never comes without an update before it.
    EXPECT_GE(run.updates, run.draws);
    if (drawMs == kTickMs) {
      EXPECT_EQ(run.mostPerDraw, 1);  // the fast machine: one update, one draw
    }
  }
}

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
