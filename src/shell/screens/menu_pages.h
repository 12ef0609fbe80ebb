#pragma once
// The menu screens other than the main menu, each drawn whole for its fade
// level f (0..255): the title lifted by the `up` curve, the items slid
// sideways by the `input` curve, the highlighted item in orange. They only
// draw; the highlights are moved by the pointer and the keyboard. The
// options and help pages are declared with the play overlays, which share them.
#include <cstdint>
#include <string>
#include <vector>

#include "menus/localized_texts.h"
#include "menus/menu_boxes.h"
#include "persistence/records.h"
#include "shell/run_frame.h"
#include "shell/screens/play_overlays.h"

namespace nb {

struct Game;
struct MenuState;
struct BitmapFont;

constexpr uint32_t kTitleRed = 0xFFFF0000;
constexpr uint32_t kItemWhite = 0xFFFFFFFF;
constexpr uint32_t kHighlightOrange = 0xFFFFC800;
constexpr uint32_t kShadowBlack = 0xFF000000;

void DrawInfoPage(const Game& game, int level);
void DrawQuitPage(const Game& game, int level);
void DrawStartGamePage(const Game& game, int level);
void DrawNewGamePage(const Game& game, int level);
void DrawRecordsPage(const Game& game, int level);
void DrawPlayersPage(const Game& game, int level);
// The level grid, the highlighted level's title and best, the mode (menu_pages_levels.cpp).
void DrawLevelsPage(const Game& game, int level);

// --- Pieces the pages, the menu frame and the overlays share --------------

// A colour with its alpha replaced by the level (clamped to 0..255).
uint32_t WithAlpha(uint32_t colour, int level);

// Items slide in from alternating sides: -1 for even indices, +1 for odd.
inline int SlideSign(int index) { return index % 2 == 0 ? -1 : 1; }

// The `up` and `input` curves at a fade level, truncated to whole pixels.
int TitleLift(const Game& game, int level);
int ItemOffset(const Game& game, int level);

// Text through DrawTextAligned when the font exists; shadowed texts get a
// black copy at (+2, +2) first.
void DrawMenuText(const std::string& text, float x, float y, BitmapFont* font, int alignment, uint32_t colour,
                  bool shadow = true);
// Width of a general text as laid out (0 when there is none).
float GeneralTextWidth(const Game& game, TextId id);

// The records table copied and sorted highest score first.
std::vector<RecordEntry> RecordsForDisplay(const RecordsTable& records);

// The caret of the name entry: toggles when more than 100 ms have passed
// since its last toggle. Returns whether it is on.
bool UpdateCaret(MenuState& menus, uint32_t nowMs);

// The help picture's sprite for a page: page 0 alternates between its two
// columns every 128 updates of its own counter.
int HelpPictureSprite(const MenuState& menus, int page);

// The per-update animations of the options and help pages while they show
// (a level of -1 stands for hidden): a held slider's knob follows the
// pointer, and the help picture's counter runs on page 0.
void UpdateSharedPages(Game& game, const FrameInput& input, int optionsLevel, int helpLevel);

}  // namespace nb

namespace nb {

// While a slider's knob is held: the highlight follows the pointer once more
// and the slider (left edge at its origin + o) takes the pointer's x.
void DragHeldSliders(Game& game, int pointerX, int pointerY, int offset);

// The knob's left edge for a volume with the slider slid by o: drawn on
// whole pixels, so up to a pixel left of where its box is hit.
inline int SliderKnobX(int volume, int offset) {
  return static_cast<int>(kSliderLeft) + offset + 5 + 185 * volume / 100;
}

}  // namespace nb
