#pragma once
#include <vector>

#include "core/screen_state.h"
#include "menus/localized_texts.h"

namespace nb {

struct LevelsPage;

// A screen rectangle; a point hits it only when strictly inside.
struct Box {
  float left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(float x, float y) const { return left < x && x < right && top < y && y < bottom; }
  float MiddleX() const { return (left + right) / 2; }
  float MiddleY() const { return (top + bottom) / 2; }
};

// One item of a menu page: where its text is drawn before the page slides it
// (x at the text's alignment, y its top), the box the pointer hits, and the
// highlight value it stands for on that page.
struct PageItem {
  Box box;
  float x = 0, y = 0;
  int value = 0;
  bool hover = true;    // the pointer highlights it
  bool click = true;    // a left click acts on it
  bool silent = false;  // hovering it plays no sample
  bool knob = false;    // a slider knob: a click holds it (the value is its row)
};
// A page's items in test order: a click acts on every item it hits, in turn.
using PageLayout = std::vector<PageItem>;

struct MenuLayoutInput {
  const LocalizedTexts* texts = nullptr;
  int width = 800;  // the window size the texts were laid out for
  int height = 600;
  int profileCount = 0;
  bool nameEntry = false;  // a new player's name is being typed
  bool fullscreen = false;
  bool practice = false;               // a level played alone: its own pause items
  int volumes[3] = {0, 0, 0};          // music, sound, master: where the knobs sit
  const LevelsPage* levels = nullptr;  // the Levels page's levels, when it has been opened
};

// Each page's items, the one source for drawing them and hit-testing them.
PageLayout MainMenuLayout(const MenuLayoutInput& in);
PageLayout InfoLayout(const MenuLayoutInput& in);
PageLayout RecordsLayout(const MenuLayoutInput& in);
// The rows' labels, the knobs, full screen, language, back.
PageLayout OptionsLayout(const MenuLayoutInput& in);
PageLayout PlayersLayout(const MenuLayoutInput& in);
PageLayout StartGameLayout(const MenuLayoutInput& in);
PageLayout NewGameLayout(const MenuLayoutInput& in);
PageLayout ExitLayout(const MenuLayoutInput& in);
PageLayout HelpLayout(const MenuLayoutInput& in);  // back, previous (drawn right-aligned), next
PageLayout PauseLayout(const MenuLayoutInput& in);
// The pause page's items: those of practice when it has its own.
const ItemList<kListCapacity>& PauseItems(const MenuLayoutInput& in);
PageLayout RetryLayout(const MenuLayoutInput& in);  // time up and game over
PageLayout CompletedLayout(const MenuLayoutInput& in);

// The item of a layout with the given value, or nullptr.
const PageItem* FindItem(const PageLayout& layout, int value);

// The volume sliders: the left end of each bar and the line it sits on; each
// label ends this far before its bar, however long it is in its language.
constexpr float kSliderLeft = 400;
constexpr float kSliderLineY[3] = {279, 319, 359};
constexpr float kSliderLabelGap = 16;

}  // namespace nb
