#pragma once
#include <cstdint>

namespace nb {

struct Game;
struct MenuState;
enum class GameState : int32_t;

// One frame of the screens whose row in the screen table names the menu frame.
void RunMenuFrame(Game& game);

// The pieces of a menu frame, in its order, for callers and tests that need
// one of them alone.

// Each screen's fade level: +5 while its state is current and it is below
// 254, otherwise down by the factor 0.90909088 (truncated) while above 0.
void StepMenuFades(MenuState& menus, GameState gameState);
// One level's step.
int32_t StepFadeLevel(int32_t level, bool current);
// A screen's fade level one frame after it was left: 255 -> 231 -> 209 -> ...
int32_t DecayFadeLevel(int32_t level);

// The black over the whole frame after a return to the main menu: the
// counter's next value's alpha 255 - 4 * counter while below 61, else -1
// (nothing drawn). The counter wraps from 600 to 61.
int AdvanceMenuFadeIn(MenuState& menus);

// The sideways offset of main-menu item i for the curve offset o: items 0
// and 1 use -o, 2 and 3 +o, and so on.
int MainMenuItemOffset(int index, int o);

// The logo and the main-menu items, drawn whatever the main menu's level.
void DrawMenuLogo(Game& game);
void DrawMainMenuItems(Game& game);

}  // namespace nb
