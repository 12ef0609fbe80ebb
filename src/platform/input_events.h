#pragma once
#include <string>

namespace nb {

enum class Key { Unknown, Enter, Escape, Up, Down, Left, Right, Delete, Backspace, F1, F2, F12 };

enum class MouseButton { None, Left, Right, Middle };

// One window message, reduced to what the game's input handler reads.
struct InputEvent {
  enum class Type { None, Quit, KeyDown, Text, ButtonDown, ButtonUp, PointerMove, FocusGained, FocusLost };
  Type type = Type::None;
  Key key = Key::Unknown;
  MouseButton button = MouseButton::None;
  int x = 0;  // window coordinates
  int y = 0;
  std::string text;  // UTF-8, for Type::Text
};

// True when an event waits; nothing is taken from the queue.
bool EventWaiting();
// Takes the next event; false when none waits.
bool TakeEvent(InputEvent& event);
// Sleeps until an event arrives or the timeout passes (milliseconds).
void WaitForEvent(int timeoutMs);
// Starts or stops text input (name entry).
void EnableTextInput(bool enabled);
// Puts a quit request on the queue, as closing the window does.
void PostQuit();

}  // namespace nb
