#pragma once

namespace nb {

struct Game;

// One frame of the play screen (GameState 1 and the overlays over the
// paused level: 10, 11, 12, 14, 16, 18).
void PlayScreenFrame(Game& game);

}  // namespace nb
