#pragma once
#include <string>

#include "platform/input_events.h"
#include "shell/game.h"

namespace nb {

// The game's answer to one window message; runs between frames only. Window
// coordinates are carried into the picture first; losing the focus in play
// pauses the level.
void HandleInputEvent(Game& game, const InputEvent& event);

// The arrow keys: the current screen's highlight moves within its range and
// the pointer follows it onto the item.
void KeyboardNavigation(Game& game, Key key);

// A left click (in picture pixels): in play it goes to the playfield,
// elsewhere to the box under the pointer, which becomes the highlight and is
// carried out.
void HandleMenuClick(Game& game, int x, int y);

// One character typed into the new player's name (a Windows-1251 byte:
// these two control characters, or a letter appended).
constexpr unsigned char kNameBackspace = 8, kNameConfirm = 13;
void HandleNameCharacter(Game& game, unsigned char ch);

// Typed text as the name entry takes it: ASCII as it is, Cyrillic letters as
// their Windows-1251 bytes; anything else is dropped.
std::string Utf8ToNameBytes(const std::string& utf8);

}  // namespace nb
