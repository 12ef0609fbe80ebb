// The game's pace rests on the draw changing nothing: however many frames
// are drawn between updates (core/frame_timing_test.cpp), the game goes on
// the same.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "core/frame_timing.h"
#include "gameplay/play_actions.h"
#include "shell/run_frame.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

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
