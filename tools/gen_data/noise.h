#pragma once
#include <cmath>
#include <cstdint>

namespace gen {

// Integer hash noise: the same numbers on every run and every machine.
inline uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return h;
}
inline float HashUnit(uint32_t x, uint32_t y, uint32_t seed) {  // 0..1
  return (Hash(x, y, seed) & 0xffffff) / float(0xffffff);
}

inline float Smooth(float t) { return t * t * (3 - 2 * t); }

inline int Wrap(int i, int period) {
  int r = i % period;
  return r < 0 ? r + period : r;
}

// Value noise in -1..1 that repeats every `px` by `py` units.
inline float PeriodicNoise2(float x, float y, int px, int py, uint32_t seed) {
  int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  float fx = Smooth(x - ix), fy = Smooth(y - iy);
  auto at = [&](int a, int b) { return HashUnit(Wrap(a, px), Wrap(b, py), seed); };
  float a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
  float top = a + (b - a) * fx, bottom = c + (d - c) * fx;
  return (top + (bottom - top) * fy) * 2 - 1;
}

inline float PeriodicNoise(float x, int period, uint32_t seed) {
  return PeriodicNoise2(x, 0.5f, period, 1, seed);
}

// Several octaves, each twice as fine and half as strong; repeats every
// `period` units of (x, y) when period > 0.
inline float Fbm(float x, float y, int octaves, int period, uint32_t seed) {
  float sum = 0, amp = 0.5f, norm = 0;
  int p = period;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * PeriodicNoise2(x, y, p, p, seed + o * 101);
    norm += amp;
    x *= 2, y *= 2, p *= 2, amp *= 0.5f;
  }
  return sum / norm;
}

}  // namespace gen
