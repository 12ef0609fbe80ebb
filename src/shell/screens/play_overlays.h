#pragma once

namespace nb {

struct Game;

// The screens drawn over the paused level, each at its fade level (0..255,
// its opacity and the clock of its curves). Called by the play frame
// between BeginScene and EndScene while the level is above 0.
void DrawPauseScreen(Game& game, int level);
void DrawGameOverScreen(Game& game, int level);
void DrawTimeUpScreen(Game& game, int level);
void DrawGameCompletedScreen(Game& game, int level);
void DrawOptionsPage(Game& game, int level);  // also from the main menu
void DrawHelpPage(Game& game, int level);     // also from the main menu

}  // namespace nb
