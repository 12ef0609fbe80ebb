#pragma once
#include <cstdint>

#include "shell/game.h"

namespace nb {

// What an update and a draw read from outside: the millisecond clock and
// the pointer in picture pixels, taken once per loop.
struct FrameInput {
  uint32_t nowMs = 0;
  int pointerX = 0;
  int pointerY = 0;
};

// Off the picture (over a bar, the title bar or beyond) the desktop's own
// pointer shows instead of the game's.
inline bool PointerOffPicture(const Game& game, const FrameInput& input) {
  return input.pointerX < 0 || input.pointerY < 0 || input.pointerX >= game.settings.width ||
         input.pointerY >= game.settings.height;
}

// A screen group's update and draw: the update advances the game by one
// tick; the draw only reads it.
struct ScreenPasses {
  void (*update)(Game&, const FrameInput&) = nullptr;
  void (*draw)(const Game&, const FrameInput&) = nullptr;
};

// The play screen, the splash and the menus.
struct FrameScreens {
  ScreenPasses play;
  ScreenPasses splash;
  ScreenPasses menu;
};

// The game's own screens.
const FrameScreens& GameScreens();

// One update: the play screen, the splash and the menus, each when the
// current screen's row names it (GameState is read again before each), so
// a screen that hands over updates its successor in the same tick. Values
// that name no screen run nothing.
void UpdateFrame(Game& game, const FrameScreens& screens, const FrameInput& input);
// One draw of the current screen's group, after a lost device is recovered.
void DrawFrame(Game& game, const FrameScreens& screens, const FrameInput& input);

// The pointer as the platform gives it, carried into the picture, at the
// loop's clock reading.
FrameInput ReadFrameInput(const Game& game, uint32_t nowMs);

// Until the game quits: events, then the updates real time has made due
// (one per 16 ms tick, at most four before a draw) and one draw. Each time
// the screen group changes, and at the end, the log gets the drawn frames
// and updates a second of the stretch before.
void RunMainLoop(Game& game);

// The one way back to the main menu.
void GoToMainMenu(Game& game);

// The splash lasts until its fade curve reaches full black; without the
// curve file it lasts this long.
constexpr uint32_t kSplashFallbackMs = 5000;

}  // namespace nb
