// The frame dispatch: which screen's update and draw run for each GameState,
// and the splash's hand-over to the main menu.
#include "shell/run_frame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/animation_file.h"
#include "shell/screens/splash_frame.h"

namespace nb {
namespace {

std::string calls;  // what the screens below ran, in order

// An update that records its name (and may hand over to the main menu) and
// a draw that records it in lower case.
template <char Name, bool HandsOver = false>
ScreenPasses Recorded() {
  return {[](Game& g, const FrameInput&) {
            calls += Name;
            if (HandsOver) GoToMainMenu(g);
          },
          [](const Game&, const FrameInput&) { calls += static_cast<char>(Name - 'A' + 'a'); }};
}

void Tick(Game& game, const FrameScreens& screens) {
  UpdateFrame(game, screens, {});
  DrawFrame(game, screens, {});
}

TEST(FrameDispatch, GroupsFollowGameStateWithinOneTickAndTheDrawShowsTheLast) {
  auto game = std::make_unique<Game>();
  // The splash's last update hands over at once: the menus update and draw in the same tick.
  FrameScreens screens{Recorded<'P'>(), Recorded<'S', true>(), Recorded<'M'>()};
  calls.clear();
  Tick(*game, screens);
  EXPECT_EQ(calls, "SMm");
  EXPECT_EQ(game->screen.gameState, GameState::MainMenu);

  using enum GameState;
  const std::pair<GameState, const char*> cases[] = {{Playing, "Pp"},    {HelpInPlay, "Pp"},
                                                     {MainMenu, "Mm"},   {HelpFromMenu, "Mm"},
                                                     {GameState(9), ""}, {GameState(15), ""}};
  for (auto [state, expected] : cases) {
    calls.clear();
    game->screen.gameState = state;
    Tick(*game, screens);
    EXPECT_EQ(calls, expected) << "state " << static_cast<int>(state);
  }
  // A play screen that quits to the main menu is followed by the menus.
  screens.play = Recorded<'P', true>();
  calls.clear();
  game->screen.gameState = GameState::PauseMenu;
  Tick(*game, screens);
  EXPECT_EQ(calls, "PMm");
  EXPECT_EQ(game->updateRate.total, game->drawRate.total);
}

TEST(FrameDispatch, SplashHandsOverWhenItsFadeIsBlackOrWithoutCurvesAfterFiveSeconds) {
  auto game = std::make_unique<Game>();
  game->startTimeMs = 1000;
  UpdateSplash(*game, {1000 + kSplashFallbackMs - 1});
  EXPECT_EQ(game->screen.gameState, GameState::SplashScreenState);
  UpdateSplash(*game, {1000 + kSplashFallbackMs});
  EXPECT_EQ(game->screen.gameState, GameState::MainMenu);

  auto curved = std::make_unique<Game>();
  ParseAnimation(curved->animations.logo1, "logo1",
                 "info face=logo1\ntrans_keys count=2\ntrans_key time=0 t=0\ntrans_key time=3000 t=255\n");
  UpdateSplash(*curved, {2999});
  EXPECT_EQ(curved->screen.gameState, GameState::SplashScreenState);
  UpdateSplash(*curved, {3000});
  EXPECT_EQ(curved->screen.gameState, GameState::MainMenu);
}

}  // namespace
}  // namespace nb
