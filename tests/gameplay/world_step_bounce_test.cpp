// Walls, gates, bricks, valves and movable bricks in front of the ball.
#include "gameplay_fixture.h"

namespace nb::test {
namespace {

class BounceTest : public GameplayTest {
 public:
  // Steps until the ball's direction along the axis flips; returns the
  // position it had at the start of that step, or -1.
  int PositionAtBounce(bool alongCols = true) {
    BallState& ball = world->ball;
    for (int i = 0; i < 200; ++i) {
      const int before = alongCols ? ball.colPos : ball.rowPos, dir = alongCols ? ball.dCol : ball.dRow;
      Step();
      if ((alongCols ? ball.dCol : ball.dRow) == -dir) return before;
    }
    return -1;
  }
};

TEST_F(BounceTest, FrontCellSwitchesTenPastTheCentreUpwardsAndFifteenShortDownwardsAndBricksBreak) {
  Load({"#.S...#"});
  Roll(0, 2, 0, 1);
  EXPECT_EQ((V{PositionAtBounce(), Ball().colPos}), (V{260, 255}));  // 10 past the centre of column 5
  EXPECT_EQ((V{events.Count(SoundId::WallHit), events.CountBursts(BurstTemplate::ImpactBurst, 0, 6, 5)}),
            (V{1, 1}));
  EXPECT_EQ((V{PositionAtBounce(), Ball().colPos}), (V{35, 40}));  // 15 short of the centre of column 1
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 0, 5), 1);

  // A brick hit for the third time bounces the ball once more and breaks
  // (the count itself is played out by the level set's replays).
  Load({"#.Sb"});
  Cell(0, 3).state = 2;
  Roll(0, 2, 0, 1);
  EXPECT_EQ(PositionAtBounce(), 110);
  EXPECT_EQ((V{Cell(0, 3).kind, events.Count(SoundId::BrickCrash), events.Count(SoundId::WallHit)}),
            (V{Floor, 1, 1}));
  EXPECT_EQ((V{events.CountBursts(BurstTemplate::CrashBurst, 0, 3, 10),
               events.CountBursts(BurstTemplate::ImpactBurst, 0, 3, 5)}),
            (V{1, 1}));

  Load({"#.S..#"});  // a fast ball bounces on its own grid of positions
  Roll(0, 2, 0, -1, kFastSpeed);
  EXPECT_EQ((V{PositionAtBounce(), Ball().colPos}), (V{30, 40}));    // first position below 40 at speed 10
  EXPECT_TRUE(StepUntil([&] { return Ball().colPos == 150; }, 20));  // and passes every centre
}

TEST_F(BounceTest, ValveLetsThroughOnlyInItsOpenDirection) {
  const char valves[] = {'>', 'v', '<', '^'};
  const int dirs[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};  // same order as the valves
  for (int v = 0; v < 4; ++v) {
    for (int d = 0; d < 4; ++d) {
      SCOPED_TRACE(testing::Message() << "valve " << valves[v] << " direction " << d);
      std::vector<std::string> grid(5, ".....");
      grid[2][2] = valves[v];
      Load(grid);
      const int dRow = dirs[d][0], dCol = dirs[d][1];
      Roll(2 - 2 * dRow, 2 - 2 * dCol, dRow, dCol);  // two cells before the valve
      Step(30);
      EXPECT_EQ(events.Count(SoundId::WallHit), v == d ? 0 : 1);
      if (v == d) {
        EXPECT_EQ(BallPos(), (V{100 + 50 * dRow, 100 + 50 * dCol}));  // one cell past the valve
      } else {
        EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 2, 2, 5), 1);
        EXPECT_EQ(BallDir(), (V{-dRow, -dCol}));
      }
    }
  }
}

TEST_F(BounceTest, MovableBrickSinksIntoAHoleAndBouncesLater) {
  Load({"#S.mO.#"});
  Roll(0, 1, 0, 1);
  ASSERT_TRUE(StepUntil([&] { return world->play.slide.sliding; }));
  ASSERT_TRUE(StepUntil([&] { return !world->play.slide.sliding; }, 20));
  EXPECT_EQ((V{Cell(0, 4).kind, Cell(0, 4).state}), (V{MovableBrick, 1}));  // sunk: the hole is gone
  // Back from the wall the ball crosses the brick's old cell and bounces off
  // the sunk brick, which does not move.
  ASSERT_TRUE(StepUntil([&] { return Ball().dCol == 1; }));
  events.Clear();
  ASSERT_TRUE(StepUntil([&] { return Ball().dCol == -1; }));
  EXPECT_EQ((V{Ball().colPos, events.Count(SoundId::WallHit), world->play.slide.sliding, Ball().falling}),
            (V{155, 1, false, false}));
}

TEST_F(BounceTest, MovableBrickStaysAgainstWallStoneBrickAndTheGridEdge) {
  for (const char* row : {"#S.m#", "#S.mo", "#S.mm", "#S.mb", "#S.m"}) {
    SCOPED_TRACE(row);
    Load({row});
    const int32_t beyond = Cell(0, 4).kind;
    Roll(0, 1, 0, 1);
    ASSERT_TRUE(StepUntil([&] { return Ball().dCol == -1; }, 100));
    EXPECT_EQ(
        (V{events.Count(SoundId::WallHit), world->play.slide.sliding, Cell(0, 3).kind, Cell(0, 4).kind}),
        (V{1, false, MovableBrick, beyond}));
  }
}

TEST_F(BounceTest, SecondPushDuringASlidePutsTheFirstBrickDown) {
  Load({".mSm."});
  Roll(0, 2, 0, 1);
  ASSERT_TRUE(StepUntil([&] { return world->play.slide.sliding; }));
  EXPECT_EQ(world->play.slide.targetCol, 4);
  // Four steps later the ball pushes the other brick while the first slides.
  ASSERT_TRUE(StepUntil([&] { return world->play.slide.targetCol == 0; }, 10));
  EXPECT_EQ((V{Cell(0, 4).kind, Cell(0, 1).kind}),
            (V{MovableBrick, Floor}));  // the first brick landed, not lost
  ASSERT_TRUE(StepUntil([&] { return !world->play.slide.sliding; }, 20));
  EXPECT_EQ((V{Cell(0, 0).kind, Cell(0, 1).kind, Cell(0, 2).kind, Cell(0, 3).kind, Cell(0, 4).kind}),
            (V{MovableBrick, Floor, Start, Floor, MovableBrick}));
}

TEST_F(BounceTest, BallLeavingTheGridMeetsNothingThere) {
  Load({"S.."});
  Cell(0, 3).kind = Stone;  // a stale stone of an earlier, larger level just past the used columns
  world->level.stonesLeft = 1;
  Roll(0, 0, 0, 1);
  Step(60);
  EXPECT_EQ((V{Ball().colPos, Cell(0, 3).kind, world->level.stonesLeft}), (V{300, Stone, 1}));
  // Far outside the 128 x 128 array nothing is read either.
  Roll(0, 130, 0, 1);
  Step(5);
  Roll(0, -3, 0, -1);
  Step(5);
  EXPECT_TRUE(events.sounds.empty());
}

}  // namespace
}  // namespace nb::test
