#pragma once
#include <cstdint>

namespace nb {

// The menu screens' own frame state: one fade level per screen (its opacity
// and the clock of its curves) and the fade-in from black after a return to
// the main menu.
enum MenuScreen : int {
  MenuMain,
  MenuInfo,
  MenuOptions,
  MenuRecords,
  MenuPlayers,
  MenuStartGame,
  MenuNewGame,
  MenuHelp,
  MenuExit,
  MenuLevels,
  kMenuScreens
};

struct MenuState {
  int32_t fades[kMenuScreens]{};
  int32_t fadeInCounter = 0;
  bool sliderDrag[3]{};  // music, sound, master: a knob is held
  uint8_t helpPictureFrames = 0;
  bool caretOn = false;
  uint32_t caretToggledMs = 0;
  // The red pulse of the time-up, game-over and game-completed captions:
  // 8-bit counters advanced by 5 per update while the screen shows.
  uint8_t timeUpPulse = 0, gameOverPulse = 0, completedPulse = 0;
};

}  // namespace nb
