// Acceptance: shipped level 1 started as a new game starts it, played with
// the pointer and the mouse buttons through the real input handler and the
// real play frame on the OpenGL device, to the win, the tally and the start
// of level 2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/input.h"
#include "shell/screens/play_screen.h"
#include "shell/screens/scene_fixture.h"
#include "tools/levelc/level_source.h"

namespace nb {
namespace {

using levels::MoveAction;

class PlayAcceptance : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(env.ready) << "no display or device (run under Xvfb)"; }

  // The pointer over a floor point in the quarter of the cell that picks the
  // Reflector kind, from the camera the next frame picks with.
  void PointAtCell(int row, int col, bool main) {
    const CameraState& cam = env.game->camera;
    Vec3 ndc = TransformCoord({50.0f * row + 12, 0, 50.0f * col + (main ? 12.0f : -12.0f)},
                              MatrixMultiply(cam.view, cam.projection));
    pointerX = static_cast<int>((ndc.x + 1) * 0.5f * 800 + 0.5f);
    pointerY = static_cast<int>((1 - ndc.y) * 0.5f * 600 + 0.5f);
  }
  void Frame() {
    ++frames;
    test::PlayFrame(*env.game, {static_cast<uint32_t>(50000 + frames * 1000 / 60), pointerX, pointerY});
  }
  void Click(MouseButton button) {
    InputEvent event;
    event.type = InputEvent::Type::ButtonDown;
    event.button = button;
    event.x = pointerX;
    event.y = pointerY;
    HandleInputEvent(*env.game, event);
  }

  test::GameOnDevice env{true};
  int pointerX = 0, pointerY = 0;
  int frames = 0;
};

TEST_F(PlayAcceptance, LevelOneIsWonWithItsSolutionAndLevelTwoStarts) {
  Game& game = *env.game;
  World& w = game.world;
  levels::SourceError error;
  const std::optional<levels::LevelSource> source =
      levels::ReadLevelSource(std::string(NB_SOURCE_DIR) + "/data/levels/01-first-turn.lvl", error);
  ASSERT_TRUE(source.has_value()) << error.line << ": " << error.reason;
  const std::vector<levels::SolutionMove>& moves = source->solution;
  ASSERT_FALSE(moves.empty());
  ASSERT_TRUE(env.Start(1));
  const int32_t startLimit = w.level.timeLimit;

  // Loading screen and intro, the pointer over the corner wall.
  for (int i = 0; i < 700 && !w.ball.ready; ++i) {
    PointAtCell(0, 0, false);
    Frame();
  }
  ASSERT_TRUE(w.ball.ready);
  EXPECT_TRUE(MusicIsPlaying(game.audio, MusicId::Game)) << "since the loading screen's 130th frame";
  ASSERT_EQ(game.cursor.row, 0);
  ASSERT_EQ(game.cursor.col, 0);
  Click(MouseButton::Left);  // the ball rolls; a wall takes no Reflector
  ASSERT_TRUE(w.ball.moving);

  size_t next = 0;
  for (int step = 0; step < 3000 && !w.play.levelWon; ++step) {
    if (next < moves.size())
      PointAtCell(moves[next].row, moves[next].col, moves[next].action == MoveAction::PlaceMain);
    Frame();  // this frame runs world step `step`
    if (next < moves.size() && moves[next].step <= step + 1) {
      const levels::SolutionMove& m = moves[next++];
      ASSERT_EQ(game.cursor.row, m.row) << "step " << step;
      ASSERT_EQ(game.cursor.col, m.col) << "step " << step;
      Click(m.action == MoveAction::Remove ? MouseButton::Right : MouseButton::Left);
      if (m.action != MoveAction::Remove) {
        EXPECT_EQ(w.level.cells[m.row][m.col].kind,
                  m.action == MoveAction::PlaceMain ? ReflectorMain : ReflectorAnti);
      }
    }
  }
  ASSERT_TRUE(w.play.levelWon);
  EXPECT_EQ(next, moves.size());
  EXPECT_EQ(w.level.stonesLeft, 0);
  EXPECT_EQ(w.stats.counters[StatHoles], 0);
  EXPECT_EQ(w.stats.counters[StatCompleted], 1);
  const int32_t secondsLeft = w.level.timeLimit;
  EXPECT_GE(secondsLeft, startLimit - 5);
  const int32_t scoreAtWin = game.profiles.profiles[0].score[0];

  // The tally, the fade and the next level.
  for (int i = 0; i < 400 && game.profiles.profiles[0].level[0] == 1; ++i) Frame();
  EXPECT_EQ(game.profiles.profiles[0].level[0], 2);
  EXPECT_EQ(game.profiles.profiles[0].score[0], scoreAtWin + 111 * (secondsLeft - 1));
  EXPECT_EQ(game.screen.gameState, GameState::Playing);
  EXPECT_FALSE(w.play.levelWon);
  EXPECT_GT(w.level.stonesLeft, 0) << "level 2 is loaded";
  const std::vector<LevelStats> stats = ReadLevelStatistics(env.dir.File("stat.stt"));
  ASSERT_EQ(stats.size(), 1u);
  EXPECT_EQ((std::vector<int>{stats[0].counters[StatCompleted], stats[0].counters[StatSecondsLeft]}),
            (std::vector<int>{1, secondsLeft}));

  // Level 2 opens with its loading screen.
  for (int i = 0; i < 5; ++i) Frame();
  EXPECT_EQ(env.Gl()->ReadPixels(100, 500, 1, 1)[0] & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace nb
