#include "core/screen_state.h"

namespace nb {

bool IsPlayScreenState(GameState state) {
  switch (state) {
    case GameState::Playing:
    case GameState::OptionsInPlay:
    case GameState::PauseMenu:
    case GameState::GameOverScreen:
    case GameState::TimeUpScreen:
    case GameState::GameCompletedScreen:
    case GameState::HelpInPlay:
      return true;
    default:
      return false;
  }
}

bool IsMenuScreenState(GameState state) {
  switch (state) {
    case GameState::MainMenu:
    case GameState::InfoPage:
    case GameState::OptionsFromMenu:
    case GameState::RecordsScreen:
    case GameState::PlayersScreen:
    case GameState::StartGameScreen:
    case GameState::ExitConfirm:
    case GameState::NewGameScreen:
    case GameState::HelpFromMenu:
      return true;
    default:
      return false;
  }
}

}  // namespace nb
