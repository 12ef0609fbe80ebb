#pragma once
#include <cstdint>

namespace nb {

struct Game;

// The 3-D scene of the play screen, pass by pass in its order: sky and
// clouds, lights, fog, the element passes, the level mesh, the placement
// marker (GameState 1 only), Reflectors, teleports, stones, bonuses,
// islands, particles. Called between BeginScene and EndScene with the
// camera's transforms set, at a reading of the millisecond clock (the sky's
// turn). It only reads the game.
void DrawPlayScene(const Game& game, uint32_t nowMs);

// The menus' background: sky, fog, ten circling islands, clouds.
void DrawMenuBackground(const Game& game, uint32_t nowMs);

}  // namespace nb
