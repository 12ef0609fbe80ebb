#pragma once
#include "shell/game.h"

namespace nb {

// Carries out the highlighted choice of the current screen (Enter, or a
// click on an item).
void ExecuteMenuCommand(Game& game);

// Starts the current profile's level (or the level played alone). A level
// beyond the [Levels] count, a missing or damaged level file (each after its
// message) and no chosen profile leave the run instead (false).
bool StartLevelOrMainMenu(Game& game);

// The Esc key on the current screen.
void HandleEscape(Game& game);

// The highest records entry the current score may replace at the end of the
// game: the lowest-scoring entry (the first of equals) is replaced when the
// score is greater. The table keeps its size and order.
void EnterRecordsTable(RecordsTable& records, const ProfileRecord& profile);

// Removes profile index (0-based); later profiles move up. The current
// profile keeps pointing at the same player: down by one when an earlier
// profile goes, none when the current one goes.
void DeleteProfile(ProfileTable& profiles, int index);

}  // namespace nb
