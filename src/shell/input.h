#pragma once
#include "platform/input_events.h"
#include "shell/game.h"

namespace nb {

// The game's answer to one window message; runs between frames only.
void HandleInputEvent(Game& game, const InputEvent& event);

}  // namespace nb
