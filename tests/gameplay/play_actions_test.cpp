// The play screen's click effects on the grid and the element animations.
#include "gameplay_fixture.h"

namespace nb::test {
namespace {

using ClickTest = GameplayTest;

TEST(PlayCursor, TheQuarterOfTheCellPicksTheDiagonal) {
  const struct {
    float x, z;
    int row, col, kind;
  } cases[] = {{60, 110, 1, 2, ReflectorMain},  {40, 90, 1, 2, ReflectorMain},
               {60, 90, 1, 2, ReflectorAnti},   {40, 110, 1, 2, ReflectorAnti},
               {-20, -20, 0, 0, ReflectorMain}, {-30, 10, 0, 0, ReflectorAnti},
               {50, 100, 1, 2, ReflectorAnti},  // the exact centre: neither sign
               {-40, 0, 0, 0, ReflectorAnti},   {-80, 0, -1, 0, ReflectorAnti}};  // truncation towards zero
  for (const auto& k : cases) {
    const CursorCell cursor = ComputeCursorCell(k.x, k.z);
    EXPECT_EQ((V{cursor.row, cursor.col, cursor.placeKind}), (V{k.row, k.col, k.kind})) << k.x << "," << k.z;
  }
}

TEST_F(ClickTest, ClicksPlaceRenewAndTurnReflectors) {
  Load({"S...", ".o..", "...."});
  Ball().ready = true;
  Profile().score[0] = 2;
  HandlePlayClick(*world, ctx, 0, 2, ReflectorAnti);  // starts the ball and places
  EXPECT_EQ((V{Ball().moving, Ball().ready}), (V{true, false}));
  EXPECT_EQ(KSV(Cell(0, 2)), (V{ReflectorAnti, 1, 0}));
  HandlePlayClick(*world, ctx, 2, 3, ReflectorMain);
  EXPECT_EQ(KSV(Cell(2, 3)), (V{ReflectorMain, 2, 20}));
  EXPECT_EQ((V{Cell(0, 2).count, Profile().score[0]}), (V{5, 0}));  // a point per placement
  // With score 0 placing is free and the score stays 0.
  Cell(0, 2).count = 1;
  HandlePlayClick(*world, ctx, 0, 2, ReflectorAnti);  // same kind: hits renewed
  EXPECT_EQ((V{Cell(0, 2).count, Cell(0, 2).state, Profile().score[0]}), (V{5, 1, 0}));
  HandlePlayClick(*world, ctx, 0, 2, ReflectorMain);  // other kind: it turns
  EXPECT_EQ(KSV(Cell(0, 2)), (V{ReflectorMain, 3, 40}));
  HandlePlayClick(*world, ctx, 0, 2, ReflectorAnti);
  EXPECT_EQ(KSV(Cell(0, 2)), (V{ReflectorAnti, 5, 90}));
  // A Start cell takes one; stones, outside cells and a wrong kind nothing.
  HandlePlayClick(*world, ctx, 0, 0, ReflectorMain);
  HandlePlayClick(*world, ctx, 1, 1, ReflectorMain);
  HandlePlayClick(*world, ctx, 3, 0, ReflectorMain);
  HandlePlayClick(*world, ctx, -1, 0, ReflectorMain);
  HandlePlayClick(*world, ctx, 1, 2, 4);
  EXPECT_EQ((V{Cell(0, 0).kind, Cell(1, 1).kind, Cell(3, 0).kind, Cell(1, 2).kind}),
            (V{ReflectorMain, Stone, Floor, Floor}));
  EXPECT_EQ(events.Count(SoundId::ReflectorSet), 6);
}

TEST_F(ClickTest, RightClickStartsTheRemovalAndAlwaysCounts) {
  Load({"S.\\/"});
  for (int col : {1, 2, 3, 9}) RemoveReflectorAtCursor(*world, ctx, 0, col);  // floor counts, outside not
  EXPECT_EQ((V{Stat(StatRightClicks), events.Count(SoundId::ReflectorRemove)}), (V{3, 2}));
  Animate(4);
  EXPECT_EQ((V{Cell(0, 2).kind, Cell(0, 3).kind}), (V{ReflectorMain, ReflectorAnti}));
  Animate(1);  // gone on the fifth frame
  EXPECT_EQ((V{Cell(0, 2).kind, Cell(0, 3).kind}), (V{Floor, Floor}));
}

TEST_F(ClickTest, ReflectorAnimationsEndOnTheirKindAndStay) {
  const struct {
    int32_t kind, state, value, frames, endValue, endKind;
  } cases[] = {
      {ReflectorAnti, 3, 40, 10, 60, ReflectorMain},
      {ReflectorMain, 5, 90, 10, 110, ReflectorAnti},
      {ReflectorAnti, 1, 9, 1, 10, ReflectorAnti},  // an odd position ends on the segment's end, not past it
      {Stone, 1, 0, 1, 0, Stone}};                  // other kinds are left alone
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.kind << " " << k.state << " " << k.value);
    GridCell cell{k.kind, k.state, k.value, 3};
    for (int f = 0; f + 1 < k.frames; ++f) AdvanceReflectorAnimation(cell);
    EXPECT_EQ(cell.kind, k.kind);  // not yet at the end
    if (k.frames > 1) {
      EXPECT_EQ(cell.value, k.endValue - 2);
    }
    AdvanceReflectorAnimation(cell);
    EXPECT_EQ(cell.kind, k.endKind);
    if (k.endKind == Floor) continue;
    AdvanceReflectorAnimation(cell);
    EXPECT_EQ((V{cell.kind, cell.value, cell.count}), (V{k.endKind, k.endValue, 3}));  // it stays at the end
  }
}

TEST_F(ClickTest, GatesOpenOnlyWhenFullyLoweredAndCloseAsTheyStartRising) {
  Load({"GG"});
  world->play.gatesLowering = true;
  Animate(20);
  EXPECT_EQ((V{Cell(0, 0).value, world->play.gatesOpen}), (V{20, 0}));
  Animate(1);
  EXPECT_EQ((V{world->play.gatesOpen, world->play.gatesLowering, Cell(0, 1).value}), (V{1, false, 20}));
  world->play.gatesRising = true;
  Animate(21);
  EXPECT_EQ((V{Cell(0, 0).value, world->play.gatesRising, world->play.gatesOpen}), (V{0, false, 0}));
}

}  // namespace
}  // namespace nb::test
