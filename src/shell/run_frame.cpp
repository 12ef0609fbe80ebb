#include "shell/run_frame.h"

namespace nb {

void RunFrame(Game& game, const FrameScreens& screens, uint32_t nowMs) {
  game.currentFps = MeasureFps(game.fpsMeter, nowMs);
  if (IsPlayScreenState(game.screen.gameState) && screens.playScreen) screens.playScreen(game);
  if (game.screen.gameState == GameState::SplashScreenState && screens.splash) screens.splash(game);
  if (IsMenuScreenState(game.screen.gameState) && screens.menu) screens.menu(game);
}

void GoToMainMenu(Game& game) {
  MusicToMainMenu(game.audio);
  // The menus then ease the camera towards their own view: it flies in.
  SetCameraNow(game.camera, {0, 0, -5000}, {0, -50, 0}, 45);
  for (MenuScreen page : {MenuInfo, MenuOptions, MenuStartGame, MenuNewGame, MenuRecords, MenuExit})
    game.menus.fades[page] = 0;
  game.menus.fadeInCounter = 0;
  game.screen.gameState = GameState::MainMenu;
}


}  // namespace nb
