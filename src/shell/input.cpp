#include "shell/input.h"

#include "shell/run_frame.h"
#include "shell/window_mode.h"

namespace nb {

void HandleInputEvent(Game& game, const InputEvent& event) {
  switch (event.type) {
    case InputEvent::Type::Quit:
      game.quitRequested = true;
      return;
    case InputEvent::Type::KeyDown:
      if (event.key == Key::F1) game.settings.showFps = !game.settings.showFps;
      if (event.key == Key::F2) {
        game.settings.fullscreen = !game.settings.fullscreen;
        SwitchWindowMode(game, game.settings.width, game.settings.height,
                         game.settings.fullscreen);
      }
      if (event.key == Key::Enter && game.screen.gameState == SplashScreenState)
        GoToMainMenu(game);
      return;
    default:
      return;
  }
}

}  // namespace nb
