#pragma once
#include "core/letterbox.h"
#include "shell/game.h"

namespace nb {

// Changes between window and full screen at the given size. Callers flip
// the fullscreen setting first and pass WIDTH and HEIGHT. Always true.
bool SwitchWindowMode(Game& game, int width, int height, bool fullscreen);

// Where the picture (WIDTH x HEIGHT) is shown in the game's window, in the
// pointer's coordinates; unscaled when there is no window. Clicks, the
// pointer and its warps all go through it.
Letterbox GameLetterbox(const Game& game);

}  // namespace nb
