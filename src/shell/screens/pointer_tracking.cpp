#include "shell/screens/pointer_tracking.h"

#include "menus/menu_boxes.h"
#include "platform/window.h"
#include "shell/menu_commands.h"

namespace nb {
namespace {

int32_t* HoverHighlight(ScreenState& s) {
  switch (s.gameState) {
    case MainMenu:
    case PauseMenu:
    case GameCompletedScreen:
    case GameOverScreen:
    case TimeUpScreen: return &s.menuHighlight;
    case ExitConfirm: return &s.exitChoice;
    case StartGameScreen: return &s.startGameHighlight;
    case NewGameScreen: return &s.newGameHighlight;
    case PlayersScreen: return s.nameEntry.active ? nullptr : &s.playersSelection;
    case OptionsFromMenu:
    case OptionsInPlay: return &s.optionsRow;
    case HelpFromMenu:
    case HelpInPlay: return &s.helpButton;
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
