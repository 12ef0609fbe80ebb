#pragma once
#include <cstdint>

#include "gameplay/world.h"

namespace nb {

// Starts the current profile's level in its current mode: resets the play
// values, messages and statistics, sets GameState 1, sets up the level and
// puts the camera high above the home view. Does nothing (false) when no
// profile is chosen or the level file is missing or damaged (after its
// message); the caller then leaves the play.
bool StartLevel(World& world, GameplayContext& ctx);

// Loads level file N and derives what play needs from the grid: the mode's
// time cut, the home view, counters, teleport partners, bricks, the start
// position, stone looks, Reflectors, bonuses, the merged walls and floor, and
// the ball's speed and direction. A missing or damaged file is reported and
// nothing changes (false).
bool SetupLevel(World& world, GameplayContext& ctx, int32_t levelNumber);

// The derivations of SetupLevel after the file is read (everything but the
// load), for a level record already in place.
void PrepareLoadedLevel(World& world, GameplayContext& ctx);

}  // namespace nb
