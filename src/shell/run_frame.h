#pragma once
#include <cstdint>

#include "shell/game.h"

namespace nb {

// The three frame functions the dispatcher chooses between.
struct FrameScreens {
  void (*playScreen)(Game&) = nullptr;
  void (*splash)(Game&) = nullptr;
  void (*menu)(Game&) = nullptr;
};

// One frame: measure the frame rate, then run the play screen, the splash
// and the menu frame, each when the current screen's row names it (GameState
// is read again before each), so a screen that hands over runs its successor
// in the same frame. Values that name no screen run nothing.
void RunFrame(Game& game, const FrameScreens& screens, uint32_t nowMs);

// The one way back to the main menu.
void GoToMainMenu(Game& game);

// The splash lasts until its fade curve reaches full black; without the
// curve file it lasts this long.
constexpr uint32_t kSplashFallbackMs = 5000;

}  // namespace nb
