#pragma once
#include "shell/game.h"

namespace nb {

// Keeps the current screen's highlight under the mouse: the item the
// pointer is strictly inside becomes the highlight (most screens play the
// hover sample when it changes); over no item the highlight stays. In a
// window the system pointer shows while the mouse is above the client area.
void TrackMenuPointer(Game& game);

// The same for a known pointer position in client pixels.
void TrackMenuPointerAt(Game& game, int x, int y);

}  // namespace nb
