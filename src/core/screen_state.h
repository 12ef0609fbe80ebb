#pragma once
#include <cstdint>

namespace nb {

// The screen the game is on. Screens change it only by assignment; the frame
// dispatcher re-reads it between its groups. 9 and 15 name no screen.
enum class GameState : int32_t {
  MainMenu = 0,
  Playing = 1,
  InfoPage = 2,
  OptionsFromMenu = 3,
  RecordsScreen = 4,
  PlayersScreen = 5,
  StartGameScreen = 6,
  ExitConfirm = 7,
  LevelsScreen = 8,  // the level chooser: practice and replays
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

// How many values GameState has room for: the screen table's rows.
constexpr int kGameStateCount = 20;

// The highlight values of the screens' items, in the order they are listed.
enum MainMenuItem : int32_t {
  kMenuPlay,
  kMenuPlayers,
  kMenuOptions,
  kMenuRecords,
  kMenuAbout,
  kMenuHelp,
  kMenuExit
};
enum PauseItem : int32_t { kPauseResume, kPauseRestart, kPauseOptions, kPauseQuit, kPauseHelp };
enum StartGameItem : int32_t { kStartContinue, kStartNewGame, kStartLevels, kStartBack };
enum RetryItem : int32_t { kRetryAgain, kRetryToMenu };  // time up and game over
enum OptionsRow : int32_t { kRowMusic, kRowSound, kRowMaster, kRowFullscreen, kRowLanguage, kRowBack };
enum ExitChoice : int32_t { kExitQuit, kExitStay };
enum HelpButton : int32_t { kHelpPrevious = 1, kHelpBack, kHelpNext };
constexpr int32_t kNewGameBack = 3;  // after the three modes
// The Levels page: a level's number stands for itself, its Watch label for
// kLevelsWatch + the number, and Back for kLevelsBack.
constexpr int32_t kLevelsBack = 0;
constexpr int32_t kLevelsWatch = 1000;

struct NameEntry {
  bool active = false;
  char text[64]{};
  bool nameExists = false;  // the warning after a duplicate name
};

// GameState and its companion highlight values.
struct ScreenState {
  GameState gameState = GameState::SplashScreenState;
  int32_t menuHighlight = 0;       // MainMenuItem, PauseItem, RetryItem, or the completed screen's one item
  int32_t startGameHighlight = 0;  // StartGameItem
  int32_t newGameHighlight = 0;    // 0..2 the modes, kNewGameBack
  int32_t optionsRow = 0;          // OptionsRow
  int32_t exitChoice = 0;          // ExitChoice
  int32_t playersSelection = 1;    // 0 new, 1..count a profile, count+1 back
  int32_t helpButton = 0;          // HelpButton
  int32_t helpPage = 0;
  int32_t levelsHighlight = 0;  // a level, its Watch label, or kLevelsBack
  int32_t levelsLevel = 0;      // the level whose title and best the Levels page shows
  NameEntry nameEntry;
};

}  // namespace nb
