#pragma once
#include "shell/run_frame.h"

namespace nb {

// The screens drawn over the paused level, each at its fade level (0..255,
// its opacity and the clock of its curves), drawn while the level is above 0.

// One update of every overlay's fade level (up while its state is current,
// down otherwise), the captions' red pulse and the options and help pages'
// own animations.
void UpdatePlayOverlays(Game& game, const FrameInput& input);
// Every overlay above level 0, between BeginScene and EndScene.
void DrawPlayOverlays(const Game& game);

void DrawPauseScreen(const Game& game, int level);
void DrawGameOverScreen(const Game& game, int level);
void DrawTimeUpScreen(const Game& game, int level);
void DrawGameCompletedScreen(const Game& game, int level);
void DrawOptionsPage(const Game& game, int level);  // also from the main menu
void DrawHelpPage(const Game& game, int level);     // also from the main menu

}  // namespace nb
