#include "platform/window.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "core/log.h"
#include "platform/sdl_access.h"

namespace nb {

struct PlatformWindow {
  SDL_Window* sdl = nullptr;
};

namespace {

// Without a display SDL falls back to drivers that draw into memory; a game
// running where nobody can see it would only take a core until killed. A
// driver named on purpose in SDL_VIDEODRIVER is the player's choice.
bool DrawsNowhere(const char* driver) {
  if (!driver || std::getenv("SDL_VIDEODRIVER")) return false;
  return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
}

}  // namespace

bool InitPlatform() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  // The game's own fixed cadence and its own pointer; the desktop must not
  // blank while a level is watched.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) return false;
  if (DrawsNowhere(SDL_GetCurrentVideoDriver())) {
    LogPrintf("No display to show the game on (DISPLAY or WAYLAND_DISPLAY not usable)\n");
    SDL_Quit();
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  return true;
}

void ShutdownPlatform() { SDL_Quit(); }

PlatformWindow* CreateGameWindow(const std::string& title, int width, int height, bool fullscreen,
                                 bool depth) {
  // A depth buffer the device will not draw with would only take memory.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth ? 24 : 0);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_Window* sdl = SDL_CreateWindow(title.c_str(), 0, 0, width, height, flags);
  if (!sdl) return nullptr;
  SDL_ShowCursor(SDL_DISABLE);
  SDL_StopTextInput();
  return new PlatformWindow{sdl};
}

void DestroyGameWindow(PlatformWindow* window) {
  if (!window) return;
  SDL_DestroyWindow(window->sdl);
  delete window;
}

void SetWindowMode(PlatformWindow* window, int width, int height, bool fullscreen) {
  if (!window) return;
  if (fullscreen) {
    // Without a window manager nobody resizes a window that asks for the
    // whole desktop; sized to it first, it covers it either way.
    SDL_Rect desktop{};
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window->sdl), &desktop) == 0) {
      SDL_SetWindowPosition(window->sdl, desktop.x, desktop.y);
      SDL_SetWindowSize(window->sdl, desktop.w, desktop.h);
    }
  }
  SDL_SetWindowFullscreen(window->sdl, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullscreen) {
    SDL_SetWindowSize(window->sdl, width, height);
    SDL_SetWindowPosition(window->sdl, 0, 0);
    // The window system applies the size a little later; wait (briefly) so
    // that the next frame is shown at the new size.
    Uint32 deadline = SDL_GetTicks() + 300;
    int w = 0, h = 0;
    do {
      SDL_PumpEvents();
      SDL_GL_GetDrawableSize(window->sdl, &w, &h);
      if (w == width && h == height) break;
      SDL_Delay(5);
    } while (!SDL_TICKS_PASSED(SDL_GetTicks(), deadline));
  }
  ShowAndFocusWindow(window);
}

void ShowAndFocusWindow(PlatformWindow* window) {
  if (!window) return;
  SDL_ShowWindow(window->sdl);
  SDL_RaiseWindow(window->sdl);
}

Letterbox PictureLetterbox(const PlatformWindow* window, int pictureWidth, int pictureHeight) {
  int w = 0, h = 0;
  if (window) SDL_GetWindowSize(window->sdl, &w, &h);
  return FitLetterbox(pictureWidth, pictureHeight, w, h);
}

uint32_t TimerMs() { return SDL_GetTicks(); }

void GetPointerPosition(const PlatformWindow* window, int& x, int& y) {
  x = y = 0;
  if (!window) return;
  // Inside the window the position the event queue last reported is exact;
  // outside it (over the title bar, say) only the desktop position helps.
  if (SDL_GetMouseFocus() == window->sdl) {
    SDL_GetMouseState(&x, &y);
    return;
  }
  int gx = 0, gy = 0, wx = 0, wy = 0;
  SDL_GetGlobalMouseState(&gx, &gy);
  SDL_GetWindowPosition(window->sdl, &wx, &wy);
  x = gx - wx;
  y = gy - wy;
}

void WarpPointer(PlatformWindow* window, int x, int y) {
  if (window) SDL_WarpMouseInWindow(window->sdl, x, y);
}

void ShowSystemPointer(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

SDL_Window* SdlWindowOf(PlatformWindow* window) { return window ? window->sdl : nullptr; }

}  // namespace nb
