#include "shell/window_mode.h"

#include "platform/window.h"

namespace nb {

bool SwitchWindowMode(Game& game, int width, int height, bool fullscreen) {
  SetWindowMode(game.window, width, height, fullscreen);
  // A refused reset leaves the device to the next frame's recovery.
  if (game.render.device) ResetForWindowMode(game.render, game.window, fullscreen, width, height);
  ShowAndFocusWindow(game.window);
  return true;
}

}  // namespace nb
