#include "gameplay_fixture.h"

#include <cstring>

namespace nb::test {

GridCell CellFor(char ch) {
  static const struct {
    char ch;
    int32_t kind, state;
  } legend[] = {{'.', Floor, 0},
                {'#', Wall, 0},
                {'G', Gate, 0},
                {'s', Switch, 0},
                {'\\', ReflectorMain, 0},
                {'/', ReflectorAnti, 0},
                {'o', Stone, 0},
                {'B', Bonus, BonusRandom},
                {'O', Hole, 0},
                {'S', Start, 0},
                {' ', Void, 0},
                {'b', Brick, 0},
                {'T', Teleport, 0},
                {'m', MovableBrick, 0},
                {'>', Valve, ValveTowardsHigherCols},
                {'v', Valve, ValveTowardsHigherRows},
                {'<', Valve, ValveTowardsLowerCols},
                {'^', Valve, ValveTowardsLowerRows}};
  GridCell cell;
  for (const auto& l : legend)
    if (l.ch == ch) {
      cell.kind = l.kind;
      cell.state = l.state;
      return cell;
    }
  ADD_FAILURE() << "no cell kind for '" << ch << "'";
  return cell;
}

std::unique_ptr<LevelRecord> DrawLevel(const std::vector<std::string>& rows, int32_t timeLimit) {
  auto level = std::make_unique<LevelRecord>();
  level->rows = static_cast<int32_t>(rows.size());
  level->cols = static_cast<int32_t>(rows[0].size());
  level->timeLimit = timeLimit;
  for (int r = 0; r < level->rows; ++r)
    for (int c = 0; c < level->cols; ++c) level->cells[r][c] = CellFor(rows[r][c]);
  return level;
}

GameplayTest::GameplayTest() {
  ProfileRecord& p = profiles.profiles[0];
  std::strcpy(p.name, "Tester");
  for (int m = 0; m < kGameModes; ++m) p.score[m] = 0, p.level[m] = 1, p.lives[m] = 3;
  profiles.count = 1;
  profiles.current = 0;
  rng.Seed(7);
  world->texts = {"time bonus", "fast", "slow", "turn around", "extra life", "quick"};
}

void GameplayTest::Load(const std::vector<std::string>& rows, int32_t timeLimit) {
  for (size_t r = 0; r < rows.size(); ++r) ASSERT_EQ(rows[r].size(), rows[0].size()) << "row " << r;
  std::unique_ptr<LevelRecord> drawn = DrawLevel(rows, timeLimit);
  LevelRecord& level = world->level;
  level.rows = drawn->rows, level.cols = drawn->cols, level.timeLimit = timeLimit;
  for (int r = 0; r < level.rows; ++r)
    for (int c = 0; c < level.cols; ++c) level.cells[r][c] = drawn->cells[r][c];
  PrepareLoadedLevel(*world, ctx);
  events.Clear();
}

void GameplayTest::Roll(int row, int col, int dRow, int dCol, int speed) {
  BallState& ball = world->ball;
  ball.rowPos = 50 * row;
  ball.colPos = 50 * col;
  ball.dRow = dRow;
  ball.dCol = dCol;
  ball.speed = speed;
  ball.moving = true;
  ball.ready = ball.falling = false;
  ball.height = kRollingHeight;
}

}  // namespace nb::test
