#include "shell/screen_table.h"

#include "audio/volume_controls.h"
#include "menus/levels_page.h"
#include "persistence/level_stats.h"
#include "platform/window.h"
#include "shell/language_choice.h"
#include "shell/levels_screen.h"
#include "shell/menu_commands.h"
#include "shell/practice.h"
#include "shell/run_frame.h"
#include "shell/run_recording.h"
#include "shell/window_mode.h"

namespace nb {
namespace {

using enum GameState;

// The statistics of an attempt of the profile's run that ends here go to
// stat.stt; practice keeps none.
void CloseAttempt(Game& game) {
  if (game.run.kind == RunKind::Game) AppendLevelStatistics(game.world.stats, PlayerFile(game, "stat.stt"));
  game.world.stats = LevelStats{};
}

void ToggleFullscreen(Game& game) {
  game.settings.fullscreen = !game.settings.fullscreen;
  SwitchWindowMode(game, game.settings.width, game.settings.height, game.settings.fullscreen);
}

// --- Enter -----------------------------------------------------------------

void ChooseMainMenu(Game& game) {
  PlaySound(game, SoundId::MenuOnEnter);
  PlaySound(game, SoundId::MenuMove);
  ScreenState& s = game.screen;
  switch (s.menuHighlight) {
    case kMenuPlay:
      if (CurrentProfile(game.profiles)) {
        s.gameState = StartGameScreen;
        s.menuHighlight = kMenuPlay;
      } else {
        s.gameState = PlayersScreen;
      }
      break;
    case kMenuPlayers: s.gameState = PlayersScreen; break;
    case kMenuOptions:
      s.gameState = OptionsFromMenu;
      s.optionsRow = kRowMusic;
      break;
    case kMenuRecords: s.gameState = RecordsScreen; break;
    case kMenuAbout: s.gameState = InfoPage; break;
    case kMenuHelp:
      s.gameState = HelpFromMenu;
      s.helpPage = 0;
      break;
    case kMenuExit:
      s.exitChoice = kExitStay;
      s.gameState = ExitConfirm;
      WarpPointerToItem(game, kExitStay);
      break;
    default: break;
  }
}

void BackToMainMenu(Game& game) { GoTo(game, MainMenu); }
void BackToPause(Game& game) { GoTo(game, PauseMenu); }

void ChooseOption(Game& game, GameState back) {
  if (game.screen.optionsRow == kRowFullscreen) ToggleFullscreen(game);
  if (game.screen.optionsRow == kRowLanguage) CycleLanguage(game, 1);
  if (game.screen.optionsRow == kRowBack) GoTo(game, back);
}

void ChoosePlayer(Game& game) {
  ScreenState& s = game.screen;
  if (s.nameEntry.active) return;
  PlaySound(game, SoundId::MenuOnEnter);
  int count = game.profiles.count;
  if (s.playersSelection >= 1 && s.playersSelection <= count) {
    game.profiles.current = s.playersSelection - 1;
    GoTo(game, MainMenu);
  } else if (s.playersSelection == count + 1) {
    GoTo(game, MainMenu);
  } else if (s.playersSelection == 0 && count < kMaxProfiles) {
    s.nameEntry = NameEntry{};
    s.nameEntry.active = true;
    EnableTextInput(true);
  }
}

void ChooseStartGame(Game& game) {
  switch (game.screen.startGameHighlight) {
    case kStartContinue:
      PlaySound(game, SoundId::MenuMove);
      StartLevelOrMainMenu(game);
      break;
    case kStartNewGame: GoTo(game, NewGameScreen); break;
    case kStartLevels: EnterLevelsPage(game); break;
    case kStartBack: GoTo(game, MainMenu); break;
    default: break;
  }
}

void ChooseNewGame(Game& game) {
  int chosen = game.screen.newGameHighlight;
  ProfileRecord* profile = CurrentProfile(game.profiles);
  if (chosen >= 0 && chosen < kNewGameBack) {
    if (!profile) return;
    profile->mode = chosen;
    profile->level[chosen] = 1;
    profile->score[chosen] = 0;
    profile->lives[chosen] = kNewGameLives[chosen];
    StartLevelOrMainMenu(game);
  } else if (chosen == kNewGameBack) {
    GoTo(game, MainMenu);
  }
}

void ChooseExit(Game& game) {
  if (game.screen.exitChoice == kExitQuit)
    PostQuit();
  else if (game.screen.exitChoice == kExitStay)
    GoTo(game, MainMenu);
}

void ChoosePause(Game& game) {
  switch (game.screen.menuHighlight) {
    case kPauseResume: GoTo(game, Playing); break;
    case kPauseRestart:
      CloseAttempt(game);
      PlaySound(game, SoundId::MenuMove);
      StartLevelOrMainMenu(game);
      break;
    case kPauseOptions: GoTo(game, OptionsInPlay); break;
    case kPauseQuit:
      CloseAttempt(game);
      PlaySound(game, SoundId::MenuMove);
      LeaveRun(game);
      break;
    case kPauseHelp:
      GoTo(game, HelpInPlay);
      game.screen.helpPage = 0;
      break;
    default: break;
  }
}

void ChooseGameOver(Game& game) {
  ProfileRecord* profile = CurrentProfile(ActiveProfiles(game));
  if (!profile) return;
  int mode = ModeIndex(*profile);
  if (game.screen.menuHighlight == kRetryAgain) {
    profile->lives[mode] = kContinueLives;
    profile->score[mode] /= 2;
    PlaySound(game, SoundId::MenuMove);
    StartLevelOrMainMenu(game);
  } else if (game.screen.menuHighlight == kRetryToMenu) {
    profile->level[mode] = 1;
    profile->lives[mode] = kNewProfileLives;
    profile->score[mode] = 0;
    PlaySound(game, SoundId::MenuMove);
    LeaveRun(game);
  }
}

void ChooseTimeUp(Game& game) {
  if (game.screen.menuHighlight == kRetryAgain) {
    StartLevelOrMainMenu(game);
  } else if (game.screen.menuHighlight == kRetryToMenu) {
    PlaySound(game, SoundId::MenuMove);
    LeaveRun(game);
  }
}

void ChooseCompleted(Game& game) {
  if (game.screen.menuHighlight != 0) return;
  if (ProfileRecord* profile = CurrentProfile(game.profiles)) {
    profile->level[ModeIndex(*profile)] = 1;
    EnterRecordsTable(game.records, *profile);
  }
  PlaySound(game, SoundId::MenuMove);
  GoToMainMenu(game);
  game.screen.gameState = RecordsScreen;
}

void SkipSplash(Game& game) {
  GoToMainMenu(game);
  MusicAfterSplash(game.audio, true);
}

void ChooseHelp(Game& game, GameState back) {
  ScreenState& s = game.screen;
  if (s.helpButton == kHelpPrevious && s.helpPage > 0) --s.helpPage;
  if (s.helpButton == kHelpBack) s.gameState = back;
  if (s.helpButton == kHelpNext && s.helpPage < game.texts.help.count - 1) ++s.helpPage;
}

// --- Esc -------------------------------------------------------------------

void EscapeMainMenu(Game& game) {
  GoTo(game, ExitConfirm);
  game.screen.menuHighlight = kMenuAbout;  // as the game has always done
}

void EscapePlaying(Game& game) {
  GoTo(game, PauseMenu);
  game.screen.menuHighlight = kPauseResume;
  WarpPointerToItem(game, kPauseResume);
}

void EscapePlayers(Game& game) {
  if (!game.screen.nameEntry.active) return GoTo(game, MainMenu);
  game.screen.nameEntry = NameEntry{};
  EnableTextInput(false);
}

void ResumePlaying(Game& game) { GoTo(game, Playing); }
void BackToStartGame(Game& game) { GoTo(game, StartGameScreen); }

// --- The arrow keys ----------------------------------------------------------

// The highlight moves by one along the screen's axis within low..high, with
// the hover sample first where asked and the pointer following where asked.
void StepHighlight(Game& game, Key key, bool vertical, int low, int high, bool sample, bool warp) {
  if ((key == Key::Up || key == Key::Down) != vertical) return;
  int32_t& highlight = game.screen.*ScreenOf(game.screen.gameState).highlight;
  if (sample) PlaySound(game, SoundId::MenuOnClick);
  int moved = highlight + ((key == Key::Up || key == Key::Left) ? -1 : 1);
  highlight = moved < low ? low : (moved > high ? high : moved);
  if (warp) WarpPointerToItem(game, highlight);
}

void MainMenuArrows(Game& g, Key k) { StepHighlight(g, k, true, kMenuPlay, kMenuExit, true, true); }
void PauseArrows(Game& g, Key k) { StepHighlight(g, k, true, 0, g.texts.pause.count - 1, false, true); }
void RetryArrows(Game& g, Key k) { StepHighlight(g, k, true, 0, g.texts.timeLeft.count - 1, false, true); }
// The back button follows the items: its value is their count.
void StartGameArrows(Game& g, Key k) { StepHighlight(g, k, true, 0, g.texts.start.count, false, true); }
void NewGameArrows(Game& g, Key k) { StepHighlight(g, k, true, 0, g.texts.newGame.count, false, true); }
void ExitArrows(Game& g, Key k) { StepHighlight(g, k, false, 0, g.texts.exit.count - 1, false, true); }
void HelpArrows(Game& g, Key k) { StepHighlight(g, k, false, kHelpPrevious, kHelpNext, false, true); }

void PlayersArrows(Game& g, Key k) {
  if (!g.screen.nameEntry.active) StepHighlight(g, k, true, 0, g.profiles.count + 1, true, true);
}

void OptionsArrows(Game& g, Key k) {
  if (k == Key::Up || k == Key::Down)
    StepHighlight(g, k, true, kRowMusic, kRowBack, true, false);
  else if (g.screen.optionsRow == kRowLanguage)
    CycleLanguage(g, k == Key::Right ? 1 : -1);
  else
    ChangeVolumeByArrowKey(g.audio, g.settings, g.screen.optionsRow, k == Key::Right);
}

// --- Clicks ----------------------------------------------------------------

void ClickPlayfield(Game& game, int, int) { PlayClick(game, ReplayInput::Place); }

// --- The table -------------------------------------------------------------

using Hl = int32_t ScreenState::*;
constexpr Hl kMenu = &ScreenState::menuHighlight;
constexpr auto Page = ClickPageItems;
constexpr FrameGroup kPlay = FrameGroup::Play, kMenus = FrameGroup::Menu;

constexpr Screen kScreens[kGameStateCount] = {
    /* MainMenu */ {kMenus, ChooseMainMenu, EscapeMainMenu, MainMenuArrows, Page, kMenu, MainMenuLayout},
    /* Playing */ {kPlay, nullptr, EscapePlaying, nullptr, ClickPlayfield},
    /* InfoPage */ {kMenus, BackToMainMenu, BackToMainMenu, nullptr, Page, nullptr, InfoLayout},
    /* OptionsFromMenu */
    {kMenus, [](Game& g) { ChooseOption(g, MainMenu); }, BackToMainMenu, OptionsArrows, Page,
     &ScreenState::optionsRow, OptionsLayout},
    /* RecordsScreen */ {kMenus, BackToMainMenu, BackToMainMenu, nullptr, Page, nullptr, RecordsLayout},
    /* PlayersScreen */
    {kMenus, ChoosePlayer, EscapePlayers, PlayersArrows, Page, &ScreenState::playersSelection, PlayersLayout},
    /* StartGameScreen */
    {kMenus, ChooseStartGame, BackToMainMenu, StartGameArrows, Page, &ScreenState::startGameHighlight,
     StartGameLayout},
    /* ExitConfirm */
    {kMenus, ChooseExit, BackToMainMenu, ExitArrows, Page, &ScreenState::exitChoice, ExitLayout},
    /* LevelsScreen */
    {kMenus, ChooseLevels, BackToStartGame, LevelsArrows, Page, &ScreenState::levelsHighlight, LevelsLayout},
    /* 9 */ {},
    /* OptionsInPlay */
    {kPlay, [](Game& g) { ChooseOption(g, PauseMenu); }, BackToPause, OptionsArrows, Page,
     &ScreenState::optionsRow, OptionsLayout},
    /* PauseMenu */ {kPlay, ChoosePause, ResumePlaying, PauseArrows, Page, kMenu, PauseLayout},
    /* GameOverScreen */ {kPlay, ChooseGameOver, nullptr, RetryArrows, Page, kMenu, RetryLayout},
    /* SplashScreenState */ {FrameGroup::Splash, SkipSplash},
    /* TimeUpScreen */ {kPlay, ChooseTimeUp, nullptr, RetryArrows, Page, kMenu, RetryLayout},
    /* 15 */ {},
    /* GameCompletedScreen */ {kPlay, ChooseCompleted, nullptr, nullptr, Page, kMenu, CompletedLayout},
    /* NewGameScreen */
    {kMenus, ChooseNewGame, BackToStartGame, NewGameArrows, Page, &ScreenState::newGameHighlight,
     NewGameLayout},
    /* HelpInPlay */
    {kPlay, [](Game& g) { ChooseHelp(g, PauseMenu); }, BackToPause, HelpArrows, Page,
     &ScreenState::helpButton, HelpLayout},
    /* HelpFromMenu */
    {kMenus, [](Game& g) { ChooseHelp(g, MainMenu); }, BackToMainMenu, HelpArrows, Page,
     &ScreenState::helpButton, HelpLayout},
};

// The screens' names for the log, in GameState order.
constexpr const char* kScreenNames[kGameStateCount] = {
    "main menu",      "playing",  "about",           "options", "records",   "players", "start game", "exit",
    "levels",         "",         "options in play", "pause",   "game over", "splash",  "time up",    "",
    "game completed", "new game", "help in play",    "help"};

}  // namespace

const Screen& ScreenOf(GameState state) {
  static constexpr Screen kNone{};
  int index = static_cast<int>(state);
  return index >= 0 && index < kGameStateCount ? kScreens[index] : kNone;
}

const char* ScreenName(GameState state) {
  int index = static_cast<int>(state);
  return index >= 0 && index < kGameStateCount ? kScreenNames[index] : "";
}

void GoTo(Game& game, GameState state) {
  PlaySound(game, SoundId::MenuMove);
  game.screen.gameState = state;
}

MenuLayoutInput MenuLayoutOf(const Game& game) {
  MenuLayoutInput in;
  in.texts = &game.texts;
  in.width = game.settings.width;
  in.height = game.settings.height;
  in.profileCount = game.profiles.count;
  in.practice = game.run.kind == RunKind::Practice;
  in.nameEntry = game.screen.nameEntry.active;
  in.fullscreen = game.settings.fullscreen;
  in.volumes[0] = game.settings.musicVolume;
  in.volumes[1] = game.settings.soundVolume;
  in.volumes[2] = game.settings.masterVolume;
  in.levels = &game.levelsPage;
  return in;
}

void WarpPointerToItem(Game& game, int value) {
  const Screen& screen = ScreenOf(game.screen.gameState);
  if (!screen.layout) return;
  for (const PageItem& item : screen.layout(MenuLayoutOf(game))) {
    if (!item.click || item.value != value) continue;
    const PixelPoint to = PictureToWindow(GameLetterbox(game), static_cast<int>(item.box.MiddleX()),
                                          static_cast<int>(item.box.MiddleY()));
    WarpPointer(game.window, to.x, to.y);
    return;
  }
}

void ClickPageItems(Game& game, int x, int y) {
  ScreenState& s = game.screen;
  const Screen& clicked = ScreenOf(s.gameState);
  if (!clicked.layout) return;
  // The items of the page clicked on, even when an earlier one hands over.
  for (const PageItem& item : clicked.layout(MenuLayoutOf(game))) {
    if (!item.click || !item.box.Contains(static_cast<float>(x), static_cast<float>(y))) continue;
    if (item.knob) {  // dragging starts, nothing is chosen
      game.menus.sliderDrag[item.value] = true;
      s.optionsRow = item.value;
      continue;
    }
    if (Hl highlight = ScreenOf(s.gameState).highlight) s.*highlight = item.value;
    if (void (*choose)(Game&) = ScreenOf(s.gameState).choose) choose(game);
  }
}

}  // namespace nb
