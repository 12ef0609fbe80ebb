#pragma once
#include <cstdint>

#include "shell/game.h"

namespace nb {

// The maker's splash: "Quorvant" and "Games" fade in and out, then a black
// fade; when the fade curve reaches full black the main menu takes over.
void SplashFrame(Game& game, uint32_t nowMs);

// "FPS: %i" in the small font at (0, 48) when SHOWFPS is on.
void DrawFpsCounter(Game& game);

}  // namespace nb
