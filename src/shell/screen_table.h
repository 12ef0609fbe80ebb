#pragma once
// The screens, one row each, indexed by GameState. The frame dispatcher, the
// keys and the pointer look up the current screen's row; a new screen is one
// row here and one file of its own.
#include <cstdint>

#include "menus/menu_boxes.h"
#include "platform/input_events.h"
#include "shell/game.h"

namespace nb {

// The part of a frame that runs a screen: the play frame (the level and the
// overlays over it), the splash, or the menu frame.
enum class FrameGroup { None, Play, Splash, Menu };

// What runs a screen and what its keys and pointer do; empty for the values
// of GameState that name no screen.
struct Screen {
  FrameGroup frame = FrameGroup::None;
  void (*choose)(Game&) = nullptr;                         // Enter, or a click on an item
  void (*escape)(Game&) = nullptr;                         // the Esc key
  void (*arrows)(Game&, Key) = nullptr;                    // the arrow keys
  void (*click)(Game&, int x, int y) = nullptr;            // a left click in picture pixels
  int32_t ScreenState::*highlight = nullptr;               // what its items set
  PageLayout (*layout)(const MenuLayoutInput&) = nullptr;  // its items
};

const Screen& ScreenOf(GameState state);
// What the log calls a screen ("" for values that name none).
const char* ScreenName(GameState state);

// How a screen hands over to the next: the menu sample, then the new state.
void GoTo(Game& game, GameState state);

// A left click on a page: every item it hits, in turn, becomes the highlight
// and is carried out; a slider knob is held instead.
void ClickPageItems(Game& game, int x, int y);

// The menu layout of the current texts, window, settings and name entry.
MenuLayoutInput MenuLayoutOf(const Game& game);

// Moves the real pointer onto the middle of the item with the given value on
// the current screen (nothing when there is none).
void WarpPointerToItem(Game& game, int value);

}  // namespace nb
