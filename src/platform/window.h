#pragma once
#include <cstdint>
#include <string>

#include "core/letterbox.h"

namespace nb {

// The one game window. Opaque outside the platform layer; the OpenGL device
// reaches the SDL window through platform/sdl_access.h.
struct PlatformWindow;

// Starts SDL's video, timer and event subsystems; false when no display is
// available. Safe to call more than once.
bool InitPlatform();
void ShutdownPlatform();

// A window of the given client size that the player may resize, or the whole
// desktop in its own mode, ready for an OpenGL context, with the system
// pointer hidden. nullptr when it cannot be made. With `depth` the window has
// a depth buffer of its own, and a picture the size of the window is drawn
// straight into it; without, the device keeps its picture apart and only
// copies it in (full screen, antialiased).
PlatformWindow* CreateGameWindow(const std::string& title, int width, int height, bool fullscreen,
                                 bool depth = true);
void DestroyGameWindow(PlatformWindow* window);

// Switches between a window of the given client size and the whole desktop
// (the display's mode stays as the desktop has it).
void SetWindowMode(PlatformWindow* window, int width, int height, bool fullscreen);
void ShowAndFocusWindow(PlatformWindow* window);

// Milliseconds since the platform started, wrapping like the multimedia timer.
uint32_t TimerMs();

// Where a picture of the given size is shown in the window, in the window's
// own coordinates (those of the pointer).
Letterbox PictureLetterbox(const PlatformWindow* window, int pictureWidth, int pictureHeight);

// The pointer in window coordinates; Warp moves the real pointer there.
void GetPointerPosition(const PlatformWindow* window, int& x, int& y);
void WarpPointer(PlatformWindow* window, int x, int y);
void ShowSystemPointer(bool visible);

}  // namespace nb
