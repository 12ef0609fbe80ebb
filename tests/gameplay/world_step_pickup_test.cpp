// Elements that act when the ball reaches their centre.
#include "gameplay_fixture.h"

namespace nb::test {
namespace {

using CentreTest = GameplayTest;

TEST_F(CentreTest, StoneTakenWithin19StepsEarnsTheQuickBonusButNotAt20) {
  for (int before : {18, 19}) {
    SCOPED_TRACE(before);
    world->stats = LevelStats{};
    ClearStatusMessages(world->messages);
    world->play.levelWon = false;
    Load({"S.o.o"});
    Profile().score[0] = 14985;  // the plain 10 stays below the milestone, the quick 100 crosses it
    Profile().lives[0] = 3;
    Roll(0, 0, 0, 1);
    Step(20);  // the next step starts at the stone's centre
    world->play.stepsSinceStone = before;
    Step();
    const bool quick = before + 1 < 20;
    EXPECT_EQ((V{Cell(0, 2).kind, world->play.stepsSinceStone, world->level.stonesLeft}), (V{Floor, 0, 1}));
    EXPECT_EQ((V{Profile().score[0], Stat(StatPoints), Profile().lives[0]}),
              (V{quick ? 15095 : 14995, quick ? 110 : 10, quick ? 4 : 3}));
    EXPECT_EQ((V{world->messages.slots[0].timer >= 0, events.Count(SoundId::PickUpStone)}), (V{quick, 1}));
    EXPECT_EQ(events.CountBursts(BurstTemplate::PickupBurst, 0, 2, 10), 1);
    ASSERT_TRUE(StepUntil([&] { return world->play.levelWon; }, 30)) << "the last stone wins the level";
    EXPECT_EQ((V{world->level.stonesLeft, Stat(StatCompleted), Ball().moving}), (V{0, 1, false}));
  }
}

TEST_F(CentreTest, FallWithOneLifeWaitsAtTheStartWithNone) {
  Load({"..S.O.#"});
  Profile().lives[0] = 1;
  Roll(0, 2, 0, 1);
  Step(21);
  ASSERT_TRUE(Ball().falling);
  EXPECT_EQ((V{Ball().dRow, Ball().dCol, Stat(StatHoles)}), (V{0, 0, 1}));
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 4, 5), 1);
  Step(20);  // 2 x speed per step from 12: below -200 after 22 steps
  EXPECT_EQ((V{Ball().falling, Ball().height, events.Count(SoundId::BallDown)}), (V{true, 12 - 10 * 21, 1}));
  Step();  // back at the start, waiting, one life less; the camera returns home
  EXPECT_EQ((V{Ball().falling, Ball().ready, Ball().moving, Profile().lives[0]}), (V{false, true, false, 0}));
  EXPECT_EQ((V{Ball().rowPos, Ball().colPos, Ball().dRow, Ball().dCol, Ball().height}),
            (V{0, 100, 1, 0, 12}));
  ASSERT_EQ(events.moves.size(), 1u);
  EXPECT_FLOAT_EQ(events.moves[0].eye.y, world->level.homeEye.y);
  EXPECT_TRUE(events.states.empty());

  Load({"..S.O.#"});  // with no life left the game ends
  Profile().lives[0] = 0;
  Roll(0, 2, 0, 1);
  Step(21 + 21);
  EXPECT_EQ((V{Profile().lives[0], Ball().ready}), (V{-1, false}));
  EXPECT_EQ(events.states, std::vector<GameState>{GameState::GameOverScreen});
  EXPECT_TRUE(events.moves.empty());
}

TEST_F(CentreTest, TeleportsWithThreePartnersAndOneOutsideTheGrid) {
  Load({"T.", "..", "T.", "T."});  // the last of three leads to the second
  Roll(3, 1, 0, -1);
  Step(11);
  EXPECT_EQ(BallPos(), (V{100, -5}));

  Load({"S.T.."});  // a lone teleport whose partner lies outside the grid
  Cell(0, 2).state = 1000;
  Cell(0, 2).value = -7;
  Roll(0, 0, 0, 1);
  Step(30);
  EXPECT_EQ((V{Ball().colPos, events.Count(SoundId::BallDown)}), (V{150, 0}));
}

TEST_F(CentreTest, WaitingBallLeavesAReflectorOnTheStartAlone) {
  Load({"S.."});
  HandlePlayClick(*world, ctx, 0, 0, ReflectorMain);  // during the intro: nothing
  EXPECT_EQ((V{Cell(0, 0).kind, Ball().moving}), (V{Start, false}));
  EXPECT_TRUE(events.sounds.empty());
  Cell(0, 0) = {ReflectorMain, 0, 0, 5};
  Ball().ready = true;
  Step(10);
  EXPECT_EQ((V{Cell(0, 0).count, events.Count(SoundId::ReflectHit)}), (V{5, 0}));
  HandlePlayClick(*world, ctx, 0, 2,
                  ReflectorAnti);  // the click sets it rolling; the Reflector turns it at once
  Step();
  EXPECT_EQ((V{Cell(0, 0).count, Ball().dCol, Ball().colPos}), (V{4, 1, 5}));
}

TEST_F(CentreTest, SwitchesLowerTheGatesAndAReleaseWhileLoweringSendsThemBack) {
  Load({"#Ss#", "GGGG"});
  Roll(0, 1, 0, 1);
  Step(11);
  EXPECT_EQ((V{world->level.switchesOn, events.Count(SoundId::ActorDown), world->play.gatesLowering}),
            (V{1, 1, 1}));
  // Frames pass while the ball bounces back over the switch.
  ASSERT_TRUE(StepUntil([&] { return Cell(0, 2).state == 0; }, 40, true));
  EXPECT_EQ((V{world->level.switchesOn, events.Count(SoundId::ActorUp), world->play.gatesRising,
               world->play.gatesLowering}),
            (V{0, 1, true, false}));
  const int32_t lowest = Cell(1, 0).value;
  EXPECT_GT(lowest, 0);
  EXPECT_LT(lowest, 20);
  Animate(lowest + 1);
  EXPECT_EQ((V{Cell(1, 0).value, Cell(1, 3).value}), (V{0, 0}));
  EXPECT_FALSE(world->play.gatesRising);
  EXPECT_EQ(world->play.gatesOpen, 0);  // they never opened
}

}  // namespace
}  // namespace nb::test
