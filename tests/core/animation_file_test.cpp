#include "core/animation_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/scratch_dir.h"

namespace nb {
namespace {

using Floats = std::vector<float>;

Animation Load(const std::string& name, const std::string& text) {
  Animation a;
  std::istringstream in(text);
  EXPECT_TRUE(LoadAnimation(a, name, in));
  return a;
}
// Time, value and Sine-ness of every value key, in order.
Floats Keys(const Animation& a) {
  Floats out;
  for (const ScalarKey& k : a.valueKeys) out.insert(out.end(), {k.time, k.value, k.kind == Sine ? 1.0f : 0.0f});
  return out;
}

TEST(LoadAnimations, SectionsLoadOnlyIntoTheirExactNameAndAMissingFileLeavesAllEmpty) {
  test::ScratchDir dir;
  AnimationSet none;
  LoadAnimations(none);
  EXPECT_TRUE(none.logo.valueKeys.empty());
  EXPECT_EQ(EvaluateCurve(none.bonus, 12.0f), 0.0f);
  dir.Write("anim.txt",
            "info face=logo\ntrans_keys count=2\ntrans_key time=0 t=0 intr=sin\ntrans_key time=1000 t=255\n\n"
            "info face=Logo\ntrans_keys count=2\ntrans_key time=0 t=7\ntrans_key time=10 t=8\n"
            "info face=up\r\ntrans_keys count=1\r\ntrans_key time=5 t=-400\r\n");
  AnimationSet set;
  LoadAnimations(set);
  EXPECT_EQ(Keys(set.logo), (Floats{0, 0, 1, 1000, 255, 0}));
  EXPECT_NEAR(EvaluateCurve(set.logo, 500.0f), 127.5f, 1e-3f);
  EXPECT_EQ(Keys(set.up), (Floats{5, -400, 0}));
  // "Logo" is not "logo", and names without sections stay empty.
  for (const Animation* a : {&set.logo1, &set.timeleft, &set.bonus, &set.clouds, &set.rotation, &set.input})
    EXPECT_TRUE(a->valueKeys.empty()) << a->name;
  EXPECT_EQ((std::vector<std::string>{set.logo1.name, set.rotation.name, set.up.name}),
            (std::vector<std::string>{"logo1", "rotation", "up"}));
}

TEST(LoadAnimation, KeyAttributesChannelsAndRepeatedSections) {
  // No time attribute reads 0; only "sin" in lower case is Sine.
  EXPECT_EQ(Keys(Load("bonus", "info face=bonus\ntrans_keys count=4\ntrans_key t=3\ntrans_key time=1 t=4 intr=SIN\n"
                               "trans_key time=3 t=6 intr=sin\ntrans_key time=4 t=7 intr=cubic\n")),
            (Floats{0, 3, 0, 1, 4, 0, 3, 6, 1, 4, 7, 0}));
  Animation c = Load("clouds",
                     "info face=clouds\npos_keys count=2\npos_key time=1 x=10 y=11\nscale_keys count=2\n"
                     "scale_key time=2 x=0.5 y=-0.5 intr=sin\npos_key time=3 x=30 y=31\n"
                     "trans_keys count=1\ntrans_key time=4 t=9\n");
  // Channels share one key index: scale_keys reset it, so the second pos_key lands at index 1.
  ASSERT_EQ(c.positionKeys.size(), 2u);
  EXPECT_EQ((Floats{c.positionKeys[0].time, c.positionKeys[0].y, c.positionKeys[1].time, c.positionKeys[1].x}),
            (Floats{1, 11, 3, 30}));
  ASSERT_EQ(c.scaleKeys.size(), 2u);
  EXPECT_EQ((Floats{float(c.scaleKeys[0].kind == Sine), c.scaleKeys[0].y, c.scaleKeys[1].time}), (Floats{1, -0.5f, 0}));
  EXPECT_EQ(Keys(c), (Floats{4, 9, 0}));
  // A later section of the same name replaces the channel.
  EXPECT_EQ(Keys(Load("input", "info face=input\ntrans_keys count=2\ntrans_key time=0 t=1\ntrans_key time=1 t=2\n"
                               "info face=other\ntrans_keys count=9\ntrans_key time=0 t=100\n"
                               "info face=input\ntrans_keys count=1\ntrans_key time=5 t=3\n")),
            (Floats{5, 3, 0}));
}

TEST(LoadAnimation, KeysWithoutRoomBadCountsAndLongLinesStayWithinTheChannel) {
  // Before any count line and past the declared count.
  Animation a = Load("logo",
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
  EXPECT_EQ(Keys(Load("timeleft", "info face=timeleft\ntrans_keys count=3\ntrans_key time=0 t=1\n" + longLine +
                                      "\ntrans_key time=1 t=2\n")),
            (Floats{0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace nb
