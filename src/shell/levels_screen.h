#pragma once
// The Levels page's actions: opening it, its keys and its choices.
#include "platform/input_events.h"
#include "shell/game.h"

namespace nb {

// Reads what the page shows (titles, replays, the profile's bests in its
// mode) into game.levelsPage, once, so that drawing reads no files.
void ReadLevelsPage(Game& game);

// Reads the page and goes to it with the furthest open level highlighted.
void EnterLevelsPage(Game& game);

// Enter or a click: an open level is practised, its Watch label plays its
// replay, Back returns to the start-game page; a locked level does nothing.
void ChooseLevels(Game& game);

// The arrows (see StepLevelsHighlight); the pointer follows the highlight.
void LevelsArrows(Game& game, Key key);

// The level the page describes follows the highlight, and stays when it
// moves to Back.
void FollowLevelsHighlight(ScreenState& screen);

}  // namespace nb
