#include "core/frame_timing.h"

namespace nb {

void StartTickClock(TickClock& clock, uint32_t nowMs) { clock = TickClock{nowMs, 0, nowMs}; }

int TakeDueTicks(TickClock& clock, uint32_t nowMs) {
  clock.owedMs += nowMs - clock.lastMs;
  clock.lastMs = nowMs;
  uint32_t ticks = clock.owedMs / kTickMs;
  if (ticks > static_cast<uint32_t>(kMaxTicksPerDraw)) {
    ticks = kMaxTicksPerDraw;
    clock.owedMs %= kTickMs;
    clock.tickMs = nowMs - clock.owedMs - ticks * kTickMs;
  } else {
    clock.owedMs -= ticks * kTickMs;
  }
  return static_cast<int>(ticks);
}

uint32_t NextTickTime(TickClock& clock) { return clock.tickMs += kTickMs; }

uint32_t MsUntilNextTick(const TickClock& clock, uint32_t nowMs) {
  const uint32_t owed = clock.owedMs + (nowMs - clock.lastMs);
  return owed >= kTickMs ? 0 : kTickMs - owed;
}

void RunTickLoop(TickClock& clock, const TickLoopHooks& hooks) {
  while (!hooks.done()) {
    hooks.handleEvents();
    if (hooks.done()) break;
    const uint32_t now = hooks.now();
    const int ticks = TakeDueTicks(clock, now);
    if (ticks == 0) {
      hooks.wait(MsUntilNextTick(clock, now));
      continue;
    }
    for (int k = 0; k < ticks && !hooks.done(); ++k) hooks.update(NextTickTime(clock));
    if (!hooks.done()) hooks.draw(now);
  }
}

float CountRate(RateMeter& meter, uint32_t nowMs) {
  ++meter.count;
  ++meter.total;
  const float t = static_cast<float>(static_cast<double>(nowMs) * 0.001);
  if (t - meter.lastMeasureSeconds > 1.0f) {
    meter.rate = static_cast<float>(meter.count) / (t - meter.lastMeasureSeconds);
    meter.count = 0;
    meter.lastMeasureSeconds = t;
  }
  return meter.rate;
}

}  // namespace nb
