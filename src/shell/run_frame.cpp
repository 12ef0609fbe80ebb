#include "shell/run_frame.h"

#include "shell/screen_table.h"

namespace nb {

void RunFrame(Game& game, const FrameScreens& screens, uint32_t nowMs) {
  game.currentFps = MeasureFps(game.fpsMeter, nowMs);
  const std::pair<FrameGroup, void (*)(Game&)> groups[] = {{FrameGroup::Play, screens.playScreen},
                                                           {FrameGroup::Splash, screens.splash},
                                                           {FrameGroup::Menu, screens.menu}};
  for (auto [group, run] : groups)
    if (run && ScreenOf(game.screen.gameState).frame == group) run(game);
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
