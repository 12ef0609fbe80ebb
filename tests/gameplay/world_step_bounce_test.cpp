// Walls, gates, bricks, valves and movable bricks in front of the ball.
#include "gameplay/element_animations.h"
#include "gameplay_fixture.h"

namespace nb::test {
namespace {

class BounceTest : public GameplayTest {};

// Steps until the ball's direction along the axis flips; returns the
// position it had at the start of that step, or -1.
int PositionAtBounce(GameplayTest* t, BallState& ball, bool alongCols) {
  for (int i = 0; i < 200; ++i) {
    const int before = alongCols ? ball.colPos : ball.rowPos;
    const int dirBefore = alongCols ? ball.dCol : ball.dRow;
    StepWorld(*t->world, t->ctx);
    if ((alongCols ? ball.dCol : ball.dRow) == -dirBefore) return before;
  }
  return -1;
}

TEST_F(BounceTest, FrontCellSwitchesTenPastTheCentreUpwardsAndFifteenShortDownwards) {
  // Columns: wall at 0 and 6.
  Load({"#.S...#"});
  Roll(0, 2, 0, 1);
  EXPECT_EQ(PositionAtBounce(this, Ball(), true), 260);  // 10 past the centre of column 5
  EXPECT_EQ(Ball().colPos, 255);
  EXPECT_EQ(events.Count(SoundId::WallHit), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 6, 5), 1);
  EXPECT_EQ(PositionAtBounce(this, Ball(), true), 35);  // 15 short of the centre of column 1
  EXPECT_EQ(Ball().colPos, 40);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 0, 5), 1);

  // The same along rows.
  Load({"#", ".", "S", ".", "#"});
  Roll(2, 0, 1, 0);
  EXPECT_EQ(PositionAtBounce(this, Ball(), false), 160);
  EXPECT_EQ(PositionAtBounce(this, Ball(), false), 35);
  EXPECT_EQ(events.Count(SoundId::WallHit), 2);
}

TEST_F(BounceTest, FastBallBouncesOnItsOwnGridOfPositions) {
  Load({"#.S..#"});
  Roll(0, 2, 0, -1, kFastSpeed);
  EXPECT_EQ(PositionAtBounce(this, Ball(), true), 30);  // first position below 40 at speed 10
  EXPECT_EQ(Ball().colPos, 40);
  // It still passes every centre exactly.
  EXPECT_TRUE(StepUntil([&] { return Ball().colPos == 150; }, 20));
}

TEST_F(BounceTest, ClosedGateBouncesAndOpenGateLetsThrough) {
  Load({"S..G..#"});
  Roll(0, 0, 0, 1);
  EXPECT_EQ(PositionAtBounce(this, Ball(), true), 110);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 3, 5), 1);

  Load({"S..G..#"});
  world->play.gatesOpen = 1;
  Roll(0, 0, 0, 1);
  EXPECT_EQ(PositionAtBounce(this, Ball(), true), 260);  // only the wall behind the gate
}

TEST_F(BounceTest, BrickBreaksOnTheThirdHitWithCrashSoundAndBurst) {
  Load({"#.S.b.#"});
  Roll(0, 2, 0, 1);
  for (int hit = 1; hit <= 3; ++hit) {
    ASSERT_TRUE(StepUntil([&] { return Ball().dCol == -1; }));
    if (hit < 3) {
      EXPECT_EQ(Cell(0, 4).kind, Brick);
      EXPECT_EQ(Cell(0, 4).state, hit);
      EXPECT_EQ(events.Count(SoundId::BrickCrash), 0);
    }
    ASSERT_TRUE(StepUntil([&] { return Ball().dCol == 1; }));  // back off the wall
  }
  EXPECT_EQ(Cell(0, 4).kind, Floor);
  EXPECT_EQ(events.Count(SoundId::BrickCrash), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::CrashBurst, 0, 4, 10), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 4, 5), 3);  // the third hit bounces too
  // Now the ball rolls over the broken brick's cell to the far wall.
  EXPECT_EQ(PositionAtBounce(this, Ball(), true), 260);
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
      if (v == d) {
        EXPECT_EQ(events.Count(SoundId::WallHit), 0);
        EXPECT_EQ(Ball().rowPos, 100 + 50 * dRow);  // one cell past the valve
        EXPECT_EQ(Ball().colPos, 100 + 50 * dCol);
      } else {
        EXPECT_EQ(events.Count(SoundId::WallHit), 1);
        EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 2, 2, 5), 1);
        EXPECT_EQ(Ball().dRow, -dRow);
        EXPECT_EQ(Ball().dCol, -dCol);
      }
    }
  }
}

TEST_F(BounceTest, MovableBrickSlidesOntoFloor) {
  Load({"#S.m..#"});
  Roll(0, 1, 0, 1);
  ASSERT_TRUE(StepUntil([&] { return Ball().dCol == -1; }));
  EXPECT_EQ(events.Count(SoundId::WallHit), 1);
  EXPECT_EQ(events.CountBursts(BurstTemplate::ImpactBurst, 0, 3, 5), 1);
  EXPECT_EQ(Cell(0, 3).kind, Floor);
  ASSERT_TRUE(world->play.slide.sliding);
  EXPECT_FLOAT_EQ(world->play.slide.colPos, 150.0f);
  Step();
  EXPECT_FLOAT_EQ(world->play.slide.colPos, 162.5f);  // a quarter of the way each step
  EXPECT_TRUE(StepUntil([&] { return !world->play.slide.sliding; }, 20));
  EXPECT_EQ(Cell(0, 4).kind, MovableBrick);
  EXPECT_EQ(Cell(0, 4).state, 0);
}

TEST_F(BounceTest, MovableBrickSinksIntoAHoleAndBouncesLater) {
  Load({"#S.mO.#"});
  Roll(0, 1, 0, 1);
  ASSERT_TRUE(StepUntil([&] { return world->play.slide.sliding; }));
  ASSERT_TRUE(StepUntil([&] { return !world->play.slide.sliding; }, 20));
  EXPECT_EQ(Cell(0, 4).kind, MovableBrick);
  EXPECT_EQ(Cell(0, 4).state, 1);  // sunk: the hole is gone
  // The ball comes back from the wall, crosses the brick's old cell and
  // bounces off the sunk brick, which does not move.
  ASSERT_TRUE(StepUntil([&] { return Ball().dCol == 1; }));
  events.Clear();
  ASSERT_TRUE(StepUntil([&] { return Ball().dCol == -1; }));
  EXPECT_EQ(Ball().colPos, 155);
  EXPECT_EQ(events.Count(SoundId::WallHit), 1);
  EXPECT_FALSE(world->play.slide.sliding);
  EXPECT_EQ(Cell(0, 4).kind, MovableBrick);
  EXPECT_FALSE(Ball().falling);
}

TEST_F(BounceTest, MovableBrickStaysAgainstWallStoneBrickAndTheGridEdge) {
  for (const char* row : {"#S.m#", "#S.mo", "#S.mm", "#S.mb", "#S.m"}) {
    SCOPED_TRACE(row);
    Load({row});
    const GridCell beyond = world->level.cols > 4 ? Cell(0, 4) : GridCell{};
    Roll(0, 1, 0, 1);
    ASSERT_TRUE(StepUntil([&] { return Ball().dCol == -1; }, 100));
    EXPECT_EQ(events.Count(SoundId::WallHit), 1);
    EXPECT_FALSE(world->play.slide.sliding);
    EXPECT_EQ(Cell(0, 3).kind, MovableBrick);
    if (world->level.cols > 4) {
      EXPECT_EQ(Cell(0, 4).kind, beyond.kind);
    }
  }
}

TEST_F(BounceTest, SecondPushDuringASlidePutsTheFirstBrickDown) {
  Load({".mSm."});
  Roll(0, 2, 0, 1);
  ASSERT_TRUE(StepUntil([&] { return world->play.slide.sliding; }));
  EXPECT_EQ(world->play.slide.targetCol, 4);
  // Four steps later the ball pushes the other brick while the first slides.
  ASSERT_TRUE(StepUntil([&] { return world->play.slide.targetCol == 0; }, 10));
  EXPECT_EQ(Cell(0, 4).kind, MovableBrick);  // the first brick landed, not lost
  EXPECT_EQ(Cell(0, 1).kind, Floor);
  ASSERT_TRUE(StepUntil([&] { return !world->play.slide.sliding; }, 20));
  EXPECT_EQ(Cell(0, 0).kind, MovableBrick);
  int bricks = 0;
  for (int c = 0; c < 5; ++c) bricks += Cell(0, c).kind == MovableBrick;
  EXPECT_EQ(bricks, 2);
}

TEST_F(BounceTest, BallLeavingTheGridMeetsNothingThere) {
  Load({"S.."});
  // A stale stone of an earlier, larger level just past the used columns.
  world->level.cells[0][3].kind = Stone;
  world->level.stonesLeft = 1;
  Roll(0, 0, 0, 1);
  Step(60);
  EXPECT_EQ(Ball().colPos, 300);
  EXPECT_EQ(world->level.cells[0][3].kind, Stone);
  EXPECT_EQ(world->level.stonesLeft, 1);
  EXPECT_TRUE(events.sounds.empty());
  // Far outside the 128 x 128 array nothing is read either.
  Roll(0, 130, 0, 1);
  Step(5);
  Roll(0, -3, 0, -1);
  Step(5);
  EXPECT_TRUE(events.sounds.empty());
}

}  // namespace
}  // namespace nb::test
