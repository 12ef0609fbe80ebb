#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nb {

// How a segment runs from its starting key to the next. Stored as a plain
// number: anything but Sine behaves as Linear.
enum InterpolationKind : uint32_t {
  Linear = 0,
  Sine = 1,
};

// One key of the value channel.
struct ScalarKey {
  float time = 0.0f;
  uint32_t kind = Linear;
  float value = 0.0f;
};

// One key of the position or scale channel.
struct VectorKey {
  float time = 0.0f;
  uint32_t kind = Linear;
  float x = 0.0f;
  float y = 0.0f;
};

// A named set of keyframe channels. Keys stay in file order; only the value
// channel is evaluated by the game, the other two are kept as loaded.
struct Animation {
  std::string name;
  std::vector<VectorKey> positionKeys;
  std::vector<VectorKey> scaleKeys;
  std::vector<ScalarKey> valueKeys;
};

// The value channel at t (in whatever unit the caller's clock uses). An
// empty channel gives 0; before the first key the first value, at or after
// the last key the last value. Computed in single precision.
float EvaluateCurve(const Animation& animation, float t);

// The value truncated toward zero, as alphas, bytes and pixel offsets use
// it; values beyond the int range saturate instead of overflowing.
int32_t EvaluateCurveInt(const Animation& animation, float t);

}  // namespace nb
