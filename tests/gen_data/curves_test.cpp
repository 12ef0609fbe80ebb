// anim.txt: each of the eight curves has the shape its users need.
#include <gtest/gtest.h>

#include <cmath>

#include "core/animation_file.h"
#include "core/keyframe_curve.h"
#include "data_files.h"

namespace nb {
namespace {

// A curve as the game loads it from the generated anim.txt.
Animation Curve(const std::string& name) {
  AnimationSet set;
  LoadAnimations(set, test::GameFile("anim.txt"));
  for (Animation* a :
       {&set.logo, &set.logo1, &set.timeleft, &set.bonus, &set.clouds, &set.rotation, &set.input, &set.up})
    if (a->name == name) return *a;
  ADD_FAILURE() << "no curve " << name;
  return {};
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

}  // namespace
}  // namespace nb
