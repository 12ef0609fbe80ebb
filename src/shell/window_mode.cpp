#include "shell/window_mode.h"

#include "platform/window.h"

namespace nb {

bool SwitchWindowMode(Game& game, int width, int height, bool fullscreen) {
  SetWindowMode(game.window, width, height, fullscreen);
  return true;
}

}  // namespace nb
