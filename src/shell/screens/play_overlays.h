#pragma once

namespace nb {

struct Game;

// The screens drawn over the paused level, each at its fade level (0..255,
// its opacity and the clock of its curves). Called by the play frame
// between BeginScene and EndScene while the level is above 0.
void DrawPauseScreen(Game& game, int level);         // GameState 11
void DrawGameOverScreen(Game& game, int level);      // 12
void DrawTimeUpScreen(Game& game, int level);        // 14
void DrawGameCompletedScreen(Game& game, int level); // 16
void DrawOptionsPage(Game& game, int level);         // 3 and 10
void DrawHelpPage(Game& game, int level);            // 19 and 18

}  // namespace nb
