#pragma once
// Every attempt at a level is recorded from its start: the random
// generator's seed, what the rules carry into the level, and each input with
// the play-screen update it came before. A won attempt updates the bests
// and replaces the stored replay when it is better. While a replay is
// watched, the same inputs are given back at the same updates.
#include "shell/game.h"

namespace nb {

// The profiles the rules see: the profile's own, or the one playing alone.
ProfileTable& ActiveProfiles(Game& game);
const ProfileTable& ActiveProfiles(const Game& game);

// The level being played is the last of the profile's run: its win
// completes the game.
bool FinishesGame(const Game& game);

// Just before a level's file is loaded: the seed and the carried values are
// drawn and kept for the recording, or taken from the watched replay.
void PrepareRunLevel(Game& game);
// Once the level has started: its update count starts at 0.
void BeginRunLevel(Game& game);

// A click of the player on the playfield, carried out and recorded (nothing
// while a replay is watched).
void PlayClick(Game& game, ReplayInput input);

// The play screen's update: before it, screen changes are recorded (or the
// watched inputs given); after the rules, a first win is counted; at its end
// the update is counted.
void BeforePlayUpdate(Game& game);
void CountWinOnce(Game& game);
void AfterPlayUpdate(Game& game);

// A better run than another of the same level: more seconds left, then more
// points, then an earlier win.
bool BetterRun(const Replay& run, const Replay& than);

}  // namespace nb
