#pragma once
#include "shell/game.h"

namespace nb {

// Keeps the current screen's highlight under the pointer (client pixels):
// the item the pointer is strictly inside becomes the highlight (most
// screens play the hover sample when it changes); over no item the
// highlight stays.
void TrackMenuPointerAt(Game& game, int x, int y);

}  // namespace nb
