#include "shell/menu_commands.h"

#include <cstring>
#include <string>

#include "gameplay/level_setup.h"
#include "platform/message_box.h"
#include "shell/practice.h"
#include "shell/run_frame.h"
#include "shell/run_recording.h"
#include "shell/screen_table.h"

namespace nb {

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
  if (profiles.current == index)
    profiles.current = -1;
  else if (profiles.current > index)
    --profiles.current;
}

bool StartLevelOrMainMenu(Game& game) {
  GameplayContext ctx = Gameplay(game);
  const int32_t level = CurrentLevel(ctx) < 1 ? 1 : CurrentLevel(ctx);
  bool started = false;
  if (PlayerProfile(ctx.profiles) && level > game.levelCount) {
    ShowMessageBox("Level " + std::to_string(level) + " is beyond the " + std::to_string(game.levelCount) +
                       " levels of settings.ini ([Levels] count)",
                   "ERROR");
  } else {
    // The level start stops the menu and game music itself.
    PrepareRunLevel(game);
    started = StartLevel(game.world, ctx);
  }
  if (started)
    BeginRunLevel(game);
  else
    LeaveRun(game);
  return started;
}

void ExecuteMenuCommand(Game& game) {
  if (void (*choose)(Game&) = ScreenOf(game.screen.gameState).choose) choose(game);
}

void HandleEscape(Game& game) {
  if (void (*escape)(Game&) = ScreenOf(game.screen.gameState).escape) escape(game);
}

}  // namespace nb
