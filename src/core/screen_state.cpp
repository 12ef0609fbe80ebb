#include "core/screen_state.h"

namespace nb {

bool IsPlayScreenState(int32_t state) {
  switch (state) {
    case Playing:
    case OptionsInPlay:
    case PauseMenu:
    case GameOverScreen:
    case TimeUpScreen:
    case GameCompletedScreen:
    case HelpInPlay:
      return true;
    default:
      return false;
  }
}

bool IsMenuScreenState(int32_t state) {
  switch (state) {
    case MainMenu:
    case InfoPage:
    case OptionsFromMenu:
    case RecordsScreen:
    case PlayersScreen:
    case StartGameScreen:
    case ExitConfirm:
    case NewGameScreen:
    case HelpFromMenu:
      return true;
    default:
      return false;
  }
}

}  // namespace nb
