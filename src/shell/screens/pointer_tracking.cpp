#include "shell/screens/pointer_tracking.h"

#include "menus/menu_boxes.h"
#include "platform/window.h"
#include "shell/menu_commands.h"

namespace nb {
namespace {

int32_t* HoverHighlight(ScreenState& s) {
  switch (s.gameState) {
    case GameState::MainMenu:
    case GameState::PauseMenu:
    case GameState::GameCompletedScreen:
    case GameState::GameOverScreen:
    case GameState::TimeUpScreen: return &s.menuHighlight;
    case GameState::ExitConfirm: return &s.exitChoice;
    case GameState::StartGameScreen: return &s.startGameHighlight;
    case GameState::NewGameScreen: return &s.newGameHighlight;
    case GameState::PlayersScreen: return s.nameEntry.active ? nullptr : &s.playersSelection;
    case GameState::OptionsFromMenu:
    case GameState::OptionsInPlay: return &s.optionsRow;
    case GameState::HelpFromMenu:
    case GameState::HelpInPlay: return &s.helpButton;
    default: return nullptr;
  }
}

}  // namespace

void TrackMenuPointerAt(Game& game, int x, int y) {
  int32_t* highlight = HoverHighlight(game.screen);
  if (!highlight) return;
  for (const MenuTarget& target : HoverTargets(MenuLayoutOf(game), game.screen.gameState)) {
    if (!target.box.Contains(static_cast<float>(x), static_cast<float>(y))) continue;
    if (*highlight != target.value && !target.silent) PlaySound(game, SoundId::MenuOnClick);
    *highlight = target.value;
  }
}

void TrackMenuPointer(Game& game) {
  int x = 0, y = 0;
  GetPointerPosition(game.window, x, y);
  if (!game.settings.fullscreen) ShowSystemPointer(y < 0);
  TrackMenuPointerAt(game, x, y);
}

}  // namespace nb
