#pragma once
#include "shell/run_frame.h"

namespace nb {

// The play screen: GameState 1 and the overlays over the paused level (10,
// 11, 12, 14, 16, 18).

// One update: the pointer, the cursor cell, the world step and the level's
// seconds, the camera, the element animations, the particles, the status
// texts' ageing, the win tally, the intro, the overlays and the loading screen.
void UpdatePlayScreen(Game& game, const FrameInput& input);
// One draw of what the updates left: the scene, the texts, the overlays and
// the cursor. It changes nothing in the game.
void DrawPlayScreen(const Game& game, const FrameInput& input);

// The timed status texts at the top left (the menus show them too).
void DrawStatusTexts(const Game& game);

// The pieces of the update, in its order, for callers that run them alone.
// The cursor cell under the pointer (kept when the ray misses the floor)
// and the cursor sparkle every 21st update.
void UpdatePlayCursor(Game& game, int pointerX, int pointerY);
// In GameState 1 the rules of the update: the world step and the level
// clock, which counts a second when more than one has passed since the last
// and the ball rolls.
void RunPlayRules(Game& game);
// The camera's targets: leaning towards the cursor while the ball rolls.
void SteerPlayCamera(Game& game);
// The warning sound once the clock reaches ten seconds.
void WarnAtTenSecondsLeft(Game& game);
// The level-won path: the tally, or GameState 16 after the last level.
void UpdateLevelWon(Game& game);
// The level caption's rise and fall, the waiting ball and the click prompt.
void UpdateLevelIntro(Game& game);
// The loading screen's counter and the game music at its 130th update.
void UpdateLoadingScreen(Game& game);

}  // namespace nb
