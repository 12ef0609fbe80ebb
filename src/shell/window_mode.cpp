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

Letterbox GameLetterbox(const Game& game) {
  const int w = game.settings.width, h = game.settings.height;
  return game.window ? PictureLetterbox(game.window, w, h) : FitLetterbox(w, h, w, h);
}

}  // namespace nb
