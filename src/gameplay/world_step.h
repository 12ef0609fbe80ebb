#pragma once
#include "gameplay/world.h"

namespace nb {

// Advances the world by one step (once per play frame in GameState 1): the
// cell in front of the ball bounces or lets it through, the element at the
// ball's exact position acts on it, a fall advances, the ball moves by its
// speed and its rolling matrices are updated.
void StepWorld(World& world, GameplayContext& ctx);

// The cell in front of the ball: the next cell once the ball is 10 units
// past its own centre towards higher indices, or more than 10 units short
// of it towards lower indices.
struct FrontCell {
  int row;
  int col;
};
FrontCell FrontCellOf(const BallState& ball);

}  // namespace nb
