#pragma once
// Practice and replays around the profile's run: the levels a profile may
// choose, one level played alone, and a stored best run played back.
#include "shell/game.h"

namespace nb {

// The furthest level the current profile has reached in its mode: its run's
// level, or one past the highest level it has won; 0 without a profile.
// Never beyond the level count.
int FurthestOpenLevel(const Game& game);

// Plays an open level alone through the play screen. False (after a message,
// back on the Levels page) when the level cannot start.
bool StartPractice(Game& game, int level);

// Whether the current profile has a stored best run of the level in its mode.
bool HasReplay(const Game& game, int level);

// Plays that run back at the real pace; Esc leaves. False with a message
// when there is none, or when the level file changed since it was recorded.
bool StartWatch(Game& game, int level);

}  // namespace nb
