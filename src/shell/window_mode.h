#pragma once
#include "shell/game.h"

namespace nb {

// Changes between window and full screen at the given size. Callers flip
// the fullscreen setting first and pass WIDTH and HEIGHT. Always true.
bool SwitchWindowMode(Game& game, int width, int height, bool fullscreen);

}  // namespace nb
