#include "shell/practice.h"

#include <algorithm>
#include <cstring>

#include "core/file_io.h"
#include "core/log.h"

namespace nb {

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

bool HasReplay(const Game& game, int level) {
  const ProfileRecord* profile = PlayerProfile(game.profiles);
  return profile && FileExists(PlayerFile(game, ReplayFileName(profile->name, ModeIndex(*profile), level)));
}

// Being written on another branch: these start nothing yet.
bool StartPractice(Game&, int level) {
  LogWrite("Practice of level " + std::to_string(level) + " is not available yet\n");
  return false;
}

bool StartWatch(Game&, int level) {
  LogWrite("Replay of level " + std::to_string(level) + " is not available yet\n");
  return false;
}

}  // namespace nb
