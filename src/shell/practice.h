#pragma once
// Practice and replays around the profile's run: the levels a profile may
// choose, one level played alone, and a stored best run played back.
#include "platform/input_events.h"
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
// The same for a run in hand.
bool StartReplay(Game& game, const Replay& replay);

// Back from a level: to the Levels page from practice or a replay, else to
// the main menu. The profile's own run is in play again.
void LeaveRun(Game& game);

// While a replay plays, the player's input does not reach it: Esc leaves and
// the keys that work everywhere (full screen, screenshot) still do. True
// when the event was taken here.
bool HandleWatchInput(Game& game, const InputEvent& event);

// Before a profile is deleted: its bests and replays go with it, so that a
// new player of the same name starts afresh.
void ForgetProfileRuns(Game& game, int index);

}  // namespace nb
