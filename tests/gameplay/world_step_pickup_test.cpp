// Elements that act when the ball reaches their centre.
#include "gameplay/element_animations.h"
#include "gameplay/play_actions.h"
#include "gameplay_fixture.h"

namespace nb::test {
namespace {

class CentreTest : public GameplayTest {};

TEST_F(CentreTest, StoneTakenWithin19StepsEarnsTheQuickBonusButNotAt20) {
  for (int before : {18, 19}) {
    SCOPED_TRACE(before);
    world->stats = LevelStats{};
    ClearStatusMessages(world->messages);
    Load({"S.o.o"});
    Profile().score[0] = 0;
    Roll(0, 0, 0, 1);
    Step(20);  // the next step starts at the stone's centre
    world->play.stepsSinceStone = before;
    Step();
    EXPECT_EQ(Cell(0, 2).kind, Floor);
    EXPECT_EQ(world->play.stepsSinceStone, 0);
    EXPECT_EQ(world->level.stonesLeft, 1);
    const bool quick = before + 1 < 20;
    EXPECT_EQ(Profile().score[0], quick ? 110 : 10);
    EXPECT_EQ(Stat(StatPoints), quick ? 110 : 10);
    EXPECT_EQ(world->messages.slots[0].timer >= 0, quick);
    EXPECT_EQ(events.Count(SoundId::PickUpStone), 1);
    EXPECT_EQ(events.CountBursts(BurstTemplate::PickupBurst, 0, 2, 10), 1);
  }
}

TEST_F(CentreTest, StonesTenStepsApartAreQuickTwentyApartAreNot) {
  Load({"S.oo.o"});
  Roll(0, 0, 0, 1);
  Step(35);  // stones at columns 2 and 3: ten steps apart
  EXPECT_EQ(Profile().score[0], 10 + 110);
  Step(20);  // column 5: twenty steps after the previous one
  EXPECT_EQ(Profile().score[0], 10 + 110 + 10);
}

TEST_F(CentreTest, LastStoneWinsTheLevel) {
  Load({"S.o.#"});
  Roll(0, 0, 0, 1);
  world->play.speedTimer = 5;
  Ball().speed = kFastSpeed;
  Step(11);
  EXPECT_TRUE(world->play.levelWon);
  EXPECT_FALSE(Ball().moving);
  EXPECT_EQ(Ball().speed, kBaseSpeed);
  EXPECT_EQ(Ball().dRow, 1);
  EXPECT_EQ(Ball().dCol, 0);
  EXPECT_EQ(Stat(StatCompleted), 1);
  EXPECT_EQ(events.Count(SoundId::end), 1);
  ASSERT_EQ(events.stoppedMusic.size(), 1u);
  EXPECT_EQ(events.stoppedMusic[0], MusicId::Game);
  // The ball stays where the last stone was.
  const int col = Ball().colPos;
  Step(5);
  EXPECT_EQ(Ball().colPos, col);
  EXPECT_EQ(events.Count(SoundId::end), 1);
}

TEST_F(CentreTest, FallWithOneLifeWaitsAtTheStartWithNone) {
  Load({"..S.O.#"});
  Profile().lives[0] = 1;
  Roll(0, 2, 0, 1);
  Step(21);
  ASSERT_TRUE(Ball().falling);
  EXPECT_EQ(Ball().dRow, 0);
  EXPECT_EQ(Ball().dCol, 0);
  EXPECT_EQ(Stat(StatHoles), 1);
  EXPECT_EQ(events.Count(SoundId::BallDown), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 4, 5), 1);
  // 2 x speed per step from 12: below -200 after 22 steps.
  Step(20);
  EXPECT_TRUE(Ball().falling);
  EXPECT_EQ(Ball().height, 12 - 10 * 21);
  EXPECT_EQ(events.Count(SoundId::BallDown), 1);  // the sound plays once
  EXPECT_EQ(Stat(StatHoles), 1);
  Step();
  EXPECT_FALSE(Ball().falling);
  EXPECT_TRUE(Ball().ready);
  EXPECT_FALSE(Ball().moving);
  EXPECT_EQ(Ball().colPos, 100);
  EXPECT_EQ(Ball().rowPos, 0);
  EXPECT_EQ(Ball().height, 12);
  EXPECT_EQ(Ball().dRow, 1);
  EXPECT_EQ(Profile().lives[0], 0);
  ASSERT_EQ(events.moves.size(), 1u);
  EXPECT_FLOAT_EQ(events.moves[0].eye.y, 1200.0f);
  EXPECT_FLOAT_EQ(events.moves[0].fov, 45.0f);
  EXPECT_TRUE(events.states.empty());
  // Waiting: it does not move until the click.
  Step(10);
  EXPECT_EQ(Ball().rowPos, 0);
}

TEST_F(CentreTest, FallWithNoLivesLeftEndsTheGame) {
  Load({"..S.O.#"});
  Profile().lives[0] = 0;
  Roll(0, 2, 0, 1);
  Step(21 + 21);
  EXPECT_EQ(Profile().lives[0], -1);
  ASSERT_EQ(events.states.size(), 1u);
  EXPECT_EQ(events.states[0], kStateGameOver);
  EXPECT_FALSE(Ball().ready);
  EXPECT_TRUE(events.moves.empty());
}

TEST_F(CentreTest, TeleportsWithTwoAndThreePartners) {
  Load({"S.T...T.."});
  EXPECT_EQ(Cell(0, 2).value, 6);
  EXPECT_EQ(Cell(0, 6).value, 2);
  Roll(0, 0, 0, 1);
  Step(20);
  events.Clear();
  Step();  // reaches the first teleport's centre
  EXPECT_EQ(Ball().colPos, 305);  // at the partner and moved on in the same step
  EXPECT_EQ(events.Count(SoundId::BallDown), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::PickupBurst, 0, 2, 5), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::PickupBurst, 0, 6, 5), 1);
  Step(10);
  EXPECT_EQ(Ball().colPos, 355);  // no jump back
  EXPECT_EQ(events.Count(SoundId::BallDown), 1);

  // With three, the first two lead to the third and the third to the second.
  Load({"T.", "..", "T.", "T."});
  EXPECT_EQ(Cell(0, 0).state, 3);
  EXPECT_EQ(Cell(2, 0).state, 3);
  EXPECT_EQ(Cell(3, 0).state, 2);
  EXPECT_EQ(Cell(3, 0).value, 0);
  Roll(3, 1, 0, -1);
  Step(11);
  EXPECT_EQ(Ball().rowPos, 100);
  EXPECT_EQ(Ball().colPos, -5);
}

TEST_F(CentreTest, LoneTeleportWithAPartnerOutsideTheGridDoesNothing) {
  Load({"S.T.."});
  Cell(0, 2).state = 1000;
  Cell(0, 2).value = -7;
  Roll(0, 0, 0, 1);
  Step(30);
  EXPECT_EQ(Ball().colPos, 150);
  EXPECT_EQ(events.Count(SoundId::BallDown), 0);
}

TEST_F(CentreTest, ReflectorsTurnTheBallAndWearOut) {
  // ReflectorMain mirrors along row = column; ReflectorAnti across it.
  struct Case {
    char kind;
    int dRow, dCol, outRow, outCol;
  } cases[] = {{'\\', 1, 0, 0, 1},  {'\\', -1, 0, 0, -1}, {'\\', 0, 1, 1, 0},  {'\\', 0, -1, -1, 0},
               {'/', 1, 0, 0, -1}, {'/', -1, 0, 0, 1},   {'/', 0, 1, -1, 0}, {'/', 0, -1, 1, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.kind << " " << k.dRow << "," << k.dCol);
    std::vector<std::string> grid(5, ".....");
    grid[2][2] = k.kind;
    Load(grid);
    Roll(2 - k.dRow, 2 - k.dCol, k.dRow, k.dCol);
    Step(15);
    EXPECT_EQ(Ball().dRow, k.outRow);
    EXPECT_EQ(Ball().dCol, k.outCol);
    EXPECT_EQ(Cell(2, 2).count, 4);
    EXPECT_EQ(events.Count(SoundId::ReflectHit), 1);
    EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 2, 2, 5), 1);
  }
}

TEST_F(CentreTest, ReflectorWithNoHitsLeftTurnsOnceMoreThenIsGone) {
  Load({".....", ".....", "..\\..", ".....", "....."});
  Cell(2, 2).count = 0;
  Roll(1, 2, 1, 0);
  Step(15);
  EXPECT_EQ(Ball().dCol, 1);
  EXPECT_EQ(Ball().dRow, 0);
  EXPECT_EQ(Cell(2, 2).kind, Floor);
  EXPECT_EQ(events.Count(SoundId::ReflectHit), 1);
}

TEST_F(CentreTest, WaitingBallLeavesAReflectorOnTheStartAlone) {
  Load({"S.."});
  HandlePlayClick(*world, ctx, 0, 0, ReflectorMain);  // not ready yet: nothing
  EXPECT_EQ(Cell(0, 0).kind, Start);
  Cell(0, 0) = CellFor('\\');
  Cell(0, 0).count = 5;
  Ball().ready = true;
  Step(10);
  EXPECT_EQ(Cell(0, 0).count, 5);
  EXPECT_EQ(events.Count(SoundId::ReflectHit), 0);
  // The click sets it rolling; the Reflector under it turns it at once.
  HandlePlayClick(*world, ctx, 0, 2, ReflectorAnti);
  Step();
  EXPECT_EQ(Cell(0, 0).count, 4);
  EXPECT_EQ(Ball().dCol, 1);
  EXPECT_EQ(Ball().colPos, 5);
}

TEST_F(CentreTest, SwitchesLowerTheGatesAndAReleaseWhileLoweringSendsThemBack) {
  Load({"#Ss#", "GGGG"});
  Roll(0, 1, 0, 1);
  Step(11);
  EXPECT_EQ(world->level.switchesTotal, 1);
  EXPECT_EQ(Cell(0, 2).state, 1);
  EXPECT_EQ(world->level.switchesOn, 1);
  EXPECT_EQ(events.Count(SoundId::OnButton), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 2, 5), 1);
  EXPECT_EQ(events.Count(SoundId::ActorDown), 1);
  EXPECT_TRUE(world->play.gatesLowering);

  // Frames pass while the ball bounces back over the switch.
  ASSERT_TRUE([&] {
    for (int i = 0; i < 40; ++i) {
      SimulatePlayFrame(*world, ctx);
      if (Cell(0, 2).state == 0) return true;
    }
    return false;
  }());
  EXPECT_EQ(world->level.switchesOn, 0);
  EXPECT_EQ(events.Count(SoundId::ActorUp), 1);
  EXPECT_TRUE(world->play.gatesRising);
  EXPECT_FALSE(world->play.gatesLowering);
  const int32_t lowest = Cell(1, 0).value;
  EXPECT_GT(lowest, 0);
  EXPECT_LT(lowest, 20);
  for (int i = 0; i < lowest + 1; ++i) AdvanceElementAnimations(world->level, world->play);
  EXPECT_EQ(Cell(1, 0).value, 0);
  EXPECT_EQ(Cell(1, 3).value, 0);
  EXPECT_FALSE(world->play.gatesRising);
  EXPECT_EQ(world->play.gatesOpen, 0);  // they never opened
}

TEST_F(CentreTest, AllSwitchesPressedOpenTheGateAndAReleaseClosesIt) {
  Load({"Ss....G.#"});
  Roll(0, 0, 0, 1);
  int wallHitsBeforeWall = -1;
  for (int i = 0; i < 75; ++i) {
    SimulatePlayFrame(*world, ctx);
    if (Ball().colPos == 350 && wallHitsBeforeWall < 0) wallHitsBeforeWall = events.Count(SoundId::WallHit);
  }
  EXPECT_EQ(wallHitsBeforeWall, 0);  // the open gate let the ball through
  EXPECT_EQ(world->play.gatesOpen, 1);
  EXPECT_EQ(Cell(0, 6).value, 20);
  // Back over the switch: released, the gate closes at once and rises.
  ASSERT_TRUE([&] {
    for (int i = 0; i < 200; ++i) {
      SimulatePlayFrame(*world, ctx);
      if (Cell(0, 1).state == 0) return true;
    }
    return false;
  }());
  EXPECT_EQ(world->play.gatesOpen, 0);
  EXPECT_TRUE(world->play.gatesRising);
  EXPECT_EQ(events.Count(SoundId::ActorUp), 1);
}

TEST_F(CentreTest, RollingMatricesFollowTheMovement) {
  Load({"S...."});
  Roll(0, 0, 0, 1);
  Step();
  EXPECT_FLOAT_EQ(Ball().rollA, 7.5f);
  EXPECT_FLOAT_EQ(Ball().rollB, -0.0f);
  const Matrix expected = MatrixRotationX(7.5f * 0.017361112f);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(Ball().world.m[i][j], expected.m[i][j], 1e-6f);
  EXPECT_FLOAT_EQ(Ball().world.m[3][0], 0.0f);    // row position on X
  EXPECT_FLOAT_EQ(Ball().world.m[3][1], 12.0f);   // height on Y
  EXPECT_FLOAT_EQ(Ball().world.m[3][2], 5.0f);    // column position on Z
  // A trail particle every second moving step, at the ball's floor position.
  int trails = 0;
  for (const BurstCall& b : events.bursts) trails += b.kind == BurstTemplate::TrailBurst;
  EXPECT_EQ(trails, 0);
  Step();
  ASSERT_EQ(events.bursts.size(), 1u);
  EXPECT_EQ(events.bursts[0].kind, BurstTemplate::TrailBurst);
  EXPECT_FLOAT_EQ(events.bursts[0].at.z, 5.0f);
  EXPECT_EQ(events.bursts[0].count, 1);
  // A standing ball keeps turning by the last increments.
  Ball().moving = false;
  const Matrix before = Ball().orientation;
  Step();
  EXPECT_EQ(Ball().colPos, 10);
  EXPECT_NE(Ball().orientation.m[1][1], before.m[1][1]);
}

}  // namespace
}  // namespace nb::test
