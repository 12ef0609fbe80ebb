#pragma once
#include <cstdint>

#include "gameplay/world.h"

namespace nb {

// The cell under the mouse and the Reflector a click there would place: the
// quarter of the cell under the pointer picks the diagonal.
struct CursorCell {
  float pointX = 0;  // floor point under the mouse (world X, along rows)
  float pointZ = 0;  // (world Z, along columns)
  int32_t row = 0;
  int32_t col = 0;
  int32_t placeKind = ReflectorAnti;  // ReflectorAnti (5) or ReflectorMain (6)
};
CursorCell ComputeCursorCell(float pointX, float pointZ);

// The left click of GameState 1 on (row, col): a waiting ball starts rolling,
// and while it rolls a Floor or Start cell gets a Reflector of placeKind, a
// Reflector of that kind gets its five hits back and one of the other kind
// turns. Each placement costs a point while the score is above 0.
void HandlePlayClick(World& world, GameplayContext& ctx, int32_t row, int32_t col, int32_t placeKind);

// The right click of GameState 1 on (row, col) (the caller checks the
// state): counts the click and starts the removal of a Reflector there.
void RemoveReflectorAtCursor(World& world, GameplayContext& ctx, int32_t row, int32_t col);

// One counted second of the level clock while the ball rolls: every eleventh
// second a random bonus may appear, the speed bonus runs down, the seconds
// played grow and the time limit drops; below 1 "lost" plays and GameState
// becomes 14 (returns true).
bool CountLevelSecond(World& world, GameplayContext& ctx);

// What a play frame does to the rules in GameState 1: the world step, then,
// when a second of the level clock is due and the ball still rolls in a game
// that goes on, that second. Returns true when it counted one. (The element
// animations run with the drawn scene, paused or not.)
bool StepPlayFrame(World& world, GameplayContext& ctx, bool secondDue);

}  // namespace nb
