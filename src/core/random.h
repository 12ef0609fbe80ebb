#pragma once
#include <cstdint>
#include <deque>

namespace nb {

// The game's random numbers: values 0..32767, the sequence of the C
// standard's sample rand(). Gameplay compares raw values with fixed
// thresholds, so the range matters. Seeded once from the calendar time at
// start-up; a test seeds it, or queues the exact values the next draws give.
struct Rng {
  uint32_t next = 1;
  std::deque<int> queued;  // drawn first, in order, when not empty

  void Seed(uint32_t seed) { next = seed; }
  int Rand() {
    if (!queued.empty()) {
      int value = queued.front();
      queued.pop_front();
      return value;
    }
    next = next * 1103515245u + 12345u;
    return static_cast<int>((next / 65536u) % 32768u);
  }
};

constexpr int kRandMax = 32767;

}  // namespace nb
