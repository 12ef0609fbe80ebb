#include "shell/run_frame.h"

namespace nb {

void RunFrame(Game& game, const FrameScreens& screens, uint32_t nowMs) {
  game.currentFps = MeasureFps(game.fpsMeter, nowMs);
  if (IsPlayScreenState(game.screen.gameState) && screens.playScreen) screens.playScreen(game);
  if (game.screen.gameState == SplashScreenState && screens.splash) screens.splash(game);
  if (IsMenuScreenState(game.screen.gameState) && screens.menu) screens.menu(game);
}

void GoToMainMenu(Game& game) { game.screen.gameState = MainMenu; }

void SplashFrameLogic(Game& game, uint32_t nowMs) {
  uint32_t elapsed = nowMs - game.startTimeMs;
  if (elapsed >= kSplashFallbackMs) GoToMainMenu(game);
}

}  // namespace nb
