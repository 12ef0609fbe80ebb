#pragma once
#include <cstdint>

namespace nb {

struct Game;

// The 3-D scene of the play frame, pass by pass in its order: sky and
// clouds, lights, fog, the element passes, the level mesh, the placement
// marker (GameState 1 only), Reflectors, teleports, stones, bonuses,
// islands, particles. The element animations advance inside the passes.
// Called between BeginScene and EndScene after the camera update, at a given
// reading of the millisecond clock (sky turn, wind).
void DrawPlaySceneAt(Game& game, uint32_t nowMs);

// The menus' background: sky, fog, ten circling islands, clouds. Called
// between BeginScene and EndScene after the camera update.
void DrawMenuBackground(Game& game);
void DrawMenuBackgroundAt(Game& game, uint32_t nowMs);

}  // namespace nb
