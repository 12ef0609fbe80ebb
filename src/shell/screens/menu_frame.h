#pragma once
#include <cstdint>

#include "shell/run_frame.h"

namespace nb {

struct Game;
struct MenuState;
enum class GameState : int32_t;

// The screens whose row in the screen table names the menus: one update
// (the pointer's highlight, the pages' fades, the camera, the clouds, the
// fade-in and the pages' own animations) and one draw, which changes nothing.
void UpdateMenus(Game& game, const FrameInput& input);
void DrawMenus(const Game& game, const FrameInput& input);

// The pieces of the menus' update and draw, for callers and tests that need
// one of them alone.

// Each screen's fade level: +5 while its state is current and it is below
// 254, otherwise down by the factor 0.90909088 (truncated) while above 0.
void StepMenuFades(MenuState& menus, GameState gameState);
// One level's step.
int32_t StepFadeLevel(int32_t level, bool current);
// A screen's fade level one frame after it was left: 255 -> 231 -> 209 -> ...
int32_t DecayFadeLevel(int32_t level);

// The black over the whole frame after a return to the main menu: the
// counter runs on by one per update and wraps from 600 to 61; its alpha is
// 255 - 4 * counter while below 61, else -1 (nothing drawn).
void AdvanceMenuFadeIn(MenuState& menus);
int MenuFadeInAlpha(const MenuState& menus);

// The sideways offset of main-menu item i for the curve offset o: items 0
// and 1 use -o, 2 and 3 +o, and so on.
int MainMenuItemOffset(int index, int o);

// The logo and the main-menu items, drawn whatever the main menu's level.
void DrawMenuLogo(const Game& game);
void DrawMainMenuItems(const Game& game);

}  // namespace nb
