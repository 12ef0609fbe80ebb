#include "text/animation_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/scratch_dir.h"

namespace nb {
namespace {

Animation Load(const std::string& name, const std::string& text) {
  Animation a;
  std::istringstream in(text);
  EXPECT_TRUE(LoadAnimation(a, name, in));
  EXPECT_EQ(a.name, name);
  return a;
}

TEST(LoadAnimations, SectionsLoadOnlyIntoTheirExactName) {
  test::ScratchDir dir;
  dir.Write("anim.txt",
            "info face=logo\n"
            "trans_keys count=2\n"
            "trans_key time=0 t=0 intr=sin\n"
            "trans_key time=1000 t=255\n"
            "\n"
            "info face=Logo\n"
            "trans_keys count=2\n"
            "trans_key time=0 t=7\n"
            "trans_key time=10 t=8\n"
            "info face=up\r\n"
            "trans_keys count=1\r\n"
            "trans_key time=5 t=-400\r\n");
  AnimationSet set;
  LoadAnimations(set);
  ASSERT_EQ(set.logo.valueKeys.size(), 2u);
  EXPECT_EQ(set.logo.valueKeys[0].kind, Sine);
  EXPECT_EQ(set.logo.valueKeys[1].time, 1000.0f);
  EXPECT_EQ(set.logo.valueKeys[1].value, 255.0f);
  EXPECT_NEAR(EvaluateCurve(set.logo, 500.0f), 127.5f, 1e-3f);
  ASSERT_EQ(set.up.valueKeys.size(), 1u);
  EXPECT_EQ(set.up.valueKeys[0].value, -400.0f);
  // "Logo" is not "logo", and names without sections stay empty.
  for (const Animation* a : {&set.logo1, &set.timeleft, &set.bonus, &set.clouds, &set.rotation,
                             &set.input}) {
    EXPECT_TRUE(a->valueKeys.empty()) << a->name;
    EXPECT_EQ(EvaluateCurve(*a, 300.0f), 0.0f);
  }
  EXPECT_EQ(set.logo1.name, "logo1");
  EXPECT_EQ(set.rotation.name, "rotation");
}

TEST(LoadAnimations, MissingFileLeavesEveryCurveEmpty) {
  test::ScratchDir dir;
  AnimationSet set;
  LoadAnimations(set);
  EXPECT_TRUE(set.logo.valueKeys.empty());
  EXPECT_EQ(set.up.name, "up");
  EXPECT_EQ(EvaluateCurve(set.bonus, 12.0f), 0.0f);
}

TEST(LoadAnimation, KeyAttributes) {
  Animation a = Load("bonus",
                     "info face=bonus\n"
                     "trans_keys count=5\n"
                     "trans_key t=3\n"
                     "trans_key time=1 t=4 intr=SIN\n"
                     "trans_key time=2 t=5 intr=line\n"
                     "trans_key time=3 t=6 intr=sin\n"
                     "trans_key time=4 t=7 intr=cubic\n");
  ASSERT_EQ(a.valueKeys.size(), 5u);
  EXPECT_EQ(a.valueKeys[0].time, 0.0f);  // no time attribute
  EXPECT_EQ(a.valueKeys[0].kind, Linear);
  EXPECT_EQ(a.valueKeys[1].kind, Linear);  // SIN in upper case is not sin
  EXPECT_EQ(a.valueKeys[2].kind, Linear);
  EXPECT_EQ(a.valueKeys[3].kind, Sine);
  EXPECT_EQ(a.valueKeys[4].kind, Linear);
  EXPECT_EQ(a.valueKeys[4].value, 7.0f);
}

TEST(LoadAnimation, PositionAndScaleChannelsShareOneKeyIndex) {
  Animation a = Load("clouds",
                     "info face=clouds\n"
                     "pos_keys count=2\n"
                     "pos_key time=1 x=10 y=11\n"
                     "scale_keys count=2\n"
                     "scale_key time=2 x=0.5 y=-0.5 intr=sin\n"
                     "pos_key time=3 x=30 y=31\n"
                     "trans_keys count=1\n"
                     "trans_key time=4 t=9\n");
  ASSERT_EQ(a.positionKeys.size(), 2u);
  EXPECT_EQ(a.positionKeys[0].x, 10.0f);
  EXPECT_EQ(a.positionKeys[0].y, 11.0f);
  // scale_keys reset the index; the second pos_key lands at index 1.
  EXPECT_EQ(a.positionKeys[1].time, 3.0f);
  EXPECT_EQ(a.positionKeys[1].x, 30.0f);
  ASSERT_EQ(a.scaleKeys.size(), 2u);
  EXPECT_EQ(a.scaleKeys[0].kind, Sine);
  EXPECT_EQ(a.scaleKeys[0].y, -0.5f);
  EXPECT_EQ(a.scaleKeys[1].time, 0.0f);  // never written: all zero
  ASSERT_EQ(a.valueKeys.size(), 1u);
  EXPECT_EQ(a.valueKeys[0].value, 9.0f);
}

TEST(LoadAnimation, LaterSectionsOfTheSameNameReplaceChannels) {
  Animation a = Load("input",
                     "info face=input\n"
                     "trans_keys count=2\n"
                     "trans_key time=0 t=1\n"
                     "trans_key time=1 t=2\n"
                     "info face=other\n"
                     "trans_keys count=9\n"
                     "trans_key time=0 t=100\n"
                     "info face=input\n"
                     "trans_keys count=1\n"
                     "trans_key time=5 t=3\n");
  ASSERT_EQ(a.valueKeys.size(), 1u);
  EXPECT_EQ(a.valueKeys[0].time, 5.0f);
  EXPECT_EQ(a.valueKeys[0].value, 3.0f);
}

TEST(LoadAnimation, KeyLinesWithoutRoomAreIgnored) {
  // Before any count line and past the declared count.
  Animation a = Load("logo",
                     "info face=logo\n"
                     "trans_key time=9 t=9\n"
                     "pos_key time=9 x=9\n"
                     "trans_keys count=2\n"
                     "trans_key time=0 t=1\n"
                     "trans_key time=1 t=2\n"
                     "trans_key time=2 t=3\n"
                     "trans_key time=3 t=4\n");
  EXPECT_TRUE(a.positionKeys.empty());
  ASSERT_EQ(a.valueKeys.size(), 2u);
  EXPECT_EQ(a.valueKeys[1].value, 2.0f);
  EXPECT_EQ(EvaluateCurve(a, 10.0f), 2.0f);
}

TEST(LoadAnimation, NegativeOrAbsurdCountsAreNotSizes) {
  Animation a = Load("up",
                     "info face=up\n"
                     "trans_keys count=-3\n"
                     "trans_key time=0 t=1\n"
                     "pos_keys count=2000000000\n"
                     "pos_key time=0 x=1\n"
                     "scale_keys count=99999999999999\n");
  EXPECT_TRUE(a.valueKeys.empty());
  EXPECT_TRUE(a.positionKeys.empty());
  EXPECT_TRUE(a.scaleKeys.empty());
  Animation b = Load("up", "info face=up\ntrans_keys count=65536\n");
  EXPECT_EQ(b.valueKeys.size(), 65536u);
}

TEST(LoadAnimation, ALineTooLongForTheBufferEndsTheRead) {
  const std::string longLine = "trans_key time=5 t=5 pad=" + std::string(480, 'x');
  ASSERT_GE(longLine.size(), 500u);
  Animation a = Load("timeleft",
                     "info face=timeleft\n"
                     "trans_keys count=3\n"
                     "trans_key time=0 t=1\n" +
                         longLine +
                         "\n"
                         "trans_key time=1 t=2\n");
  ASSERT_EQ(a.valueKeys.size(), 3u);
  EXPECT_EQ(a.valueKeys[0].value, 1.0f);
  EXPECT_EQ(a.valueKeys[1].value, 0.0f);  // the read stopped at the long line
  EXPECT_EQ(a.valueKeys[2].value, 0.0f);
}

}  // namespace
}  // namespace nb
