#pragma once
#include "shell/run_frame.h"

namespace nb {

// The maker's splash: "Quorvant" and "Games" fade in and out, then a black
// fade; when the fade curve reaches full black the update hands over to the
// main menu. Both read the time since the main loop started.
void UpdateSplash(Game& game, const FrameInput& input);
void DrawSplash(const Game& game, const FrameInput& input);

// "FPS: %i" (drawn frames) in the small font at (0, 48) when SHOWFPS is on,
// and the updates a second below it, so a slow machine shows that the
// game's pace holds.
void DrawFpsCounter(const Game& game);

}  // namespace nb
