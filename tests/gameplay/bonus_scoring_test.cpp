// Bonuses, scoring with extra lives, the random bonus spawner and the speed bonus.
#include "gameplay/element_animations.h"
#include "gameplay/scoring.h"
#include "gameplay_fixture.h"

namespace nb::test {
namespace {

using BonusTest = GameplayTest;

TEST_F(BonusTest, BonusIsTakenOnlyOnceItHasSunkToTheFloor) {
  Load({"S.B.."});
  Roll(0, 0, 0, 1);
  Step(30);
  EXPECT_EQ(Cell(0, 2).kind, Bonus);  // still lifted: the ball rolls under it
  Animate(159);
  EXPECT_GT(Cell(0, 2).value, 0);
  Animate(2);
  EXPECT_EQ(Cell(0, 2).value, 0);  // 160 frames from the lifted 800, and no further
  Roll(0, 0, 0, 1);
  Step(21);
  EXPECT_EQ(Cell(0, 2).kind, Floor);
  EXPECT_EQ(events.Count(SoundId::PickUpBonus), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::PickupBurst, 0, 2, 10), 1);
}

TEST_F(BonusTest, EachKindOfBonusAndTheRandomOneAtItsDrawBoundaries) {
  const struct {
    int32_t kind;
    int draw;  // the random bonus's draw
    LevelStatsIndex counter;
    const char* message;
  } cases[] = {{BonusTime, 0, StatTimeBonuses, "time bonus"},
               {BonusLife, 0, StatExtraLives, "extra life"},
               {BonusTurnAround, 0, StatTurnAroundBonuses, "turn around"},
               {BonusSpeed, 0, StatSpeedBonuses, "slow"},
               {BonusRandom, 8190, StatSpeedBonuses, "slow"},
               {BonusRandom, 8191, StatTimeBonuses, "time bonus"},
               {BonusRandom, 16382, StatTimeBonuses, "time bonus"},
               {BonusRandom, 16383, StatTurnAroundBonuses, "turn around"},
               {BonusRandom, 24574, StatTurnAroundBonuses, "turn around"},
               {BonusRandom, 24575, StatExtraLives, "extra life"}};
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << k.kind << " draw " << k.draw);
    world->stats = LevelStats{};
    ClearStatusMessages(world->messages);
    Profile().lives[0] = 3;
    Profile().score[0] = 0;
    world->play.speedTimer = 0;
    rng.queued = {k.draw, 0};  // the next draw picks slow for a speed bonus
    Load({"S.B..", ".....", "./.\\.", "....."});
    Cell(0, 2) = {Bonus, k.kind, 0, 0};  // already sunk
    Roll(0, 0, 0, 1);
    Step(21);
    ASSERT_EQ(Cell(0, 2).kind, Floor);
    EXPECT_EQ((V{Profile().score[0], Stat(StatPoints), Stat(StatRandomBonuses)}),
              (V{50, 50, k.kind == BonusRandom}));
    for (LevelStatsIndex i : {StatSpeedBonuses, StatTimeBonuses, StatTurnAroundBonuses, StatExtraLives})
      EXPECT_EQ(Stat(i), i == k.counter ? 1 : 0) << "counter " << i;
    EXPECT_EQ(std::string(world->messages.slots[0].text), k.message);
    const bool speed = k.counter == StatSpeedBonuses;
    EXPECT_EQ((V{Ball().speed, world->play.speedTimer}),
              (V{speed ? kSlowSpeed : kBaseSpeed, speed ? 15 : 0}));
    EXPECT_EQ(world->level.timeLimit, k.counter == StatTimeBonuses ? 115 : 100);
    EXPECT_EQ(Profile().lives[0], k.counter == StatExtraLives ? 4 : 3);
    if (k.counter != StatTurnAroundBonuses) continue;
    if (k.kind == BonusTurnAround) Animate(10);  // taken as such it animates; the kinds change at its end
    EXPECT_EQ((V{Cell(2, 1).kind, Cell(2, 1).state, Cell(2, 3).kind, Cell(2, 3).state}),
              (V{ReflectorMain, 3, ReflectorAnti, 5}));
  }
}

TEST_F(BonusTest, TurnAroundReachesRowAndColumnJustPastTheGrid) {
  Load({"S.B", "..."});
  Cell(0, 2) = {Bonus, BonusTurnAround, 0, 0};
  Cell(2, 0) = CellFor('/');   // row = rows: still turned
  Cell(0, 3) = CellFor('\\');  // column = cols: still turned
  Cell(3, 0) = CellFor('/');   // beyond: untouched
  Roll(0, 0, 0, 1);
  Step(21);
  EXPECT_EQ((V{Cell(2, 0).state, Cell(0, 3).state, Cell(3, 0).state}), (V{3, 5, 0}));
}

TEST_F(BonusTest, SpeedBonusSlowFastExtendAndReset) {
  Load({"S........"});
  rng.queued = {16382};
  ApplySpeedBonus(*world, ctx);
  ApplySpeedBonus(*world, ctx);  // already changed: 15 more seconds, no second message
  EXPECT_EQ((V{Ball().speed, world->play.speedTimer}), (V{kSlowSpeed, 30}));
  EXPECT_EQ(std::string(world->messages.slots[0].text), "slow");
  EXPECT_LT(world->messages.slots[1].timer, 0);
  Ball().speed = kBaseSpeed;
  rng.queued = {16383};
  ApplySpeedBonus(*world, ctx);
  EXPECT_EQ((V{Ball().speed, world->play.speedTimer}), (V{kFastSpeed, 15}));
  EXPECT_EQ(std::string(world->messages.slots[1].text), "fast");
  // Below 0 the speed returns to normal at the next cell centre.
  Roll(0, 0, 0, 1, kFastSpeed);
  world->play.speedTimer = 0;
  CountLevelSecond(*world, ctx);
  CountLevelSecond(*world, ctx);
  EXPECT_EQ(world->play.speedTimer, -1);
  Step(2);  // back to normal at the first centre: 0 -> 5 -> 10, not 20
  EXPECT_EQ((V{Ball().colPos, Ball().speed}), (V{10, kBaseSpeed}));
}

TEST_F(BonusTest, MilestonesLieStrictlyBetweenOldAndNewScore) {
  Load({"S"});
  Profile().score[0] = 14990;
  AddScore(*world, ctx, 20);
  EXPECT_EQ((V{Profile().score[0], Profile().lives[0], Stat(StatExtraLives)}), (V{15010, 4, 1}));
  EXPECT_EQ(std::string(world->messages.slots[0].text), "extra life");
  Profile().score[0] = 14990;
  Profile().lives[0] = 3;
  AddScore(*world, ctx, 10);
  AddScore(*world, ctx, 10);  // landing on 15000 gains nothing, then or later
  EXPECT_EQ((V{Profile().score[0], Profile().lives[0], Stat(StatPoints)}), (V{15010, 3, 40}));
  // Several at once, by mode; none beyond 19 times the threshold.
  Profile().mode = 1;
  Profile().lives[1] = 0;
  AddScore(*world, ctx, 60000);
  EXPECT_EQ(Profile().lives[1], 2);
  Profile().mode = 2;
  Profile().score[2] = 18 * 50000 - 1;
  AddScore(*world, ctx, 1000000);
  EXPECT_EQ(Profile().lives[2], 3 + 2);  // 18 and 19 times only
  Profile().mode = 7;                    // out of range in a damaged profile: counts as mode 0
  Profile().score[0] = Profile().lives[0] = 0;
  AddScore(*world, ctx, 15001);
  EXPECT_EQ(Profile().lives[0], 1);
}

TEST_F(BonusTest, RandomBonusSpawnerAtItsBoundaries) {
  Load({"#..", "..."});
  rng.queued = {492, 491, 0};  // cell (0,1) misses, (0,2) hits with kind 1
  EXPECT_TRUE(SpawnRandomBonus(*world, ctx));
  EXPECT_EQ(Cell(0, 1).kind, Floor);
  EXPECT_EQ(KSV(Cell(0, 2)), (V{Bonus, 1, 800}));
  EXPECT_TRUE(rng.queued.empty());
  for (auto [draw, kind] : {std::pair{8191, 1}, {8192, 2}, {16384, 3}, {32767, 4}}) {
    Load({"."});
    rng.queued = {0, draw};
    EXPECT_TRUE(SpawnRandomBonus(*world, ctx));
    EXPECT_EQ(Cell(0, 0).state, kind) << draw;
  }
  Load({"...", "..."});  // all miss: nothing, one draw per floor cell
  rng.queued = {492, 492, 492, 492, 492, 492, 0};
  EXPECT_FALSE(SpawnRandomBonus(*world, ctx));
  EXPECT_EQ(rng.queued.size(), 1u);
  Load({"#S#", "oO/", "bmT"});  // no floor: no draw at all
  rng.queued = {0, 0, 0};
  EXPECT_FALSE(SpawnRandomBonus(*world, ctx));
  EXPECT_EQ(rng.queued.size(), 3u);
}

TEST_F(BonusTest, EveryEleventhCountedSecondTriesASpawn) {
  Load({"S...."}, 100);
  world->play.bonusSeconds = 0;
  rng.queued = {1000, 1000, 1000, 0, 0};
  for (int s = 0; s < 10; ++s) CountLevelSecond(*world, ctx);
  EXPECT_EQ(rng.queued.size(), 5u);
  CountLevelSecond(*world, ctx);
  EXPECT_EQ(Cell(0, 4).kind, Bonus);
}

}  // namespace
}  // namespace nb::test
