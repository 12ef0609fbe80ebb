#pragma once

namespace nb {

struct Game;

// One frame of the menu screens (GameState 0, 2..7, 17, 19).
void RunMenuFrame(Game& game);

}  // namespace nb
