#pragma once
#include <cstdint>

namespace nb {

// The screen the game is on. Screens change it only by assignment; the frame
// dispatcher re-reads it between its groups. 8, 9 and 15 name no screen.
enum class GameState : int32_t {
  MainMenu = 0,
  Playing = 1,
  InfoPage = 2,
  OptionsFromMenu = 3,
  RecordsScreen = 4,
  PlayersScreen = 5,
  StartGameScreen = 6,
  ExitConfirm = 7,
  OptionsInPlay = 10,
  PauseMenu = 11,
  GameOverScreen = 12,
  SplashScreenState = 13,
  TimeUpScreen = 14,
  GameCompletedScreen = 16,
  NewGameScreen = 17,
  HelpInPlay = 18,
  HelpFromMenu = 19,
};

struct NameEntry {
  bool active = false;
  char text[64]{};
  bool nameExists = false;  // the warning after a duplicate name
};

// GameState and its companion highlight values.
struct ScreenState {
  GameState gameState = GameState::SplashScreenState;
  int32_t menuHighlight = 0;        // main, pause, game-over, time-up, completed
  int32_t startGameHighlight = 0;   // 0 continue, 1 new game, 2 back
  int32_t newGameHighlight = 0;     // 0..2 the modes, 3 back
  int32_t optionsRow = 0;           // 0 music, 1 sound, 2 master, 3 full screen, 4 back
  int32_t exitChoice = 0;           // 0 quit, 1 stay
  int32_t playersSelection = 1;     // 0 new, 1..count a profile, count+1 back
  int32_t helpButton = 0;           // 1 previous, 2 back, 3 next
  int32_t helpPage = 0;
  NameEntry nameEntry;
};

// The states whose frame draws the level (the overlays sit on the paused scene).
bool IsPlayScreenState(GameState state);
// The states drawn by the menu frame.
bool IsMenuScreenState(GameState state);

}  // namespace nb
