#pragma once
// Platform-internal: the SDL window behind a PlatformWindow, for the OpenGL
// device. Only code in src/platform includes this.
#include <SDL.h>

#include "platform/window.h"

namespace nb {
SDL_Window* SdlWindowOf(PlatformWindow* window);
}  // namespace nb
