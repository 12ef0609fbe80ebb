#include "shell/level_loop.h"

#include <cstdlib>

#include "core/log.h"
#include "platform/window.h"
#include "shell/game.h"
#include "shell/menu_commands.h"
#include "shell/run_frame.h"

namespace nb {

namespace {

// The n-th level of the walk 1, 2, ..., count, count - 1, ..., 2, 1, 2, ...
int LevelOfStart(long n, int count) {
  if (count < 2) return 1;
  const long period = 2L * (count - 1);
  const long at = n % period;
  return static_cast<int>(at < count ? at + 1 : period - at + 1);
}

}  // namespace

void RunLevelLoopIfAsked(Game& game) {
  const char* starts = std::getenv("NB_LEVEL_LOOP");
  const long count = starts ? std::atol(starts) : 0;
  if (count <= 0) return;
  const ProfileTable saved = game.profiles;
  game.profiles.count = 0;
  AddProfile(game.profiles, "Level loop", 0, 1, 3);
  game.profiles.current = 0;
  ProfileRecord& player = game.profiles.profiles[0];
  for (long n = 0; n < count && !game.quitRequested; ++n) {
    player.level[player.mode] = LevelOfStart(n, game.levelCount);
    if (!StartLevelOrMainMenu(game)) continue;
    for (int frame = 0; frame < 3; ++frame) {
      const FrameInput input{TimerMs(), 0, 0};
      UpdateFrame(game, GameScreens(), input);
      DrawFrame(game, GameScreens(), input);
    }
  }
  game.profiles = saved;
  GoToMainMenu(game);
  LogPrintf("Level loop: %ld starts\n", count);
}

}  // namespace nb
