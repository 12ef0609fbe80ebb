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
  }
}

TEST_F(CentreTest, LastStoneWinsTheLevel) {
  Load({"S.o.#"});
  Roll(0, 0, 0, 1);
  world->play.speedTimer = 5;
  Ball().speed = kFastSpeed;
  Step(11);
  EXPECT_EQ((V{world->play.levelWon, Ball().moving, Stat(StatCompleted)}), (V{true, false, 1}));
  EXPECT_EQ((V{Ball().speed, Ball().dRow, Ball().dCol}), (V{kBaseSpeed, 1, 0}));
  EXPECT_EQ(events.stopped, std::vector<MusicId>{MusicId::Game});
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
  EXPECT_EQ((V{Ball().dRow, Ball().dCol, Stat(StatHoles)}), (V{0, 0, 1}));
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 4, 5), 1);
  Step(20);  // 2 x speed per step from 12: below -200 after 22 steps
  EXPECT_EQ((V{Ball().falling, Ball().height, Stat(StatHoles)}), (V{true, 12 - 10 * 21, 1}));
  EXPECT_EQ(events.Count(SoundId::BallDown), 1);  // the sound plays once
  Step();  // back at the start, waiting, one life less; the camera returns home
  EXPECT_EQ((V{Ball().falling, Ball().ready, Ball().moving}), (V{false, true, false}));
  EXPECT_EQ((V{Ball().rowPos, Ball().colPos, Ball().dRow, Ball().dCol, Ball().height}), (V{0, 100, 1, 0, 12}));
  EXPECT_EQ(Profile().lives[0], 0);
  ASSERT_EQ(events.moves.size(), 1u);
  EXPECT_FLOAT_EQ(events.moves[0].eye.y, world->level.homeEye.y);
  EXPECT_TRUE(events.states.empty());
  Step(10);  // waiting: it does not move until the click
  EXPECT_EQ(Ball().rowPos, 0);

  Load({"..S.O.#"});  // with no life left the game ends
  Profile().lives[0] = 0;
  Roll(0, 2, 0, 1);
  Step(21 + 21);
  EXPECT_EQ((V{Profile().lives[0], Ball().ready}), (V{-1, false}));
  EXPECT_EQ(events.states, std::vector<GameState>{GameState::GameOverScreen});
  EXPECT_TRUE(events.moves.empty());
}

TEST_F(CentreTest, TeleportsWithTwoAndThreePartnersAndOneOutsideTheGrid) {
  Load({"S.T...T.."});
  Roll(0, 0, 0, 1);
  Step(20);
  events.Clear();
  Step();  // reaches the first teleport's centre
  EXPECT_EQ(Ball().colPos, 305);  // at the partner and moved on in the same step
  EXPECT_EQ((V{events.CountBursts(BurstTemplate::PickupBurst, 0, 2, 5),
               events.CountBursts(BurstTemplate::PickupBurst, 0, 6, 5)}), (V{1, 1}));
  Step(10);
  EXPECT_EQ((V{Ball().colPos, events.Count(SoundId::BallDown)}), (V{355, 1}));  // no jump back

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
    EXPECT_EQ((V{Ball().dRow, Ball().dCol, Cell(2, 2).count}), (V{k.outRow, k.outCol, 4}));
    EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 2, 2, 5), 1);
  }
  // With no hits left it turns once more, then is gone.
  Load({".....", ".....", "..\\..", ".....", "....."});
  Cell(2, 2).count = 0;
  Roll(1, 2, 1, 0);
  Step(15);
  EXPECT_EQ((V{Ball().dRow, Ball().dCol, Cell(2, 2).kind, events.Count(SoundId::ReflectHit)}), (V{0, 1, Floor, 1}));
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
  HandlePlayClick(*world, ctx, 0, 2, ReflectorAnti);  // the click sets it rolling; the Reflector turns it at once
  Step();
  EXPECT_EQ((V{Cell(0, 0).count, Ball().dCol, Ball().colPos}), (V{4, 1, 5}));
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
    Frame();
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
  // Rolling along the columns turns the ball about X; it sits at (row, height, column).
  EXPECT_GT(Ball().rollA, 0.0f);
  EXPECT_EQ(Ball().rollB, 0.0f);
  const Matrix& m = Ball().world;
  EXPECT_NEAR(m.m[0][0], 1.0f, 1e-6f);  // the X axis stays, Y and Z turn alike
  EXPECT_LT(m.m[1][1], 1.0f);
  EXPECT_NEAR(m.m[1][1], m.m[2][2], 1e-6f);
  EXPECT_EQ((std::vector<float>{Ball().world.m[3][0], Ball().world.m[3][1], Ball().world.m[3][2]}),
            (std::vector<float>{0, 12, 5}));
  EXPECT_TRUE(events.bursts.empty());  // a trail particle every second moving step, at the floor
  Step();
  ASSERT_EQ(events.bursts.size(), 1u);
  EXPECT_EQ((V{int(events.bursts[0].kind), int(events.bursts[0].at.z), events.bursts[0].count}),
            (V{int(BurstTemplate::TrailBurst), 5, 1}));
  Ball().moving = false;  // a standing ball keeps turning by the last increments
  const Matrix before = Ball().orientation;
  Step();
  EXPECT_EQ(Ball().colPos, 10);
  EXPECT_NE(Ball().orientation.m[1][1], before.m[1][1]);
}

}  // namespace
}  // namespace nb::test
