#include "platform/input_events.h"

#include <SDL.h>

namespace nb {
namespace {

Key KeyOf(SDL_Keycode code) {
  switch (code) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return Key::Enter;
    case SDLK_ESCAPE: return Key::Escape;
    case SDLK_UP: return Key::Up;
    case SDLK_DOWN: return Key::Down;
    case SDLK_LEFT: return Key::Left;
    case SDLK_RIGHT: return Key::Right;
    case SDLK_DELETE: return Key::Delete;
    case SDLK_BACKSPACE: return Key::Backspace;
    case SDLK_F1: return Key::F1;
    case SDLK_F2: return Key::F2;
    case SDLK_F12: return Key::F12;
    default: return Key::Unknown;
  }
}

MouseButton ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    default: return MouseButton::None;
  }
}

bool Translate(const SDL_Event& sdl, InputEvent& event) {
  event = InputEvent{};
  switch (sdl.type) {
    case SDL_QUIT: event.type = InputEvent::Type::Quit; return true;
    case SDL_KEYDOWN:
      event.type = InputEvent::Type::KeyDown;
      event.key = KeyOf(sdl.key.keysym.sym);
      return true;
    case SDL_TEXTINPUT:
      event.type = InputEvent::Type::Text;
      event.text = sdl.text.text;
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      event.type =
          sdl.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::ButtonDown : InputEvent::Type::ButtonUp;
      event.button = ButtonOf(sdl.button.button);
      event.x = sdl.button.x;
      event.y = sdl.button.y;
      return true;
    case SDL_MOUSEMOTION:
      event.type = InputEvent::Type::PointerMove;
      event.x = sdl.motion.x;
      event.y = sdl.motion.y;
      return true;
    case SDL_WINDOWEVENT:
      if (sdl.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) event.type = InputEvent::Type::FocusGained;
      if (sdl.window.event == SDL_WINDOWEVENT_FOCUS_LOST) event.type = InputEvent::Type::FocusLost;
      return true;  // other window events (a resize among them) are taken and ignored
    default: return true;
  }
}

}  // namespace

bool EventWaiting() {
  SDL_PumpEvents();
  return SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

bool TakeEvent(InputEvent& event) {
  SDL_Event sdl;
  if (!SDL_PollEvent(&sdl)) return false;
  return Translate(sdl, event);
}

void WaitForEvent(int timeoutMs) {
  if (timeoutMs <= 0) return;
  SDL_WaitEventTimeout(nullptr, timeoutMs);
}

void EnableTextInput(bool enabled) {
  if (enabled)
    SDL_StartTextInput();
  else
    SDL_StopTextInput();
}

void PostQuit() {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

}  // namespace nb
