#include "text/keyframe_curve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nb {
namespace {

Animation Curve(std::initializer_list<ScalarKey> keys) {
  Animation a;
  a.valueKeys = keys;
  return a;
}

TEST(EvaluateCurve, EmptyAndSingleKeyChannels) {
  Animation empty;
  for (float t : {-1000.0f, 0.0f, 5.0f, 1e9f}) EXPECT_EQ(EvaluateCurve(empty, t), 0.0f);
  Animation single = Curve({{50.0f, Sine, 7.5f}});
  for (float t : {-1000.0f, 0.0f, 50.0f, 51.0f, 1e9f}) EXPECT_EQ(EvaluateCurve(single, t), 7.5f);
}

TEST(EvaluateCurve, LinearSegmentsAndTheEnds) {
  Animation c = Curve({{0.0f, Linear, 10.0f}, {100.0f, Linear, 20.0f}, {200.0f, Linear, 0.0f}});
  EXPECT_EQ(EvaluateCurve(c, -10.0f), 10.0f);  // before the first key
  EXPECT_EQ(EvaluateCurve(c, 0.0f), 10.0f);
  EXPECT_FLOAT_EQ(EvaluateCurve(c, 50.0f), 15.0f);
  EXPECT_EQ(EvaluateCurve(c, 100.0f), 20.0f);  // an inner key gives its own value
  EXPECT_FLOAT_EQ(EvaluateCurve(c, 150.0f), 10.0f);
  EXPECT_NEAR(EvaluateCurve(c, 199.0f), 0.2f, 1e-5f);
  EXPECT_EQ(EvaluateCurve(c, 200.0f), 0.0f);  // at and after the last key
  EXPECT_EQ(EvaluateCurve(c, 1e6f), 0.0f);
}

TEST(EvaluateCurve, SineSegmentEasesInAndOut) {
  Animation c = Curve({{0.0f, Sine, 0.0f}, {400.0f, Linear, 100.0f}});
  EXPECT_NEAR(EvaluateCurve(c, 200.0f), 50.0f, 1e-4f);   // s = 0.5: the midpoint
  EXPECT_NEAR(EvaluateCurve(c, 100.0f), 14.6447f, 1e-3f);  // s = 0.25
  EXPECT_NEAR(EvaluateCurve(c, 300.0f), 85.3553f, 1e-3f);
  // The slope is 0 at both ends: one step in is much less than linear.
  EXPECT_LT(EvaluateCurve(c, 4.0f), 0.1f);
  EXPECT_GT(EvaluateCurve(c, 396.0f), 99.9f);
  // The kind of the starting key decides: a Sine key at the end has no effect.
  Animation linearThenSine = Curve({{0.0f, Linear, 0.0f}, {400.0f, Sine, 100.0f}});
  EXPECT_FLOAT_EQ(EvaluateCurve(linearThenSine, 100.0f), 25.0f);
  // Unknown kinds behave as Linear.
  Animation unknown = Curve({{0.0f, 7u, 0.0f}, {400.0f, Linear, 100.0f}});
  EXPECT_FLOAT_EQ(EvaluateCurve(unknown, 100.0f), 25.0f);
}

TEST(EvaluateCurve, EqualTimesMakeAStepWithoutDividingByZero) {
  Animation c = Curve({{0.0f, Linear, 0.0f},
                       {100.0f, Linear, 10.0f},
                       {100.0f, Sine, 50.0f},
                       {200.0f, Linear, 50.0f}});
  EXPECT_NEAR(EvaluateCurve(c, 99.0f), 9.9f, 1e-4f);
  EXPECT_EQ(EvaluateCurve(c, 100.0f), 50.0f);  // the later segment applies
  EXPECT_EQ(EvaluateCurve(c, 150.0f), 50.0f);
  Animation allEqual = Curve({{5.0f, Linear, 1.0f}, {5.0f, Linear, 2.0f}, {5.0f, Linear, 3.0f}});
  EXPECT_EQ(EvaluateCurve(allEqual, 5.0f), 1.0f);  // t at the first key's time
  EXPECT_EQ(EvaluateCurve(allEqual, 6.0f), 3.0f);
  EXPECT_FALSE(std::isnan(EvaluateCurve(allEqual, 5.0f)));
}

TEST(EvaluateCurve, DecreasingTimesAreNotReordered) {
  Animation c = Curve({{0.0f, Linear, 0.0f}, {200.0f, Linear, 100.0f}, {100.0f, Linear, 50.0f}});
  EXPECT_FLOAT_EQ(EvaluateCurve(c, 150.0f), 75.0f);  // first segment holding t
  EXPECT_EQ(EvaluateCurve(c, 250.0f), 50.0f);        // none holds it: last value
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
