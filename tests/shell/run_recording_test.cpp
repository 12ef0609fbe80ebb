// Runs recorded through the real input handler and update, and played back
// from the recording: they agree update by update, a won run keeps the
// bests and the best replay, and practice leaves the profile's run alone.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "persistence/level_stats.h"
#include "shell/input.h"
#include "shell/practice.h"
#include "shell/run_recording.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

// What the rules have made of the level after an update.
uint64_t Fingerprint(const Game& game) {
  const World& w = game.world;
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](int64_t v) { h = (h ^ static_cast<uint64_t>(v)) * 1099511628211ull; };
  for (int64_t v :
       {int64_t{w.ball.rowPos}, int64_t{w.ball.colPos}, int64_t{w.ball.height}, int64_t{w.ball.dRow},
        int64_t{w.ball.dCol}, int64_t{w.ball.speed}, int64_t{w.ball.moving}, int64_t{w.level.stonesLeft},
        int64_t{w.level.timeLimit}, int64_t{CurrentScore(ActiveProfiles(game))},
        int64_t{CurrentLives(ActiveProfiles(game))}, static_cast<int64_t>(game.screen.gameState)})
    mix(v);
  for (int r = 0; r < w.level.rows; ++r)
    for (int c = 0; c < w.level.cols; ++c) {
      const GridCell& cell = w.level.cells[r][c];
      // A cell's count means something only on a Reflector; other cells keep
      // whatever an earlier level left there.
      const bool reflector = cell.kind == ReflectorAnti || cell.kind == ReflectorMain;
      mix(cell.kind * 1000003LL + cell.state * 1009LL + cell.value * 31LL + (reflector ? cell.count : 0));
    }
  return h;
}

class RecordedRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(env.ready);
    Game& g = *env.game;
    g.levelCount = 31;
    ProfileRecord& p = g.profiles.profiles[0];
    p.level[p.mode] = g.levelCount;  // every level open to practice
  }

  // One update of the main loop with the pointer at (x, y).
  uint64_t Update(int x = 400, int y = 300) {
    UpdateFrame(*env.game, GameScreens(), {now += kTickMs, x, y});
    return Fingerprint(*env.game);
  }
  void Send(InputEvent event) { HandleInputEvent(*env.game, event); }

  // Plays the watched run for as many updates as the recording had and
  // returns the first update where the two differ (-1: none).
  int ReplayDiffers(const Replay& recording, const std::vector<uint64_t>& recorded) {
    if (!StartReplay(*env.game, recording)) return 0;
    for (size_t t = 0; t < recorded.size(); ++t)
      if (Update(0, 0) != recorded[t]) return static_cast<int>(t);
    return -1;
  }

  test::GameOnDevice env{false};
  uint32_t now = 100000;
};

// Random pointer moves, left and right clicks, and pauses on shipped levels.
TEST_F(RecordedRuns, RandomInputReplaysUpdateByUpdate) {
  Game& g = *env.game;
  std::mt19937 random(7);
  int placed = 0, rolled = 0, paused = 0;  // the runs must reach the rules that matter
  for (int run = 0; run < 1000; ++run) {
    const int level = 1 + static_cast<int>(random() % 31);
    ASSERT_TRUE(StartPractice(g, level)) << level;
    std::vector<uint64_t> recorded;
    int x = 400, y = 300;
    for (int t = 0; t < 700 && g.screen.gameState != GameState::LevelsScreen; ++t) {
      const unsigned roll = random() % 100;
      x = std::clamp(x + static_cast<int>(random() % 61) - 30, 0, 799);
      y = std::clamp(y + static_cast<int>(random() % 61) - 30, 0, 599);
      if (g.screen.gameState == GameState::Playing && roll < 8)
        Send({.type = InputEvent::Type::ButtonDown,
              .button = roll < 6 ? MouseButton::Left : MouseButton::Right,
              .x = x,
              .y = y,
              .text = {}});
      if (roll == 99) Send({.type = InputEvent::Type::KeyDown, .key = Key::Escape, .text = {}});
      recorded.push_back(Update(x, y));
    }
    const Replay recording = g.run.recording;
    for (const ReplayEvent& e : recording.events) {
      placed += e.input == ReplayInput::Place;
      paused += e.input == ReplayInput::Screen;
    }
    rolled += g.world.ball.moving || g.screen.gameState != GameState::Playing;
    const uint64_t last = recorded.back();
    ASSERT_EQ(ReplayDiffers(recording, recorded), -1) << "run " << run << ", level " << level;
    EXPECT_EQ(Fingerprint(g), last);
    LeaveRun(g);
  }
  EXPECT_GT(placed, 5000);
  EXPECT_GT(rolled, 500);
  EXPECT_GT(paused, 500);
}

// Level 1 won in practice by its stored solution, clicked through the input
// handler: the bests and the replay are kept, the replay plays back to the
// same win, and the profile's run, the records and stat.stt stay as they were.
TEST_F(RecordedRuns, WonPracticeKeepsBestsAndReplayOnly) {
  Game& g = *env.game;
  const ProfileRecord before = g.profiles.profiles[0];
  std::strcpy(g.records.entries[0].name, "Ace");
  g.records.entries[0].score = 500;
  g.records.count = 1;
  const RecordsTable recordsBefore = g.records;
  ASSERT_TRUE(StartPractice(g, 1));
  std::vector<uint64_t> recorded;
  const std::vector<levels::SolutionMove> moves = test::StoredSolution("01-first-turn.lvl");
  ASSERT_FALSE(moves.empty());
  size_t next = 0;
  int step = -1;
  for (int t = 0; t < 5000 && g.screen.gameState == GameState::Playing && !g.world.play.levelWon; ++t) {
    if (step < 0 && g.world.ball.ready) step = 0;
    auto click = [&](int row, int col, int kind, MouseButton button) {
      g.cursor = {static_cast<float>(row * 50), static_cast<float>(col * 50), row, col, kind};
      Send({.type = InputEvent::Type::ButtonDown, .button = button, .x = 400, .y = 300, .text = {}});
    };
    if (step == 0) click(0, 0, ReflectorAnti, MouseButton::Left);
    for (; step >= 0 && next < moves.size() && moves[next].step <= step; ++next) {
      const levels::SolutionMove& m = moves[next];
      click(m.row, m.col, m.action == levels::MoveAction::PlaceMain ? ReflectorMain : ReflectorAnti,
            m.action == levels::MoveAction::Remove ? MouseButton::Right : MouseButton::Left);
    }
    // The update's own cursor would follow the pointer: hold it on the last click.
    const CursorCell held = g.cursor;
    recorded.push_back(Update());
    g.cursor = held;
    if (step >= 0) ++step;
  }
  ASSERT_TRUE(g.world.play.levelWon);
  const Replay won = g.run.recording;
  while (g.screen.gameState != GameState::LevelsScreen) Update();

  const LevelBest* best = FindBest(g.bests, "Tester", before.mode, 1);
  ASSERT_NE(best, nullptr);
  EXPECT_EQ(best->secondsLeft, won.secondsLeft);
  EXPECT_EQ(best->points, won.points);
  EXPECT_GT(won.secondsLeft, 0);
  EXPECT_TRUE(HasReplay(g, 1));
  EXPECT_EQ(LoadBestsFile(PlayerFile(g, "bests.dat")).entries.size(), 1u);
  EXPECT_EQ(std::memcmp(&g.profiles.profiles[0], &before, sizeof before), 0);
  EXPECT_EQ(std::memcmp(&g.records, &recordsBefore, sizeof recordsBefore), 0);
  EXPECT_FALSE(env.dir.Exists("stat.stt"));
  EXPECT_EQ(FurthestOpenLevel(g), g.levelCount);

  // Watched from its file: the same updates to the same win, then the Levels page.
  ASSERT_TRUE(StartWatch(g, 1));
  for (size_t t = 0; t < recorded.size(); ++t) ASSERT_EQ(Update(), recorded[t]) << "update " << t;
  EXPECT_TRUE(g.world.play.levelWon);
  Send({.type = InputEvent::Type::KeyDown, .key = Key::Escape, .text = {}});
  EXPECT_EQ(g.screen.gameState, GameState::LevelsScreen);
  EXPECT_EQ(g.run.kind, RunKind::Game);

  // A worse run does not replace the stored one; a level changed since is refused.
  Replay worse = won;
  worse.secondsLeft -= 1;
  EXPECT_FALSE(BetterRun(worse, won));
  test::CapturedMessages messages;
  worse.levelChecksum ^= 1;
  EXPECT_FALSE(StartReplay(g, worse));
  EXPECT_EQ(messages.calls().size(), 1u);
  EXPECT_EQ(g.run.kind, RunKind::Game);
}

}  // namespace
}  // namespace nb
