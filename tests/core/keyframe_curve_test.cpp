#include "core/keyframe_curve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nb {
namespace {

Animation Curve(std::initializer_list<ScalarKey> keys) {
  Animation a;
  a.valueKeys = keys;
  return a;
}

TEST(EvaluateCurve, SegmentsEndsAndOddKeyOrders) {
  const Animation empty, single = Curve({{50.0f, Sine, 7.5f}});
  const Animation lin = Curve({{0.0f, Linear, 10.0f}, {100.0f, Linear, 20.0f}, {200.0f, Linear, 0.0f}});
  const Animation sine = Curve({{0.0f, Sine, 0.0f}, {400.0f, Linear, 100.0f}});
  // The kind of the starting key decides; unknown kinds behave as Linear.
  const Animation sineAtEnd = Curve({{0.0f, Linear, 0.0f}, {400.0f, Sine, 100.0f}});
  const Animation unknown = Curve({{0.0f, 7u, 0.0f}, {400.0f, Linear, 100.0f}});
  // Equal times make a step without dividing by zero; the later segment applies.
  const Animation step = Curve({{0.0f, Linear, 0.0f}, {100.0f, Linear, 10.0f}, {100.0f, Sine, 50.0f},
                                {200.0f, Linear, 50.0f}});
  const Animation allEqual = Curve({{5.0f, Linear, 1.0f}, {5.0f, Linear, 2.0f}, {5.0f, Linear, 3.0f}});
  // Decreasing times are not reordered: the first segment holding t, else the last value.
  const Animation decreasing = Curve({{0.0f, Linear, 0.0f}, {200.0f, Linear, 100.0f}, {100.0f, Linear, 50.0f}});
  struct Case {
    const Animation& curve;
    float t, expected, tolerance;
  } cases[] = {
      {empty, -1000, 0, 0}, {empty, 0, 0, 0}, {empty, 1e9f, 0, 0}, {single, -1000, 7.5f, 0}, {single, 50, 7.5f, 0},
      {single, 51, 7.5f, 0},
      {single, 1e9f, 7.5f, 0}, {lin, -10, 10, 0}, {lin, 0, 10, 0}, {lin, 50, 15, 1e-5f}, {lin, 100, 20, 0},
      {lin, 150, 10, 1e-5f}, {lin, 199, 0.2f, 1e-5f}, {lin, 200, 0, 0}, {lin, 1e6f, 0, 0},
      {sine, 200, 50, 1e-4f}, {sine, 100, 14.6447f, 1e-3f}, {sine, 300, 85.3553f, 1e-3f},
      {sineAtEnd, 100, 25, 1e-5f}, {unknown, 100, 25, 1e-5f}, {step, 99, 9.9f, 1e-4f}, {step, 100, 50, 0},
      {step, 150, 50, 0}, {allEqual, 5, 1, 0}, {allEqual, 6, 3, 0}, {decreasing, 150, 75, 1e-5f},
      {decreasing, 250, 50, 0}};
  for (const Case& c : cases) {
    const float v = EvaluateCurve(c.curve, c.t);
    if (c.tolerance == 0) {
      EXPECT_EQ(v, c.expected) << "t " << c.t;
    } else {
      EXPECT_NEAR(v, c.expected, c.tolerance) << "t " << c.t;
    }
  }
  // The sine's slope is 0 at both ends: one step in is much less than linear.
  EXPECT_LT(EvaluateCurve(sine, 4.0f), 0.1f);
  EXPECT_GT(EvaluateCurve(sine, 396.0f), 99.9f);
}

TEST(EvaluateCurveInt, TruncatesTowardZeroAndSaturates) {
  Animation c = Curve({{0.0f, Linear, -2.7f}, {10.0f, Linear, 254.9f}, {20.0f, Linear, 3e9f},
                       {30.0f, Linear, -3e9f}});
  EXPECT_EQ(EvaluateCurveInt(c, 0.0f), -2);
  EXPECT_EQ(EvaluateCurveInt(c, 10.0f), 254);
  EXPECT_EQ(EvaluateCurveInt(c, 20.0f), INT32_MAX);
  EXPECT_EQ(EvaluateCurveInt(c, 30.0f), INT32_MIN);
  // The splash's end test: the low byte of the truncated value.
  Animation fade = Curve({{0.0f, Linear, 0.0f}, {100.0f, Linear, 255.0f}});
  EXPECT_NE(EvaluateCurveInt(fade, 99.9f) & 0xFF, 255);
  EXPECT_EQ(EvaluateCurveInt(fade, 100.0f) & 0xFF, 255);
}

}  // namespace
}  // namespace nb
