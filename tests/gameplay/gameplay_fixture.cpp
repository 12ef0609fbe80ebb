#include "gameplay_fixture.h"

#include <cstring>

namespace nb::test {

GridCell CellFor(char ch) {
  GridCell cell;
  switch (ch) {
    case '.': cell.kind = Floor; break;
    case '#': cell.kind = Wall; break;
    case 'G': cell.kind = Gate; break;
    case 's': cell.kind = Switch; break;
    case '\\': cell.kind = ReflectorMain; break;
    case '/': cell.kind = ReflectorAnti; break;
    case 'o': cell.kind = Stone; break;
    case 'B': cell.kind = Bonus; cell.state = BonusRandom; break;
    case 'O': cell.kind = Hole; break;
    case 'S': cell.kind = Start; break;
    case ' ': cell.kind = Void; break;
    case 'b': cell.kind = Brick; break;
    case 'T': cell.kind = Teleport; break;
    case 'm': cell.kind = MovableBrick; break;
    case '>': cell.kind = Valve; cell.state = ValveTowardsHigherCols; break;
    case 'v': cell.kind = Valve; cell.state = ValveTowardsHigherRows; break;
    case '<': cell.kind = Valve; cell.state = ValveTowardsLowerCols; break;
    case '^': cell.kind = Valve; cell.state = ValveTowardsLowerRows; break;
    default: ADD_FAILURE() << "no cell kind for '" << ch << "'"; break;
  }
  return cell;
}

GameplayTest::GameplayTest() {
  ProfileRecord& p = profiles.profiles[0];
  std::strcpy(p.name, "Tester");
  for (int m = 0; m < kGameModes; ++m) {
    p.score[m] = 0;
    p.level[m] = 1;
    p.lives[m] = 3;
  }
  p.mode = 0;
  profiles.count = 1;
  profiles.current = 0;
  rng.Seed(7);
  world->texts = {"time bonus", "fast", "slow", "turn around", "extra life", "quick"};
}

void GameplayTest::Load(const std::vector<std::string>& rows, int32_t timeLimit) {
  LevelRecord& level = world->level;
  level.rows = static_cast<int32_t>(rows.size());
  level.cols = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
  level.timeLimit = timeLimit;
  for (int r = 0; r < level.rows; ++r) {
    ASSERT_EQ(rows[r].size(), static_cast<size_t>(level.cols)) << "row " << r;
    for (int c = 0; c < level.cols; ++c) level.cells[r][c] = CellFor(rows[r][c]);
  }
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
  ball.ready = false;
  ball.falling = false;
  ball.height = kRollingHeight;
}

void GameplayTest::Step(int steps) {
  for (int i = 0; i < steps; ++i) StepWorld(*world, ctx);
}

}  // namespace nb::test
