#include "shell/practice.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/file_io.h"
#include "core/log.h"
#include "gameplay/level_file.h"
#include "platform/message_box.h"
#include "shell/levels_screen.h"
#include "shell/menu_commands.h"
#include "shell/run_frame.h"

namespace nb {
namespace {

// One profile, a copy of the player's name and mode, alone on a level.
ProfileTable PlayerAlone(const ProfileRecord& player, int mode, int level, int score, int lives) {
  ProfileTable alone;
  AddProfile(alone, player.name, 0, 1, kNewProfileLives);
  ProfileRecord& p = alone.profiles[0];
  p.mode = mode;
  p.level[p.mode] = level;
  p.score[p.mode] = score;
  p.lives[p.mode] = lives;
  alone.current = 0;
  return alone;
}

bool StartAlone(Game& game, RunKind kind, int level, int score, int lives) {
  const ProfileRecord* player = PlayerProfile(game.profiles);
  if (!player || level < 1 || level > FurthestOpenLevel(game)) return false;
  const int mode = kind == RunKind::Watch ? game.run.watched.mode : ModeIndex(*player);
  game.run.kind = kind;
  game.run.level = level;
  game.run.alone = PlayerAlone(*player, mode, level, score, lives);
  game.world.play.fades[FadeHelp] = 0;
  return StartLevelOrMainMenu(game);
}

}  // namespace

int FurthestOpenLevel(const Game& game) {
  const ProfileRecord* profile = PlayerProfile(game.profiles);
  if (!profile) return 0;
  const int mode = ModeIndex(*profile);
  int furthest = std::max(1, profile->level[mode]);
  for (const LevelBest& best : game.bests.entries)
    if (best.mode == mode && std::strncmp(best.name, profile->name, kNameBytes) == 0)
      furthest = std::max(furthest, best.level + 1);
  return std::min(furthest, game.levelCount);
}

bool StartPractice(Game& game, int level) { return StartAlone(game, RunKind::Practice, level, 0, 1); }

bool HasReplay(const Game& game, int level) {
  const ProfileRecord* profile = PlayerProfile(game.profiles);
  return profile && FileExists(PlayerFile(game, ReplayFileName(profile->name, ModeIndex(*profile), level)));
}

bool StartWatch(Game& game, int level) {
  const ProfileRecord* profile = PlayerProfile(game.profiles);
  if (!profile) return false;
  Replay replay;
  std::string why;
  const std::string path = PlayerFile(game, ReplayFileName(profile->name, ModeIndex(*profile), level));
  if (!LoadReplayFile(path, replay, &why)) {
    LogWrite("Replay " + path + " refused: " + why + "\n");
    ShowMessageBox("This replay cannot be played: " + why, "ERROR");
    return false;
  }
  return StartReplay(game, replay);
}

bool StartReplay(Game& game, const Replay& replay) {
  std::vector<unsigned char> bytes;
  ReadWholeFile(NativePath(game.folders.data, LevelFileName(replay.level)), bytes, kMaxLevelFileBytes);
  if (ContentChecksum(bytes) != replay.levelChecksum) {
    ShowMessageBox("Level " + std::to_string(replay.level) +
                       " has changed since this run was recorded: its replay cannot be shown",
                   "ERROR");
    return false;
  }
  game.run.watched = replay;
  return StartAlone(game, RunKind::Watch, replay.level, replay.startScore, replay.startLives);
}

void LeaveRun(Game& game) {
  const bool toLevels = game.run.kind != RunKind::Game;
  game.run.kind = RunKind::Game;
  game.run.recording = Replay{};  // the attempt is over, won or not
  GoToMainMenu(game);
  if (!toLevels) return;
  ReadLevelsPage(game);  // the run may have brought a new best or replay
  game.screen.gameState = GameState::LevelsScreen;
}

bool HandleWatchInput(Game& game, const InputEvent& event) {
  if (game.run.kind != RunKind::Watch || event.type == InputEvent::Type::Quit) return false;
  if (event.type != InputEvent::Type::KeyDown) return true;
  if (event.key == Key::Escape) LeaveRun(game);
  return event.key != Key::F1 && event.key != Key::F2 && event.key != Key::F12;
}

void ForgetProfileRuns(Game& game, int index) {
  if (index < 0 || index >= std::min(game.profiles.count, kMaxProfiles)) return;
  const char* name = game.profiles.profiles[index].name;
  ForgetBests(game.bests, name);
  SaveBestsFile(game.bests, PlayerFile(game, "bests.dat"));
  for (int mode = 0; mode < kGameModes; ++mode)
    for (int level = 1; level <= game.levelCount; ++level)
      std::remove(PlayerFile(game, ReplayFileName(name, mode, level)).c_str());
}

}  // namespace nb
