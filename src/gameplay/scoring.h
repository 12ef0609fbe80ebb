#pragma once
#include <cstdint>

#include "gameplay/world.h"

namespace nb {

constexpr int32_t kExtraLifeThreshold[kGameModes] = {15000, 25000, 50000};
constexpr int kLifeMilestones = 20;  // milestones k x threshold for k = 0..19

// Adds points to the current score; every milestone (1 to 19 times the mode's
// threshold) that lies strictly between the old and the new score gives an
// extra life with its message.
void AddScore(World& world, GameplayContext& ctx, int32_t points);

// Turns at most one Floor cell into a sinking bonus of kind 1..4 (about
// 1.5 % per Floor cell, earlier rows and columns first). True when one
// appeared.
bool SpawnRandomBonus(World& world, GameplayContext& ctx);

// The speed bonus: at normal speed the ball becomes slow or fast for 15
// seconds; while already changed, 15 more seconds.
void ApplySpeedBonus(World& world, GameplayContext& ctx);

}  // namespace nb
