#pragma once
#include <cstdint>
#include <functional>

namespace nb {

// The game advances in ticks of real time: rules, animations, counters and
// the camera take one step per tick, whatever the drawing costs. On a fast
// machine that is one update and one draw every 16 ms, the pace the game
// was tuned at.
constexpr uint32_t kTickMs = 16;
// A slow machine runs up to this many updates before each draw; below about
// 15 drawn frames a second the game slows down rather than jumps.
constexpr int kMaxTicksPerDraw = 4;

// Real time taken from the millisecond timer and not yet run as ticks, and
// the timer reading each tick stands for: the time it fell due, 16 ms after
// the one before. An update reads its tick's time, so the level's seconds
// count the same whether the ticks ran one per draw or four.
struct TickClock {
  uint32_t lastMs = 0;
  uint32_t owedMs = 0;
  uint32_t tickMs = 0;  // the time of the last tick taken
};

void StartTickClock(TickClock& clock, uint32_t nowMs);
// The ticks due at timer reading now (0 .. kMaxTicksPerDraw), taken from the
// clock; time owed beyond the limit is dropped, and the ticks' times skip
// it. Wrap-around safe.
int TakeDueTicks(TickClock& clock, uint32_t nowMs);
// The time of the next due tick (call once per tick taken).
uint32_t NextTickTime(TickClock& clock);
// Milliseconds until the next tick is due (0 when one is).
uint32_t MsUntilNextTick(const TickClock& clock, uint32_t nowMs);

// What the main loop calls. Waiting events are handled between draws; wait
// sleeps until an event arrives or the milliseconds have passed.
struct TickLoopHooks {
  std::function<uint32_t()> now;
  std::function<void()> handleEvents;
  std::function<void(uint32_t ms)> wait;
  std::function<void(uint32_t tickMs)> update;  // at its tick's time
  std::function<void(uint32_t nowMs)> draw;     // at the timer's reading
  std::function<bool()> done;
};

// Until done: the waiting events, then every tick that real time has made
// due (at most kMaxTicksPerDraw) followed by one draw, or a wait for the
// next tick when none is due.
void RunTickLoop(TickClock& clock, const TickLoopHooks& hooks);

// A rate meter: events (drawn frames, updates) per second, averaged over the
// last interval longer than 1 s, and the totals since the start.
struct RateMeter {
  int32_t count = 0;
  float lastMeasureSeconds = 0;
  float rate = 0;
  uint64_t total = 0;
};

// Counts one event at timer reading now and returns the current rate.
float CountRate(RateMeter& meter, uint32_t nowMs);

}  // namespace nb
