#pragma once
#include "gameplay/level_play_state.h"
#include "gameplay/level_record.h"

namespace nb {

// The animations that change the grid. The play screen runs them once per
// update, whether or not the world steps.

// The stretch of the Reflector's animation track a phase runs through.
struct ReflectorSegment {
  int32_t start = 0;
  int32_t end = 0;
  int32_t endKind = -1;  // the kind the cell takes at the end; -1 keeps it
};
inline constexpr ReflectorSegment kReflectorSegments[] = {
    {},                        // no phase
    {0, 10, -1},               // ReflectorAppearingAnti
    {20, 30, -1},              // ReflectorAppearingMain
    {40, 60, ReflectorMain},   // ReflectorTurningToMain
    {70, 80, Floor},           // ReflectorVanishingAnti
    {90, 110, ReflectorAnti},  // ReflectorTurningToAnti
    {120, 130, Floor},         // ReflectorVanishingMain
};

// Puts a Reflector cell at the start of a phase.
void StartReflectorPhase(GridCell& cell, ReflectorPhase phase);

// A Reflector's placing, turning or removal: `value` runs by 2 per frame to
// the end of its phase's segment; at the end a turn sets the new kind and a
// removal leaves Floor. Other kinds are left alone.
void AdvanceReflectorAnimation(GridCell& cell);

// A gate lowers by 1 per frame while the gates are lowering (open once past
// 20) and rises by 1 while they are rising (closed as soon as they start).
void AdvanceGate(GridCell& cell, LevelPlayState& play);

// A bonus sinks by 5 per frame while above the floor.
void AdvanceBonusDescent(GridCell& cell);

// All three over the used grid, in the order of the play screen's update:
// gates, Reflectors, bonuses.
void AdvanceElementAnimations(LevelRecord& level, LevelPlayState& play);

}  // namespace nb
