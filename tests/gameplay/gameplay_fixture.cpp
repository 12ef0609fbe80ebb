#include "gameplay_fixture.h"

#include <cstring>

namespace nb::test {

GridCell CellFor(char ch) {
  static const std::string chars = ".#Gs\\/oBOS bTm>v<^";
  static const int32_t kinds[] = {Floor,    Wall,         Gate,  Switch, ReflectorMain, ReflectorAnti,
                                  Stone,    Bonus,        Hole,  Start,  Void,          Brick,
                                  Teleport, MovableBrick, Valve, Valve,  Valve,         Valve};
  GridCell cell;
  const size_t i = chars.find(ch);
  if (i == std::string::npos) {
    ADD_FAILURE() << "no cell kind for '" << ch << "'";
    return cell;
  }
  cell.kind = kinds[i];
  // The valves open in the legend's order; a drawn bonus is the random one.
  cell.state = kinds[i] == Valve ? ValveTowardsHigherCols + static_cast<int32_t>(i - chars.find('>'))
                                 : (ch == 'B' ? BonusRandom : 0);
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
  world->level = *DrawLevel(rows, timeLimit);
  PrepareLoadedLevel(*world, ctx);
  events.Clear();
}

void GameplayTest::Roll(int row, int col, int dRow, int dCol, int speed) {
  BallState& ball = world->ball;
  ball.rowPos = 50 * row, ball.colPos = 50 * col, ball.dRow = dRow, ball.dCol = dCol, ball.speed = speed;
  ball.moving = true;
  ball.ready = ball.falling = false;
  ball.height = kRollingHeight;
}

}  // namespace nb::test
