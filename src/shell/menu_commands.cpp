#include "shell/menu_commands.h"

#include <cstring>

#include "gameplay/level_setup.h"
#include "menus/menu_boxes.h"
#include "persistence/level_stats.h"
#include "platform/input_events.h"
#include "platform/window.h"
#include "shell/run_frame.h"
#include "shell/window_mode.h"

namespace nb {
namespace {

void Sample(Game& game, SoundId sound) { PlaySound(game, sound); }

void StartLevelNow(Game& game) {
  // The level start stops the menu and game music itself.
  GameplayContext ctx = Gameplay(game);
  StartLevel(game.world, ctx);
}

// The statistics of an attempt that ends here go to stat.stt.
void CloseAttempt(Game& game) {
  AppendLevelStatistics(game.world.stats);
  game.world.stats = LevelStats{};
}

void ToggleFullscreen(Game& game) {
  game.settings.fullscreen = !game.settings.fullscreen;
  SwitchWindowMode(game, game.settings.width, game.settings.height, game.settings.fullscreen);
}

void MainMenuChoice(Game& game) {
  Sample(game, SoundId::MenuOnEnter);
  Sample(game, SoundId::MenuMove);
  ScreenState& s = game.screen;
  switch (s.menuHighlight) {
    case 0:
      if (CurrentProfile(game.profiles)) {
        s.gameState = GameState::StartGameScreen;
        s.menuHighlight = 0;
      } else {
        s.gameState = GameState::PlayersScreen;
      }
      break;
    case 1: s.gameState = GameState::PlayersScreen; break;
    case 2:
      s.gameState = GameState::OptionsFromMenu;
      s.optionsRow = 0;
      break;
    case 3: s.gameState = GameState::RecordsScreen; break;
    case 4: s.gameState = GameState::InfoPage; break;
    case 5:
      s.gameState = GameState::HelpFromMenu;
      s.helpPage = 0;
      break;
    case 6:
      s.exitChoice = 1;
      s.gameState = GameState::ExitConfirm;
      WarpPointerToItem(game, 1);
      break;
    default: break;
  }
}

void PlayersChoice(Game& game) {
  ScreenState& s = game.screen;
  if (s.nameEntry.active) return;
  Sample(game, SoundId::MenuOnEnter);
  int count = game.profiles.count;
  if (s.playersSelection >= 1 && s.playersSelection <= count) {
    game.profiles.current = s.playersSelection - 1;
    Sample(game, SoundId::MenuMove);
    s.gameState = GameState::MainMenu;
  } else if (s.playersSelection == count + 1) {
    Sample(game, SoundId::MenuMove);
    s.gameState = GameState::MainMenu;
  } else if (s.playersSelection == 0 && count < kMaxProfiles) {
    s.nameEntry = NameEntry{};
    s.nameEntry.active = true;
    EnableTextInput(true);
  }
}

void HelpChoice(Game& game, GameState backState) {
  ScreenState& s = game.screen;
  int pages = game.texts.help.count;
  if (s.helpButton == 1 && s.helpPage > 0) --s.helpPage;
  if (s.helpButton == 2) s.gameState = backState;
  if (s.helpButton == 3 && s.helpPage < pages - 1) ++s.helpPage;
}

}  // namespace

MenuLayoutInput MenuLayoutOf(const Game& game) {
  MenuLayoutInput in;
  in.texts = &game.texts;
  in.width = game.settings.width;
  in.height = game.settings.height;
  in.profileCount = game.profiles.count;
  in.fullscreen = game.settings.fullscreen;
  in.volumes[0] = game.settings.musicVolume;
  in.volumes[1] = game.settings.soundVolume;
  in.volumes[2] = game.settings.masterVolume;
  return in;
}

void WarpPointerToItem(Game& game, int value) {
  for (const MenuTarget& target : ClickTargets(MenuLayoutOf(game), game.screen.gameState)) {
    if (target.value != value) continue;
    WarpPointer(game.window, static_cast<int>(target.box.MiddleX()),
                static_cast<int>(target.box.MiddleY()));
    return;
  }
}

void EnterRecordsTable(RecordsTable& records, const ProfileRecord& profile) {
  int lowest = 0;
  int count = records.count < 0 ? 0 : (records.count > kMaxRecords ? kMaxRecords : records.count);
  for (int i = 1; i < count; ++i)
    if (records.entries[i].score < records.entries[lowest].score) lowest = i;
  int mode = profile.mode >= 0 && profile.mode < kGameModes ? profile.mode : 0;
  if (profile.score[mode] <= records.entries[lowest].score) return;
  records.entries[lowest].score = profile.score[mode];
  std::memcpy(records.entries[lowest].name, profile.name, kNameBytes);
  records.entries[lowest].name[kNameBytes - 1] = '\0';
}

void DeleteProfile(ProfileTable& profiles, int index) {
  if (index < 0 || index >= profiles.count) return;
  for (int i = index; i + 1 < profiles.count; ++i) profiles.profiles[i] = profiles.profiles[i + 1];
  profiles.profiles[profiles.count - 1] = ProfileRecord{};
  --profiles.count;
  if (profiles.current == index) profiles.current = -1;
  else if (profiles.current > index) --profiles.current;
}

void ExecuteMenuCommand(Game& game) {
  ScreenState& s = game.screen;
  ProfileRecord* profile = CurrentProfile(game.profiles);
  int mode = profile ? ModeIndex(*profile) : 0;
  switch (s.gameState) {
    case GameState::MainMenu: MainMenuChoice(game); break;
    case GameState::InfoPage:
    case GameState::RecordsScreen:
      Sample(game, SoundId::MenuMove);
      s.gameState = GameState::MainMenu;
      break;
    case GameState::OptionsFromMenu:
    case GameState::OptionsInPlay:
      if (s.optionsRow == 3) ToggleFullscreen(game);
      if (s.optionsRow == 4) {
        Sample(game, SoundId::MenuMove);
        s.gameState = s.gameState == GameState::OptionsFromMenu ? GameState::MainMenu : GameState::PauseMenu;
      }
      break;
    case GameState::PlayersScreen: PlayersChoice(game); break;
    case GameState::StartGameScreen:
      if (s.startGameHighlight == 0) {
        Sample(game, SoundId::MenuMove);
        StartLevelNow(game);
      } else if (s.startGameHighlight == 1) {
        Sample(game, SoundId::MenuMove);
        s.gameState = GameState::NewGameScreen;
      } else if (s.startGameHighlight == 2) {
        Sample(game, SoundId::MenuMove);
        s.gameState = GameState::MainMenu;
      }
      break;
    case GameState::ExitConfirm:
      if (s.exitChoice == 0) {
        PostQuit();
      } else if (s.exitChoice == 1) {
        Sample(game, SoundId::MenuMove);
        s.gameState = GameState::MainMenu;
      }
      break;
    case GameState::PauseMenu:
      switch (s.menuHighlight) {
        case 0:
          Sample(game, SoundId::MenuMove);
          s.gameState = GameState::Playing;
          break;
        case 1:
          CloseAttempt(game);
          Sample(game, SoundId::MenuMove);
          StartLevelNow(game);
          break;
        case 2:
          Sample(game, SoundId::MenuMove);
          s.gameState = GameState::OptionsInPlay;
          break;
        case 3:
          CloseAttempt(game);
          Sample(game, SoundId::MenuMove);
          GoToMainMenu(game);
          break;
        case 4:
          Sample(game, SoundId::MenuMove);
          s.gameState = GameState::HelpInPlay;
          s.helpPage = 0;
          break;
        default: break;
      }
      break;
    case GameState::GameOverScreen:
      if (!profile) break;
      if (s.menuHighlight == 0) {
        profile->lives[mode] = kContinueLives;
        profile->score[mode] /= 2;
        Sample(game, SoundId::MenuMove);
        StartLevelNow(game);
      } else if (s.menuHighlight == 1) {
        profile->level[mode] = 1;
        profile->lives[mode] = kNewProfileLives;
        profile->score[mode] = 0;
        Sample(game, SoundId::MenuMove);
        GoToMainMenu(game);
      }
      break;
    case GameState::SplashScreenState:
      GoToMainMenu(game);
      MusicAfterSplash(game.audio, true);
      break;
    case GameState::TimeUpScreen:
      if (s.menuHighlight == 0) {
        StartLevelNow(game);
      } else if (s.menuHighlight == 1) {
        Sample(game, SoundId::MenuMove);
        GoToMainMenu(game);
      }
      break;
    case GameState::GameCompletedScreen:
      if (s.menuHighlight != 0) break;
      if (profile) {
        profile->level[mode] = 1;
        EnterRecordsTable(game.records, *profile);
      }
      Sample(game, SoundId::MenuMove);
      GoToMainMenu(game);
      s.gameState = GameState::RecordsScreen;
      break;
    case GameState::NewGameScreen:
      if (s.newGameHighlight >= 0 && s.newGameHighlight <= 2) {
        if (!profile) break;
        int chosen = s.newGameHighlight;
        profile->mode = chosen;
        profile->level[chosen] = 1;
        profile->score[chosen] = 0;
        profile->lives[chosen] = kNewGameLives[chosen];
        StartLevelNow(game);
      } else if (s.newGameHighlight == 3) {
        Sample(game, SoundId::MenuMove);
        s.gameState = GameState::MainMenu;
      }
      break;
    case GameState::HelpInPlay: HelpChoice(game, GameState::PauseMenu); break;
    case GameState::HelpFromMenu: HelpChoice(game, GameState::MainMenu); break;
    default: break;
  }
}

void HandleEscape(Game& game) {
  ScreenState& s = game.screen;
  switch (s.gameState) {
    case GameState::MainMenu:
      Sample(game, SoundId::MenuMove);
      s.menuHighlight = 4;
      s.gameState = GameState::ExitConfirm;
      break;
    case GameState::Playing:
      Sample(game, SoundId::MenuMove);
      s.gameState = GameState::PauseMenu;
      s.menuHighlight = 0;
      WarpPointerToItem(game, 0);
      break;
    case GameState::InfoPage:
    case GameState::OptionsFromMenu:
    case GameState::RecordsScreen:
    case GameState::StartGameScreen:
    case GameState::ExitConfirm:
    case GameState::HelpFromMenu:
      Sample(game, SoundId::MenuMove);
      s.gameState = GameState::MainMenu;
      break;
    case GameState::PlayersScreen:
      if (s.nameEntry.active) {
        s.nameEntry = NameEntry{};
        EnableTextInput(false);
      } else {
        Sample(game, SoundId::MenuMove);
        s.gameState = GameState::MainMenu;
      }
      break;
    case GameState::OptionsInPlay:
    case GameState::HelpInPlay:
      Sample(game, SoundId::MenuMove);
      s.gameState = GameState::PauseMenu;
      break;
    case GameState::PauseMenu:
      Sample(game, SoundId::MenuMove);
      s.gameState = GameState::Playing;
      break;
    case GameState::NewGameScreen:
      Sample(game, SoundId::MenuMove);
      s.gameState = GameState::StartGameScreen;
      break;
    default: break;
  }
}

}  // namespace nb
