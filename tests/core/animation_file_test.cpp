#include "core/animation_file.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/scratch_dir.h"

namespace nb {
namespace {

using Floats = std::vector<float>;

Animation Load(const std::string& name, const std::string& text) {
  Animation a;
  ParseAnimation(a, name, text);
  return a;
}
// Time, value and Sine-ness of every value key, in order.
Floats Keys(const Animation& a) {
  Floats out;
  for (const ScalarKey& k : a.valueKeys)
    out.insert(out.end(), {k.time, k.value, k.kind == Sine ? 1.0f : 0.0f});
  return out;
}

TEST(LoadAnimations, SectionsLoadOnlyIntoTheirExactNameAndAMissingFileLeavesAllEmpty) {
  test::ScratchDir dir;
  AnimationSet none;
  EXPECT_EQ(LoadAnimations(none), "logo");  // the first curve left without keys
  EXPECT_TRUE(none.logo.valueKeys.empty());
  EXPECT_EQ(EvaluateCurve(none.bonus, 12.0f), 0.0f);
  dir.Write("anim.txt",
            "info face=logo\ntrans_keys count=2\ntrans_key time=0 t=0 intr=sin\ntrans_key time=1000 t=255\n\n"
            "info face=Logo\ntrans_keys count=2\ntrans_key time=0 t=7\ntrans_key time=10 t=8\n"
            "info face=up\r\ntrans_keys count=1\r\ntrans_key time=5 t=-400\r\n");
  AnimationSet set;
  EXPECT_EQ(LoadAnimations(set), "logo1");
  EXPECT_EQ(Keys(set.logo), (Floats{0, 0, 1, 1000, 255, 0}));
  EXPECT_NEAR(EvaluateCurve(set.logo, 500.0f), 127.5f, 1e-3f);
  EXPECT_EQ(Keys(set.up), (Floats{5, -400, 0}));
  EXPECT_TRUE(set.logo1.valueKeys.empty());  // a name without a section stays empty
}

TEST(ParseAnimation, KeyAttributesChannelsCountsAndLongLines) {
  // No time attribute reads 0; only "sin" in lower case is Sine.
  EXPECT_EQ(Keys(Load("bonus",
                      "info face=bonus\ntrans_keys count=4\ntrans_key t=3\ntrans_key time=1 t=4 intr=SIN\n"
                      "trans_key time=3 t=6 intr=sin\ntrans_key time=4 t=7 intr=cubic\n")),
            (Floats{0, 3, 0, 1, 4, 0, 3, 6, 1, 4, 7, 0}));
  Animation c = Load("clouds",
                     "info face=clouds\npos_keys count=2\npos_key time=1 x=10 y=11\nscale_keys count=2\n"
                     "scale_key time=2 x=0.5 y=-0.5 intr=sin\npos_key time=3 x=30 y=31\n"
                     "trans_keys count=1\ntrans_key time=4 t=9\n");
  // Channels share one key index: scale_keys reset it, so the second pos_key lands at index 1.
  ASSERT_EQ(c.positionKeys.size(), 2u);
  EXPECT_EQ(
      (Floats{c.positionKeys[0].time, c.positionKeys[0].y, c.positionKeys[1].time, c.positionKeys[1].x}),
      (Floats{1, 11, 3, 30}));
  ASSERT_EQ(c.scaleKeys.size(), 2u);
  EXPECT_EQ((Floats{float(c.scaleKeys[0].kind == Sine), c.scaleKeys[0].y, c.scaleKeys[1].time}),
            (Floats{1, -0.5f, 0}));
  EXPECT_EQ(Keys(c), (Floats{4, 9, 0}));

  // Keys before any count line and past the declared count have no room.
  Animation a =
      Load("logo",
           "info face=logo\ntrans_key time=9 t=9\npos_key time=9 x=9\ntrans_keys count=2\n"
           "trans_key time=0 t=1\ntrans_key time=1 t=2\ntrans_key time=2 t=3\ntrans_key time=3 t=4\n");
  EXPECT_TRUE(a.positionKeys.empty());
  EXPECT_EQ(Keys(a), (Floats{0, 1, 0, 1, 2, 0}));
  // Negative or absurd counts are not sizes.
  Animation b = Load("up",
                     "info face=up\ntrans_keys count=-3\ntrans_key time=0 t=1\npos_keys count=2000000000\n"
                     "pos_key time=0 x=1\nscale_keys count=99999999999999\n");
  EXPECT_TRUE(b.valueKeys.empty() && b.positionKeys.empty() && b.scaleKeys.empty());
  EXPECT_EQ(Load("up", "info face=up\ntrans_keys count=65536\n").valueKeys.size(), 65536u);
  // A line too long for the 500-byte buffer ends the read.
  const std::string longLine = "trans_key time=5 t=5 pad=" + std::string(480, 'x');
  EXPECT_EQ(Keys(Load("timeleft", "info face=timeleft\ntrans_keys count=3\ntrans_key time=0 t=1\n" +
                                      longLine + "\ntrans_key time=1 t=2\n")),
            (Floats{0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

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
  const Animation step =
      Curve({{0.0f, Linear, 0.0f}, {100.0f, Linear, 10.0f}, {100.0f, Sine, 50.0f}, {200.0f, Linear, 50.0f}});
  const Animation allEqual = Curve({{5.0f, Linear, 1.0f}, {5.0f, Linear, 2.0f}, {5.0f, Linear, 3.0f}});
  // Decreasing times are not reordered: the first segment holding t, else the last value.
  const Animation decreasing =
      Curve({{0.0f, Linear, 0.0f}, {200.0f, Linear, 100.0f}, {100.0f, Linear, 50.0f}});
  struct Case {
    const Animation& curve;
    float t, expected, tolerance;
  } cases[] = {{empty, 0, 0, 0},
               {single, 1e9f, 7.5f, 0},
               {lin, -10, 10, 0},
               {lin, 100, 20, 0},
               {lin, 150, 10, 1e-5f},
               {lin, 1e6f, 0, 0},
               {sine, 100, 14.6447f, 1e-3f},
               {sineAtEnd, 100, 25, 1e-5f},
               {unknown, 100, 25, 1e-5f},
               {step, 99, 9.9f, 1e-4f},
               {step, 100, 50, 0},
               {allEqual, 5, 1, 0},
               {allEqual, 6, 3, 0},
               {decreasing, 150, 75, 1e-5f},
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
  // The integer value truncates toward zero and saturates.
  const Animation wide =
      Curve({{0.0f, Linear, -2.7f}, {10.0f, Linear, 254.9f}, {20.0f, Linear, 3e9f}, {30.0f, Linear, -3e9f}});
  EXPECT_EQ((std::vector<int32_t>{EvaluateCurveInt(wide, 0), EvaluateCurveInt(wide, 10),
                                  EvaluateCurveInt(wide, 20), EvaluateCurveInt(wide, 30)}),
            (std::vector<int32_t>{-2, 254, INT32_MAX, INT32_MIN}));
}

}  // namespace
}  // namespace nb
