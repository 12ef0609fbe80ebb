// Elements that act when the ball reaches their centre.
#include "gameplay/element_animations.h"
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

TEST_F(CentreTest, LastStoneWinsTheLevel) {
  Load({"S.o.#"});
  Roll(0, 0, 0, 1);
  world->play.speedTimer = 5;
  Ball().speed = kFastSpeed;
  Step(11);
  EXPECT_TRUE(world->play.levelWon);
  EXPECT_FALSE(Ball().moving);
  EXPECT_EQ((V{Ball().speed, Ball().dRow, Ball().dCol}), (V{kBaseSpeed, 1, 0}));
  EXPECT_EQ(Stat(StatCompleted), 1);
  EXPECT_EQ(events.Count(SoundId::End), 1);
  EXPECT_EQ(events.Logged("stop gamemusic"), 1);
  EXPECT_EQ(events.Logged("stop menumusic"), 0);
  const int col = Ball().colPos;  // the ball stays where the last stone was
  Step(5);
  EXPECT_EQ(Ball().colPos, col);
  EXPECT_EQ(events.Count(SoundId::End), 1);
}

TEST_F(CentreTest, FallWithOneLifeWaitsAtTheStartWithNone) {
  Load({"..S.O.#"});
  Profile().lives[0] = 1;
  Roll(0, 2, 0, 1);
  Step(21);
  ASSERT_TRUE(Ball().falling);
  EXPECT_EQ(BallDir(), (V{0, 0}));
  EXPECT_EQ(Stat(StatHoles), 1);
  EXPECT_EQ(events.Count(SoundId::BallDown), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 4, 5), 1);
  Step(20);  // 2 x speed per step from 12: below -200 after 22 steps
  EXPECT_TRUE(Ball().falling);
  EXPECT_EQ(Ball().height, 12 - 10 * 21);
  EXPECT_EQ(events.Count(SoundId::BallDown), 1);  // the sound plays once
  EXPECT_EQ(Stat(StatHoles), 1);
  Step();  // back at the start, waiting, one life less
  EXPECT_EQ((V{Ball().falling, Ball().ready, Ball().moving}), (V{false, true, false}));
  EXPECT_EQ((V{Ball().rowPos, Ball().colPos, Ball().dRow, Ball().dCol, Ball().height}), (V{0, 100, 1, 0, 12}));
  EXPECT_EQ(Profile().lives[0], 0);
  ASSERT_EQ(events.moves.size(), 1u);
  EXPECT_FLOAT_EQ(events.moves[0].eye.y, 1200.0f);
  EXPECT_FLOAT_EQ(events.moves[0].fov, 45.0f);
  EXPECT_TRUE(events.states.empty());
  Step(10);  // waiting: it does not move until the click
  EXPECT_EQ(Ball().rowPos, 0);

  Load({"..S.O.#"});  // with no life left the game ends
  Profile().lives[0] = 0;
  Roll(0, 2, 0, 1);
  Step(21 + 21);
  EXPECT_EQ(Profile().lives[0], -1);
  EXPECT_EQ(events.states, std::vector<GameState>{GameState::GameOverScreen});
  EXPECT_FALSE(Ball().ready);
  EXPECT_TRUE(events.moves.empty());
}

TEST_F(CentreTest, TeleportsWithTwoAndThreePartnersAndOneOutsideTheGrid) {
  Load({"S.T...T.."});
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

  Load({"T.", "..", "T.", "T."});  // the last of three leads to the second
  Roll(3, 1, 0, -1);
  Step(11);
  EXPECT_EQ(BallPos(), (V{100, -5}));

  Load({"S.T.."});  // a lone teleport whose partner lies outside the grid
  Cell(0, 2).state = 1000;
  Cell(0, 2).value = -7;
  Roll(0, 0, 0, 1);
  Step(30);
  EXPECT_EQ(Ball().colPos, 150);
  EXPECT_EQ(events.Count(SoundId::BallDown), 0);
}

TEST_F(CentreTest, ReflectorsTurnTheBallAndWearOut) {
  // ReflectorMain mirrors along row = column; ReflectorAnti across it.
  const struct {
    char kind;
    int dRow, dCol, outRow, outCol;
  } cases[] = {{'\\', 1, 0, 0, 1}, {'\\', -1, 0, 0, -1}, {'\\', 0, 1, 1, 0}, {'\\', 0, -1, -1, 0},
               {'/', 1, 0, 0, -1}, {'/', -1, 0, 0, 1},   {'/', 0, 1, -1, 0}, {'/', 0, -1, 1, 0}};
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.kind << " " << k.dRow << "," << k.dCol);
    std::vector<std::string> grid(5, ".....");
    grid[2][2] = k.kind;
    Load(grid);
    Roll(2 - k.dRow, 2 - k.dCol, k.dRow, k.dCol);
    Step(15);
    EXPECT_EQ(BallDir(), (V{k.outRow, k.outCol}));
    EXPECT_EQ(Cell(2, 2).count, 4);
    EXPECT_EQ(events.Count(SoundId::ReflectHit), 1);
    EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 2, 2, 5), 1);
  }
  // With no hits left it turns once more, then is gone.
  Load({".....", ".....", "..\\..", ".....", "....."});
  Cell(2, 2).count = 0;
  Roll(1, 2, 1, 0);
  Step(15);
  EXPECT_EQ(BallDir(), (V{0, 1}));
  EXPECT_EQ(Cell(2, 2).kind, Floor);
  EXPECT_EQ(events.Count(SoundId::ReflectHit), 1);
}

TEST_F(CentreTest, WaitingBallLeavesAReflectorOnTheStartAlone) {
  Load({"S.."});
  HandlePlayClick(*world, ctx, 0, 0, ReflectorMain);  // during the intro: nothing
  EXPECT_EQ(Cell(0, 0).kind, Start);
  EXPECT_FALSE(Ball().moving);
  EXPECT_TRUE(events.sounds.empty());
  Cell(0, 0) = {ReflectorMain, 0, 0, 5};
  Ball().ready = true;
  Step(10);
  EXPECT_EQ(Cell(0, 0).count, 5);
  EXPECT_EQ(events.Count(SoundId::ReflectHit), 0);
  HandlePlayClick(*world, ctx, 0, 2, ReflectorAnti);  // the click sets it rolling; the Reflector turns it at once
  Step();
  EXPECT_EQ(Cell(0, 0).count, 4);
  EXPECT_EQ(Ball().dCol, 1);
  EXPECT_EQ(Ball().colPos, 5);
}

TEST_F(CentreTest, SwitchesLowerTheGatesAndAReleaseWhileLoweringSendsThemBack) {
  Load({"#Ss#", "GGGG"});
  Roll(0, 1, 0, 1);
  Step(11);
  EXPECT_EQ((V{world->level.switchesTotal, world->level.switchesOn, Cell(0, 2).state}), (V{1, 1, 1}));
  EXPECT_EQ(events.Count(SoundId::OnButton), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 2, 5), 1);
  EXPECT_EQ(events.Count(SoundId::ActorDown), 1);
  EXPECT_TRUE(world->play.gatesLowering);
  // Frames pass while the ball bounces back over the switch.
  ASSERT_TRUE(StepUntil([&] { return Cell(0, 2).state == 0; }, 40, true));
  EXPECT_EQ(world->level.switchesOn, 0);
  EXPECT_EQ(events.Count(SoundId::ActorUp), 1);
  EXPECT_TRUE(world->play.gatesRising);
  EXPECT_FALSE(world->play.gatesLowering);
  const int32_t lowest = Cell(1, 0).value;
  EXPECT_GT(lowest, 0);
  EXPECT_LT(lowest, 20);
  for (int i = 0; i < lowest + 1; ++i) AdvanceElementAnimations(world->level, world->play);
  EXPECT_EQ((V{Cell(1, 0).value, Cell(1, 3).value}), (V{0, 0}));
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
  ASSERT_TRUE(StepUntil([&] { return Cell(0, 1).state == 0; }, 200, true));
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
  // Row position on X, height on Y, column position on Z.
  EXPECT_FLOAT_EQ(Ball().world.m[3][0], 0.0f);
  EXPECT_FLOAT_EQ(Ball().world.m[3][1], 12.0f);
  EXPECT_FLOAT_EQ(Ball().world.m[3][2], 5.0f);
  EXPECT_TRUE(events.bursts.empty());  // a trail particle every second moving step, at the floor
  Step();
  ASSERT_EQ(events.bursts.size(), 1u);
  EXPECT_EQ(events.bursts[0].kind, BurstTemplate::TrailBurst);
  EXPECT_FLOAT_EQ(events.bursts[0].at.z, 5.0f);
  EXPECT_EQ(events.bursts[0].count, 1);
  Ball().moving = false;  // a standing ball keeps turning by the last increments
  const Matrix before = Ball().orientation;
  Step();
  EXPECT_EQ(Ball().colPos, 10);
  EXPECT_NE(Ball().orientation.m[1][1], before.m[1][1]);
}

}  // namespace
}  // namespace nb::test
