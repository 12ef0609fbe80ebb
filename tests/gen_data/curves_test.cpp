// anim.txt: each of the eight curves has the shape its users need.
#include <gtest/gtest.h>

#include <cmath>

#include "data_files.h"
#include "core/animation_file.h"
#include "core/keyframe_curve.h"

namespace nb {
namespace {

// A curve as the game loads it from the generated anim.txt.
Animation Curve(const std::string& name) {
  AnimationSet set;
  LoadAnimations(set, test::GameFile("anim.txt"));
  for (Animation* a : {&set.logo, &set.logo1, &set.timeleft, &set.bonus, &set.clouds, &set.rotation,
                       &set.input, &set.up})
    if (a->name == name) return *a;
  ADD_FAILURE() << "no curve " << name;
  return {};
}

TEST(Curves, EveryCurveHasKeysInTimeOrder) {
  for (const char* name : {"logo", "logo1", "timeleft", "bonus", "clouds", "rotation", "input", "up"}) {
    auto keys = Curve(name).valueKeys;
    ASSERT_GE(keys.size(), 2u) << name;
    for (size_t i = 1; i < keys.size(); ++i) EXPECT_GT(keys[i].time, keys[i - 1].time) << name;
  }
}

TEST(Curves, SplashFadesInHoldsAndEndsAfterAboutFiveSeconds) {
  auto logo = Curve("logo"), fade = Curve("logo1");
  // The splash ends at the first time logo1 truncated has 255 in its low byte.
  int end = -1;
  for (int t = 0; t <= 8000 && end < 0; ++t)
    if ((static_cast<int>(EvaluateCurve(fade, float(t))) & 0xFF) == 255) end = t;
  EXPECT_TRUE(end >= 4000 && end <= 6000) << end;
  // Black at the start, clear for a while in the middle; the maker's name
  // invisible at first, fully visible in the middle, and always a valid alpha.
  EXPECT_TRUE(EvaluateCurve(fade, 0) >= 200.0f && EvaluateCurve(fade, 2500) < 1.0f);
  EXPECT_TRUE(EvaluateCurve(logo, 0) < 1.0f && EvaluateCurve(logo, 2500) >= 255.0f);
  for (int t = 0; t <= 8000; t += 10)
    EXPECT_TRUE(EvaluateCurve(logo, float(t)) >= 0 && EvaluateCurve(logo, float(t)) < 256) << t;
}

TEST(Curves, PulsesStayInRange) {
  auto pulse = Curve("timeleft"), bonus = Curve("bonus");
  float lo = 1e9f, hi = -1e9f, blo = 1e9f, bhi = -1e9f;
  for (int t = 0; t < 256; ++t) {
    float a = EvaluateCurve(pulse, float(t));
    lo = std::min(lo, a), hi = std::max(hi, a);
    float s = EvaluateCurve(bonus, float(t));
    blo = std::min(blo, s), bhi = std::max(bhi, s);
  }
  EXPECT_TRUE(lo >= 0.0f && lo < 30.0f && hi > 220.0f && hi < 256.0f) << lo << " " << hi;
  // The bonus scale pulses around 1 and joins up when the counter wraps.
  EXPECT_TRUE(blo < 0.97f && blo > 0.7f && bhi > 1.03f && bhi < 1.3f) << blo << " " << bhi;
  EXPECT_NEAR(EvaluateCurve(bonus, 0), EvaluateCurve(bonus, 255), 0.01f);
  EXPECT_NEAR(EvaluateCurve(pulse, 0), EvaluateCurve(pulse, 255), 10.0f);
}

TEST(Curves, RotationTurnsOncePer256FramesAndCloudsDriftSeamlessly) {
  auto rot = Curve("rotation");
  EXPECT_NEAR(EvaluateCurve(rot, 0), 0.0f, 1e-6f);
  EXPECT_NEAR(EvaluateCurve(rot, 256), 2 * 3.14159265f, 1e-4f);
  EXPECT_NEAR(EvaluateCurve(rot, 64), 3.14159265f / 2, 1e-3f);
  auto clouds = Curve("clouds");
  float shift = EvaluateCurve(clouds, 1024) - EvaluateCurve(clouds, 0);
  EXPECT_GT(std::fabs(shift), 0.5f);
  EXPECT_NEAR(shift, std::round(shift), 1e-5f) << "a whole number of texture repeats when the counter wraps";
  for (int t = 1; t <= 1024; ++t) EXPECT_GE(EvaluateCurve(clouds, float(t)), EvaluateCurve(clouds, float(t - 1)));
}

TEST(Curves, MenuItemsSlideInAndTitlesComeDownIntoPlace) {
  auto input = Curve("input"), up = Curve("up");
  // At fade level 0 the items (up to about 240 pixels wide) are off an
  // 800-pixel window, so a page in front of the main menu stands alone.
  EXPECT_GE(std::fabs(EvaluateCurve(input, 0)), 520.0f);
  EXPECT_TRUE(EvaluateCurve(input, 255) == 0.0f && EvaluateCurve(up, 255) == 0.0f);
  // The title starts above its place (the value is subtracted from y) and
  // comes down steadily; the menu logo, lifted by the main menu's level,
  // leaves the screen upwards while a page is open.
  EXPECT_GE(EvaluateCurve(up, 0), 300.0f);
  for (int f = 5; f <= 255; f += 5) {
    EXPECT_LE(EvaluateCurve(up, float(f)), EvaluateCurve(up, float(f - 5)));
    EXPECT_LE(std::fabs(EvaluateCurve(input, float(f))), std::fabs(EvaluateCurve(input, float(f - 5))));
  }
  // The level intro reads "up" at 5 x frame up to 500: it stays at rest.
  EXPECT_EQ(EvaluateCurve(up, 500), 0.0f);
}

}  // namespace
}  // namespace nb
