#pragma once
#include <cstdint>

namespace nb {

struct Game;

// One frame of the play screen (GameState 1 and the overlays over the
// paused level: 10, 11, 12, 14, 16, 18), with the clock and the pointer
// read from the platform.
void PlayScreenFrame(Game& game);

// What a play frame reads from outside: the millisecond clock and the
// pointer in client pixels.
struct PlayFrameInput {
  uint32_t nowMs = 0;
  int pointerX = 0;
  int pointerY = 0;
};
void PlayScreenFrameWith(Game& game, const PlayFrameInput& input);

// The pieces of the frame, in its order, for callers that run them alone.
// The cursor cell under the pointer (kept when the ray misses the floor)
// and the cursor sparkle every 21st frame.
void UpdatePlayCursor(Game& game, int pointerX, int pointerY);
// In GameState 1 the rules of the frame: the world step and the level clock,
// which counts a second when more than one has passed since the last and the
// ball rolls.
void RunPlayRules(Game& game, float nowSeconds);
// The camera of the frame: leaning towards the cursor while the ball rolls.
void SteerPlayCamera(Game& game);
// The warning sound once the clock reaches ten seconds.
void WarnAtTenSecondsLeft(Game& game);
// The level-won path: the tally, or GameState 16 after the last level.
void RunLevelWon(Game& game, bool draw);
// The level caption, the waiting ball and the click prompt.
void RunLevelIntro(Game& game, bool draw);
// The overlay screens' fade levels, each drawn while above 0.
void RunOverlayFades(Game& game, bool draw);
// The loading screen, the fade-in after it and the game music at frame 130.
void RunLoadingScreen(Game& game, bool draw);

}  // namespace nb
