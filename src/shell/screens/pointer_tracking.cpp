#include "shell/screens/pointer_tracking.h"

#include "shell/screen_table.h"

namespace nb {

void TrackMenuPointerAt(Game& game, int x, int y) {
  const Screen& screen = ScreenOf(game.screen.gameState);
  if (!screen.highlight || !screen.layout) return;
  int32_t& highlight = game.screen.*screen.highlight;
  for (const PageItem& item : screen.layout(MenuLayoutOf(game))) {
    if (!item.hover || !item.box.Contains(static_cast<float>(x), static_cast<float>(y))) continue;
    if (highlight != item.value && !item.silent) PlaySound(game, SoundId::MenuOnClick);
    highlight = item.value;
  }
}

}  // namespace nb
