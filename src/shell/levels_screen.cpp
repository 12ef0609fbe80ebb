#include "shell/levels_screen.h"

#include <algorithm>

#include "gameplay/level_file.h"
#include "shell/practice.h"
#include "shell/screen_table.h"

namespace nb {

void ReadLevelsPage(Game& game) {
  LevelsPage& page = game.levelsPage;
  page = LevelsPage{};
  const ProfileRecord* profile = PlayerProfile(game.profiles);
  page.mode = profile ? ModeIndex(*profile) : 0;
  page.open = FurthestOpenLevel(game);
  const int count = std::clamp(game.levelCount, 0, kMaxLevelsShown);
  page.levels.resize(static_cast<size_t>(count));
  for (int level = 1; level <= count; ++level) {
    LevelEntry& entry = page.levels[static_cast<size_t>(level - 1)];
    entry.title = ReadLevelTitle(LevelFileName(level), game.folders.data);
    entry.replay = level <= page.open && HasReplay(game, level);
    const LevelBest* best = profile ? FindBest(game.bests, profile->name, page.mode, level) : nullptr;
    if (!best) continue;
    entry.won = true;
    entry.secondsLeft = best->secondsLeft;
    entry.points = best->points;
  }
}

void EnterLevelsPage(Game& game) {
  ReadLevelsPage(game);
  const int open = std::min(game.levelsPage.open, static_cast<int>(game.levelsPage.levels.size()));
  game.screen.levelsHighlight = game.screen.levelsLevel = std::max(open, kLevelsBack);
  GoTo(game, GameState::LevelsScreen);
}

void ChooseLevels(Game& game) {
  const int32_t highlight = game.screen.levelsHighlight;
  if (highlight == kLevelsBack) return GoTo(game, GameState::StartGameScreen);
  const LevelsPage& page = game.levelsPage;
  const int level = LevelOfHighlight(highlight);
  if (level < 1 || level > std::min(page.open, static_cast<int>(page.levels.size()))) return;
  PlaySound(game, SoundId::MenuMove);
  if (highlight < kLevelsWatch)
    StartPractice(game, level);
  else if (page.levels[static_cast<size_t>(level - 1)].replay)
    StartWatch(game, level);
}

void LevelsArrows(Game& game, Key key) {
  ScreenState& s = game.screen;
  const int dx = key == Key::Left ? -1 : key == Key::Right ? 1 : 0;
  const int dy = key == Key::Up ? -1 : key == Key::Down ? 1 : 0;
  const int32_t moved = StepLevelsHighlight(game.levelsPage, s.levelsHighlight, s.levelsLevel, dx, dy);
  if (moved == s.levelsHighlight) return;
  PlaySound(game, SoundId::MenuOnClick);
  s.levelsHighlight = moved;
  FollowLevelsHighlight(s);
  WarpPointerToItem(game, moved);
}

void FollowLevelsHighlight(ScreenState& screen) {
  if (screen.levelsHighlight != kLevelsBack) screen.levelsLevel = LevelOfHighlight(screen.levelsHighlight);
}

}  // namespace nb
