#pragma once
#include <vector>

#include "core/screen_state.h"
#include "menus/localized_texts.h"

namespace nb {

// A screen rectangle; a point hits it only when strictly inside.
struct Box {
  float left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(float x, float y) const { return left < x && x < right && top < y && y < bottom; }
  float MiddleX() const { return (left + right) / 2; }
  float MiddleY() const { return (top + bottom) / 2; }
};

// One thing on a screen the pointer can be over, and the highlight value it
// stands for on that screen.
struct MenuTarget {
  Box box;
  int value = 0;
  bool silent = false;  // hovering it plays no sample
};

struct MenuLayoutInput {
  const LocalizedTexts* texts = nullptr;
  int width = 800;   // the window size the texts were laid out for
  int height = 600;
  int profileCount = 0;
  bool fullscreen = false;
  int volumes[3] = {0, 0, 0};  // music, sound, master: where the knobs sit
};

// The boxes the pointer highlights on a screen (hovering), in test order.
std::vector<MenuTarget> HoverTargets(const MenuLayoutInput& in, GameState gameState);
// The boxes a left click acts on, in test order. On the options screens the
// slider knobs come first with the values 0, 1, 2.
std::vector<MenuTarget> ClickTargets(const MenuLayoutInput& in, GameState gameState);

// The back button: the general back text centred on the window's middle.
Box BackButtonBox(const MenuLayoutInput& in, float top);

// The left end and line of each volume slider, and its knob's box.
constexpr float kSliderLeft = 400;
constexpr float kSliderLineY[3] = {279, 319, 359};
Box SliderKnobBox(int row, int volume);

}  // namespace nb
