#include "core/frame_timing.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/animation_file.h"
#include "shell/run_frame.h"
#include "shell/screens/splash_frame.h"

namespace nb {
namespace {

TEST(FramePacing, AFrameNeedsMoreThanFifteenMillisecondsAndFpsAveragesEachSecond) {
  FramePacer pacer{1000};
  const std::tuple<uint32_t, bool, int> steps[] = {{1000, false, 16}, {1015, false, 1}, {1016, true, 0}};
  for (auto [now, due, wait] : steps) {
    EXPECT_EQ(FrameDue(pacer, now), due) << now;
    EXPECT_EQ(MsUntilFrameDue(pacer, now), wait) << now;
  }
  FramePacer wrapped{0xFFFFFFF8u};  // across the timer's wrap-around
  EXPECT_FALSE(FrameDue(wrapped, 7));
  EXPECT_TRUE(FrameDue(wrapped, 8));
  FpsMeter meter;
  EXPECT_EQ(static_cast<int>(MeasureFps(meter, 5000)), 0);  // 1 frame over 5 s since 0
  float value = 0;
  for (uint32_t t = 5016; t <= 6000; t += 16) value = MeasureFps(meter, t);
  EXPECT_EQ(static_cast<int>(value), 0);                     // exactly 1 s is not yet an interval
  EXPECT_NEAR(MeasureFps(meter, 6016), 63 / 1.016f, 0.01f);  // 63 frames in 1.016 s
}

std::string calls;  // what the screens below ran, in order

TEST(FrameDispatch, GroupsFollowGameStateWithinOneFrame) {
  auto game = std::make_unique<Game>();
  FrameScreens screens;
  screens.playScreen = [](Game&) { calls += "P"; };
  screens.splash = [](Game& g) {
    calls += "S";
    GoToMainMenu(g);  // the splash's last frame hands over at once
  };
  screens.menu = [](Game&) { calls += "M"; };
  calls.clear();
  RunFrame(*game, screens, 100);
  EXPECT_EQ(calls, "SM");
  EXPECT_EQ(game->screen.gameState, GameState::MainMenu);

  using enum GameState;
  const std::pair<GameState, const char*> cases[] = {{Playing, "P"},     {HelpInPlay, "P"},
                                                     {MainMenu, "M"},    {HelpFromMenu, "M"},
                                                     {GameState(8), ""}, {GameState(15), ""}};
  for (auto [state, expected] : cases) {
    calls.clear();
    game->screen.gameState = state;
    RunFrame(*game, screens, 200);
    EXPECT_EQ(calls, expected) << "state " << static_cast<int>(state);
  }
  // A play screen that quits to the main menu is followed by the menu frame.
  screens.playScreen = [](Game& g) {
    calls += "P";
    GoToMainMenu(g);
  };
  calls.clear();
  game->screen.gameState = GameState::PauseMenu;
  RunFrame(*game, screens, 300);
  EXPECT_EQ(calls, "PM");
}

TEST(FrameDispatch, SplashHandsOverWhenItsFadeIsBlackOrWithoutCurvesAfterFiveSeconds) {
  auto game = std::make_unique<Game>();
  game->startTimeMs = 1000;
  SplashFrame(*game, 1000 + kSplashFallbackMs - 1);
  EXPECT_EQ(game->screen.gameState, GameState::SplashScreenState);
  SplashFrame(*game, 1000 + kSplashFallbackMs);
  EXPECT_EQ(game->screen.gameState, GameState::MainMenu);

  auto curved = std::make_unique<Game>();
  ParseAnimation(curved->animations.logo1, "logo1",
                 "info face=logo1\ntrans_keys count=2\ntrans_key time=0 t=0\ntrans_key time=3000 t=255\n");
  SplashFrame(*curved, 2999);
  EXPECT_EQ(curved->screen.gameState, GameState::SplashScreenState);
  SplashFrame(*curved, 3000);
  EXPECT_EQ(curved->screen.gameState, GameState::MainMenu);
}

}  // namespace
}  // namespace nb
