// The shipped level set: every compiled level matches its source, and every
// stored solution wins through the game's own level start, world step and
// click handlers in each game mode with time to spare, while the ball alone
// wins none.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/settings_file.h"
#include "gameplay/level_file.h"
#include "gameplay/level_setup.h"
#include "tools/levelsolve/replay.h"

namespace nb {
namespace {

using levels::ReplayGame;
using levels::ReplayOutcome;

constexpr int kSpareSeconds = 5;  // left at least, in the hardest mode

struct ShippedLevel {
  int number = 0;
  std::string path;
  levels::LevelSource source;
};

std::vector<ShippedLevel> LoadSources() {
  std::vector<ShippedLevel> out;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(NB_SOURCE_DIR) + "/data/levels")) {
    if (entry.path().extension() != ".lvl") continue;
    ShippedLevel level;
    level.path = entry.path().string();
    level.number = levels::LevelNumberFromFileName(level.path);
    levels::SourceError error;
    std::optional<levels::LevelSource> parsed = levels::ReadLevelSource(level.path, error);
    EXPECT_TRUE(parsed.has_value()) << level.path << ":" << error.line << ": " << error.reason;
    if (!parsed) continue;
    level.source = std::move(*parsed);
    out.push_back(std::move(level));
  }
  std::sort(out.begin(), out.end(),
            [](const ShippedLevel& a, const ShippedLevel& b) { return a.number < b.number; });
  return out;
}

// Starts level N of the shipped set the way a new game does, from the game's
// own directory (where "data\levels\N.ilf" lives), and replays the moves.
ReplayOutcome PlayShipped(const ShippedLevel& level, int mode, const std::vector<levels::SolutionMove>& moves,
                          uint32_t seed, int* startTime = nullptr) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(NB_GAME_DIR);
  ReplayGame game(mode, level.number, seed);
  EXPECT_TRUE(StartLevel(*game.world, game.ctx));
  if (startTime) *startTime = game.world->level.timeLimit;
  ReplayOutcome run = ReplaySolution(*game.world, game.ctx, game.events, moves,
                                     (level.source.timeLimit + 60) * levels::kStepsPerSecond);
  std::filesystem::current_path(previous);
  return run;
}

TEST(LevelSet, CountFilesAndReadmeMatchTheSources) {
  const std::vector<ShippedLevel> sources = LoadSources();
  std::ifstream readmeFile(std::string(NB_SOURCE_DIR) + "/README.md", std::ios::binary);
  const std::string readme((std::istreambuf_iterator<char>(readmeFile)), std::istreambuf_iterator<char>());
  ASSERT_GE(sources.size(), 30u);
  SettingsFile shipped{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
  EXPECT_EQ(shipped.ReadInt("Levels", "count", 0), static_cast<int>(sources.size()));
  for (size_t i = 0; i < sources.size(); ++i) {
    const levels::LevelSource& source = sources[i].source;
    SCOPED_TRACE(sources[i].path);
    EXPECT_EQ(sources[i].number, static_cast<int>(i) + 1);
    const std::string file = std::string(NB_GAME_DIR) + "/data/levels/" + std::to_string(i + 1) + ".ilf";
    LevelRecord record;
    ASSERT_TRUE(LoadLevelFile(record, file));
    EXPECT_EQ(record.timeLimit, source.timeLimit);
    ASSERT_EQ(record.rows, source.rows);
    ASSERT_EQ(record.cols, source.cols);
    int mismatches = 0;
    for (int r = 0; r < record.rows; ++r) {
      for (int c = 0; c < record.cols; ++c) {
        const GridCell& got = record.cells[r][c];
        const levels::SourceCell& want = source.At(r, c);
        mismatches += got.kind != want.kind || got.state != want.state || got.value != want.value;
      }
    }
    EXPECT_EQ(mismatches, 0);
    const std::string row = "| " + std::to_string(i + 1) + " | " + source.title + " | " + source.idea +
                            " | " + std::to_string(source.rows) + " × " + std::to_string(source.cols) +
                            " | " + std::to_string(source.timeLimit) + " s |";
    EXPECT_NE(readme.find(row), std::string::npos) << "README.md lacks the row starting " << row;
  }
}

TEST(LevelSet, EveryStoredSolutionWinsInEveryModeAndSeedButTheBallAloneWinsNone) {
  for (const ShippedLevel& level : LoadSources()) {
    for (int mode = 0; mode < kGameModes; ++mode) {
      // The random numbers only pick the stones' looks: in the hardest mode
      // a solution must win whatever the seed.
      const std::vector<uint32_t> seeds =
          mode == 2 ? std::vector<uint32_t>{1, 7, 12345, 4000000000u} : std::vector<uint32_t>{1};
      for (uint32_t seed : seeds) {
        SCOPED_TRACE(level.path + " mode " + std::to_string(mode) + " seed " + std::to_string(seed));
        int startTime = 0;
        ReplayOutcome run = PlayShipped(level, mode, level.source.solution, seed, &startTime);
        EXPECT_EQ(startTime, level.source.timeLimit - 15 * mode);
        EXPECT_TRUE(run.won) << run.stonesLeft << " stones left after " << run.steps << " steps";
        EXPECT_FALSE(run.timeUp);
        EXPECT_EQ(run.falls, 0);
        EXPECT_GE(run.timeLeft, kSpareSeconds);
      }
    }
    ReplayOutcome idle = PlayShipped(level, 0, {}, 1);
    EXPECT_FALSE(idle.won) << level.path << " is won by the ball alone";
    EXPECT_GT(idle.stonesLeft, 0) << level.path;
  }
}

TEST(LevelSet, EveryStoredClickIsOnACellThePlayerCanPointAt) {
  // On a large island the camera never shows the border band to the pointer.
  for (const ShippedLevel& level : LoadSources()) {
    const levels::ClickableBox box = levels::ClickableCells(level.source.rows, level.source.cols);
    for (const levels::SolutionMove& m : level.source.solution) {
      EXPECT_TRUE(box.Contains(m.row, m.col))
          << level.path << ":" << m.line << ": click at " << m.row << " " << m.col << " outside rows "
          << box.minRow << ".." << box.maxRow << ", columns " << box.minCol << ".." << box.maxCol;
    }
  }
  const levels::ClickableBox small = levels::ClickableCells(16, 16), large = levels::ClickableCells(60, 44);
  EXPECT_TRUE(small.Contains(0, 0) && small.Contains(15, 15));  // the band exists only on large grids
  EXPECT_FALSE(large.Contains(5, 22));
  EXPECT_FALSE(large.Contains(30, 40));
  EXPECT_TRUE(large.Contains(30, 22));
}

TEST(LevelSet, ReplayReportsTimeUp) {
  // The replay itself can fail a solution: the clock runs out before the
  // solution ends (the ball alone above shows it reports stones left).
  std::vector<ShippedLevel> sources = LoadSources();
  ASSERT_FALSE(sources.empty());
  levels::LevelSource tight = sources.front().source;
  tight.timeLimit = 31;  // one second in the hardest mode
  ReplayGame game(2);
  game.PrepareFromSource(tight);
  ReplayOutcome run = ReplaySolution(*game.world, game.ctx, game.events, tight.solution, 60 * 60);
  EXPECT_TRUE(run.timeUp);
  EXPECT_FALSE(run.won);
  EXPECT_EQ(game.events.gameState, GameState::TimeUpScreen);
}

}  // namespace
}  // namespace nb
