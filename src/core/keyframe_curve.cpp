#include "core/keyframe_curve.h"

#include <cmath>

namespace nb {

namespace {

float InterpolateSegment(const ScalarKey& a, const ScalarKey& b, float t) {
  const float d = b.time - a.time;
  if (d <= 0.0f) return a.value;
  const float u = t - a.time;
  if (u >= d) return b.value;
  if (a.kind == Sine) {
    // Eases in and out: the slope is 0 at both ends of the segment.
    const float s = u / d;
    return a.value + (b.value - a.value) * (std::sin((s + s - 1.0f) * 1.5707964f) + 1.0f) * 0.5f;
  }
  return a.value + (b.value - a.value) * (u / d);
}

}  // namespace

float EvaluateCurve(const Animation& animation, float t) {
  const std::vector<ScalarKey>& k = animation.valueKeys;
  const size_t n = k.size();
  if (n == 0) return 0.0f;
  if (t <= k[0].time) return k[0].value;
  // The first segment that holds t; equal times never hold it, so a step
  // takes the later segment, and decreasing times are not reordered.
  for (size_t i = 0; i + 1 < n; ++i) {
    if (k[i].time <= t && t < k[i + 1].time) return InterpolateSegment(k[i], k[i + 1], t);
  }
  return k[n - 1].value;
}

int32_t EvaluateCurveInt(const Animation& animation, float t) {
  const float v = EvaluateCurve(animation, t);
  if (!(v == v)) return 0;  // not a number
  if (v >= 2147483648.0f) return INT32_MAX;
  if (v <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace nb
