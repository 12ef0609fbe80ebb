#pragma once

namespace nb {

struct Game;

// A test hook, inert unless the environment sets NB_LEVEL_LOOP to a number of
// level starts: right after start-up the game then starts the levels 1, 2, ...
// up to the last and back down, again and again, that many times in all, as a
// player choosing them would (each start loads the level file and replaces the
// level mesh), draws a few frames of each, and goes on to the main menu. The
// players' table is put back as it was, so nothing of theirs is saved changed.
// The log then says "Level loop: N starts", for a script that measures memory.
void RunLevelLoopIfAsked(Game& game);

}  // namespace nb
