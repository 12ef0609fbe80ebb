#pragma once
#include "shell/game.h"

namespace nb {

// The options page's language row: the next (step 1) or previous (step -1)
// language whose file in data is there and whole, in code order and round
// again. Its texts replace the current ones at once and the settings keep
// its code. Nothing changes when no other language can be loaded.
void CycleLanguage(Game& game, int step);

}  // namespace nb
