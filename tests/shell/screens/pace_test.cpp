// The game's pace: the stored solution of a shipped level wins with the same
// seconds left whether drawing is fast or slow, and a draw changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "core/frame_timing.h"
#include "gameplay/play_actions.h"
#include "shell/run_frame.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

constexpr int kLevel = 31;  // its stored solution leaves the fewest seconds in the hardest mode
constexpr int kHardestMode = 2;

struct PacedRun {
  bool won = false;
  int secondsLeft = 0;
  int updates = 0;
  int draws = 0;
};

// The solution played through the real main loop, its updates and draws,
// against a clock the test moves: every draw takes drawMs, a wait passes
// the time asked for. Each click goes in before the update whose world step
// the solution names, as the level replays place them.
PacedRun PlayThroughTheLoop(uint32_t drawMs) {
  test::GameOnDevice env{false};
  PacedRun run;
  if (!env.ready) return run;
  Game& game = *env.game;
  World& w = game.world;
  game.profiles.profiles[0].mode = kHardestMode;
  if (!env.Start(kLevel)) return run;
  // The loading screen and the intro are over; the ball waits for its click.
  game.screen.gameState = GameState::Playing;
  w.play.introFrames = 300;
  w.play.startSoundPlayed = true;
  w.play.introPhase = 3;
  w.ball.ready = true;

  const std::vector<levels::SolutionMove> moves = test::StoredSolution("31-the-last-diamond.lvl");
  size_t next = 0;
  uint32_t now = 100000;
  TickClock clock;
  StartTickClock(clock, now);
  TickLoopHooks hooks;
  hooks.now = [&] { return now; };
  hooks.handleEvents = [] {};
  hooks.wait = [&](uint32_t ms) { now += std::max<uint32_t>(ms, 1); };
  hooks.update = [&](uint32_t t) {
    GameplayContext ctx = Gameplay(game);
    if (run.updates == 0 || w.ball.ready) HandlePlayClick(w, ctx, 0, 0, ReflectorAnti);
    for (; next < moves.size() && moves[next].step <= run.updates; ++next) {
      const levels::SolutionMove& m = moves[next];
      if (m.action == levels::MoveAction::Remove)
        RemoveReflectorAtCursor(w, ctx, m.row, m.col);
      else
        HandlePlayClick(w, ctx, m.row, m.col,
                        m.action == levels::MoveAction::PlaceMain ? ReflectorMain : ReflectorAnti);
    }
    w.play.bonusSeconds = 0;  // no random bonus: both runs see the same level
    UpdateFrame(game, GameScreens(), {t, -1000, -1000});
    ++run.updates;
  };
  hooks.draw = [&](uint32_t t) {
    DrawFrame(game, GameScreens(), {t, -1000, -1000});
    env.Recording()->ClearCalls();
    env.Recording()->draws.clear();
    ++run.draws;
    now += drawMs;
  };
  hooks.done = [&] { return w.play.levelWon || game.screen.gameState != GameState::Playing; };
  RunTickLoop(clock, hooks);
  run.won = w.play.levelWon;
  run.secondsLeft = w.level.timeLimit;
  return run;
}

TEST(Pace, SlowDrawingWinsTheTightestLevelWithTheSameSecondsLeft) {
  const PacedRun fast = PlayThroughTheLoop(0);
  const PacedRun slow = PlayThroughTheLoop(40);
  ASSERT_TRUE(fast.won);
  ASSERT_TRUE(slow.won) << "lost with " << slow.secondsLeft << " seconds left";
  EXPECT_NEAR(slow.secondsLeft, fast.secondsLeft, 1);
  EXPECT_NEAR(slow.updates, fast.updates, 1) << "the same world steps";
  // 40 ms draws: two or three updates before each.
  EXPECT_NEAR(fast.draws, fast.updates, 1);
  EXPECT_NEAR(static_cast<double>(slow.updates) / slow.draws, 2.5, 0.1);
}

// The game's plain records, byte for byte.
template <typename... T>
std::string Bytes(const T&... parts) {
  std::string out;
  auto append = [&out](const auto& part) {
    static_assert(std::is_trivially_copyable_v<std::decay_t<decltype(part)>>);
    out.append(reinterpret_cast<const char*>(&part), sizeof part);
  };
  (append(parts), ...);
  return out;
}

std::string GameStateBytes(const Game& g) {
  const World& w = g.world;
  const SceneState& s = g.scene;
  return Bytes(g.settings.musicVolume, g.settings.soundVolume, g.screen, g.menus, g.profiles, g.records,
               w.level, w.ball, w.play, w.messages, w.stats, g.cursor, g.camera, g.particles.particles,
               g.particles.wind, s.stoneCounter, s.bonusCounter, s.teleportCounter, s.cloudCounter,
               g.drawRate.total, g.updateRate.total);
}

TEST(Pace, DrawingAFrameTwiceLeavesTheGameAsItWas) {
  test::GameOnDevice env{true};
  ASSERT_TRUE(env.ready) << "no display or device (run under Xvfb)";
  Game& game = *env.game;
  ASSERT_TRUE(env.Start(1));
  game.settings.showFps = true;
  ShowStatusMessage(game.world.messages, "Extra life");
  using enum GameState;
  // Each screen group with what animates on it: the rolling ball, the
  // overlays and pages fading in, the name entry's caret.
  const GameState states[] = {Playing,         PauseMenu,    OptionsInPlay, GameOverScreen,   MainMenu,
                              OptionsFromMenu, HelpFromMenu, PlayersScreen, SplashScreenState};
  game.screen.nameEntry.active = true;
  uint32_t now = 200000;
  for (GameState state : states) {
    SCOPED_TRACE(static_cast<int>(state));
    game.screen.gameState = state;
    for (int k = 0; k < 20; ++k) UpdateFrame(game, GameScreens(), {now += kTickMs, 400, 300});
    if (state == Playing && !game.world.ball.moving) {
      game.world.ball.ready = true;
      GameplayContext ctx = Gameplay(game);
      HandlePlayClick(game.world, ctx, 0, 0, ReflectorAnti);
      UpdateFrame(game, GameScreens(), {now += kTickMs, 400, 300});
    }
    game.drawRate.total = 0;
    DrawFrame(game, GameScreens(), {now, 400, 300});
    const std::string before = GameStateBytes(game);
    DrawFrame(game, GameScreens(), {now, 400, 300});
    DrawFrame(game, GameScreens(), {now + 7, 420, 310});
    game.drawRate.total = 1;  // the one thing a draw counts
    EXPECT_TRUE(GameStateBytes(game) == before);
  }
}

}  // namespace
}  // namespace nb
