#include "core/animation_file.h"

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
// One field of every key, in order.
template <typename Key, typename F>
auto Column(const std::vector<Key>& keys, F field) {
  std::vector<decltype(field(keys[0]))> out;
  for (const Key& k : keys) out.push_back(field(k));
  return out;
}
std::vector<float> Values(const Animation& a) { return Column(a.valueKeys, [](const ScalarKey& k) { return k.value; }); }
using Floats = std::vector<float>;

TEST(LoadAnimations, SectionsLoadOnlyIntoTheirExactNameAndAMissingFileLeavesAllEmpty) {
  test::ScratchDir dir;
  {
    AnimationSet none;
    LoadAnimations(none);
    EXPECT_TRUE(none.logo.valueKeys.empty());
    EXPECT_EQ(none.up.name, "up");
    EXPECT_EQ(EvaluateCurve(none.bonus, 12.0f), 0.0f);
  }
  dir.Write("anim.txt",
            "info face=logo\ntrans_keys count=2\ntrans_key time=0 t=0 intr=sin\ntrans_key time=1000 t=255\n\n"
            "info face=Logo\ntrans_keys count=2\ntrans_key time=0 t=7\ntrans_key time=10 t=8\n"
            "info face=up\r\ntrans_keys count=1\r\ntrans_key time=5 t=-400\r\n");
  AnimationSet set;
  LoadAnimations(set);
  ASSERT_EQ(set.logo.valueKeys.size(), 2u);
  EXPECT_EQ(set.logo.valueKeys[0].kind, Sine);
  EXPECT_EQ(set.logo.valueKeys[1].time, 1000.0f);
  EXPECT_EQ(Values(set.logo), (Floats{0, 255}));
  EXPECT_NEAR(EvaluateCurve(set.logo, 500.0f), 127.5f, 1e-3f);
  EXPECT_EQ(Values(set.up), (Floats{-400}));
  // "Logo" is not "logo", and names without sections stay empty.
  for (const Animation* a : {&set.logo1, &set.timeleft, &set.bonus, &set.clouds, &set.rotation, &set.input}) {
    EXPECT_TRUE(a->valueKeys.empty()) << a->name;
    EXPECT_EQ(EvaluateCurve(*a, 300.0f), 0.0f);
  }
  EXPECT_EQ(set.logo1.name, "logo1");
  EXPECT_EQ(set.rotation.name, "rotation");
}

TEST(LoadAnimation, KeyAttributesAndChannelsSharingOneKeyIndex) {
  Animation a = Load("bonus",
                     "info face=bonus\ntrans_keys count=5\ntrans_key t=3\ntrans_key time=1 t=4 intr=SIN\n"
                     "trans_key time=2 t=5 intr=line\ntrans_key time=3 t=6 intr=sin\n"
                     "trans_key time=4 t=7 intr=cubic\n");
  // No time attribute reads 0; only "sin" in lower case is Sine.
  EXPECT_EQ(Column(a.valueKeys, [](const ScalarKey& k) { return k.time; }), (Floats{0, 1, 2, 3, 4}));
  EXPECT_EQ(Column(a.valueKeys, [](const ScalarKey& k) { return k.kind; }),
            (std::vector<uint32_t>{Linear, Linear, Linear, Sine, Linear}));
  EXPECT_EQ(Values(a), (Floats{3, 4, 5, 6, 7}));

  Animation c = Load("clouds",
                     "info face=clouds\npos_keys count=2\npos_key time=1 x=10 y=11\nscale_keys count=2\n"
                     "scale_key time=2 x=0.5 y=-0.5 intr=sin\npos_key time=3 x=30 y=31\n"
                     "trans_keys count=1\ntrans_key time=4 t=9\n");
  // scale_keys reset the index; the second pos_key lands at index 1.
  EXPECT_EQ(Column(c.positionKeys, [](const VectorKey& k) { return k.time; }), (Floats{1, 3}));
  EXPECT_EQ(Column(c.positionKeys, [](const VectorKey& k) { return k.x; }), (Floats{10, 30}));
  EXPECT_EQ(Column(c.positionKeys, [](const VectorKey& k) { return k.y; }), (Floats{11, 31}));
  ASSERT_EQ(c.scaleKeys.size(), 2u);
  EXPECT_EQ(c.scaleKeys[0].kind, Sine);
  EXPECT_EQ(c.scaleKeys[0].y, -0.5f);
  EXPECT_EQ(c.scaleKeys[1].time, 0.0f);  // never written: all zero
  EXPECT_EQ(Values(c), (Floats{9}));
}

TEST(LoadAnimation, LaterSectionsOfTheSameNameReplaceChannels) {
  Animation a = Load("input",
                     "info face=input\ntrans_keys count=2\ntrans_key time=0 t=1\ntrans_key time=1 t=2\n"
                     "info face=other\ntrans_keys count=9\ntrans_key time=0 t=100\n"
                     "info face=input\ntrans_keys count=1\ntrans_key time=5 t=3\n");
  ASSERT_EQ(a.valueKeys.size(), 1u);
  EXPECT_EQ(a.valueKeys[0].time, 5.0f);
  EXPECT_EQ(a.valueKeys[0].value, 3.0f);
}

TEST(LoadAnimation, KeysWithoutRoomAndBadCountsStayWithinTheChannel) {
  // Before any count line and past the declared count.
  Animation a = Load("logo",
                     "info face=logo\ntrans_key time=9 t=9\npos_key time=9 x=9\ntrans_keys count=2\n"
                     "trans_key time=0 t=1\ntrans_key time=1 t=2\ntrans_key time=2 t=3\ntrans_key time=3 t=4\n");
  EXPECT_TRUE(a.positionKeys.empty());
  EXPECT_EQ(Values(a), (Floats{1, 2}));
  EXPECT_EQ(EvaluateCurve(a, 10.0f), 2.0f);
  // Negative or absurd counts are not sizes.
  Animation b = Load("up",
                     "info face=up\ntrans_keys count=-3\ntrans_key time=0 t=1\npos_keys count=2000000000\n"
                     "pos_key time=0 x=1\nscale_keys count=99999999999999\n");
  EXPECT_TRUE(b.valueKeys.empty() && b.positionKeys.empty() && b.scaleKeys.empty());
  EXPECT_EQ(Load("up", "info face=up\ntrans_keys count=65536\n").valueKeys.size(), 65536u);
}

TEST(LoadAnimation, ALineTooLongForTheBufferEndsTheRead) {
  const std::string longLine = "trans_key time=5 t=5 pad=" + std::string(480, 'x');
  Animation a = Load("timeleft", "info face=timeleft\ntrans_keys count=3\ntrans_key time=0 t=1\n" + longLine +
                                     "\ntrans_key time=1 t=2\n");
  EXPECT_EQ(Values(a), (Floats{1, 0, 0}));  // the read stopped at the long line
}

}  // namespace
}  // namespace nb
