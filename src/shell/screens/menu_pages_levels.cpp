// The Levels page: the title and the mode above, the grid of level numbers
// (locked ones dimmed, a Watch label under those with a stored best run), the
// described level's title and best below, then Back.
#include <algorithm>

#include "shell/game.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_pages.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

constexpr uint32_t kLockedGrey = 0xFF7F7F7F;

uint32_t Faded(uint32_t colour, int level, int share = 1) { return WithAlpha(colour, level / share); }

// The described level's title (or its number) and the profile's best in this mode.
void DrawLevelInfo(const Game& game, const LevelsGrid& g, int level, int o) {
  const LevelsPage& page = game.levelsPage;
  const int described = game.screen.levelsLevel;
  if (described < 1 || described > std::min(page.open, static_cast<int>(page.levels.size()))) return;
  const LevelEntry& entry = page.levels[static_cast<size_t>(described - 1)];
  const float mid = static_cast<float>(game.settings.width) / 2;
  std::string title = game.texts.Text(TextId::LevelLabel) + " " + std::to_string(described);
  if (!entry.title.empty()) title += ": " + entry.title;
  DrawMenuText(title, mid - static_cast<float>(o), g.levelTitleY, game.fonts.LargeFont.get(), AlignCenter,
               Faded(kHighlightOrange, level));
  const std::string best =
      entry.won ? FillNumbers(game.texts.Text(TextId::BestResult), entry.secondsLeft, entry.points)
                : game.texts.Text(TextId::NotWonYet);
  DrawMenuText(best, mid + static_cast<float>(o), g.bestY, game.fonts.LargeFont.get(), AlignCenter,
               Faded(kItemWhite, level));
}

}  // namespace

void DrawLevelsPage(const Game& game, int level) {
  const float mid = static_cast<float>(game.settings.width) / 2;
  const LevelsPage& page = game.levelsPage;
  const LevelsGrid g =
      LevelsGeometry(static_cast<int>(page.levels.size()), static_cast<float>(game.settings.width));
  const int u = TitleLift(game, level), o = ItemOffset(game, level);
  DrawMenuText(game.texts.Text(TextId::LevelsTitle), mid, g.titleY - static_cast<float>(u),
               game.fonts.ExtraLargeFont.get(), AlignCenter, Faded(kTitleRed, level));
  const int mode = std::clamp(page.mode, 0, kListCapacity - 1);
  DrawMenuText(game.texts.Text(TextId::GameMode) + ": " + game.texts.newGame.items[mode].text, mid,
               g.modeY - static_cast<float>(u), game.fonts.LargeFont.get(), AlignCenter,
               Faded(kItemWhite, level));

  const int32_t highlight = game.screen.levelsHighlight;
  const PageLayout layout = LevelsLayout(MenuLayoutOf(game));
  for (const PageItem& item : layout) {
    if (item.value == kLevelsBack) continue;
    const int row = (LevelOfHighlight(item.value) - 1) / std::max(g.columns, 1);
    const float x = item.x + static_cast<float>(SlideSign(row) * o);
    const bool lit = item.value == highlight;
    if (item.value > kLevelsWatch) {
      DrawMenuText(game.texts.Text(TextId::Watch), x, item.y, game.fonts.SmallFont.get(), AlignCenter,
                   Faded(lit ? kHighlightOrange : kItemWhite, level));
      continue;
    }
    const uint32_t colour =
        !item.click ? Faded(kLockedGrey, level, 2) : Faded(lit ? kHighlightOrange : kItemWhite, level);
    DrawMenuText(std::to_string(item.value), x, item.y, game.fonts.LargeFont.get(), AlignCenter, colour,
                 item.click);
  }
  DrawLevelInfo(game, g, level, o);
  if (const PageItem* back = FindItem(layout, kLevelsBack))
    DrawMenuText(game.texts.Text(TextId::Back), back->x, back->y + static_cast<float>(o),
                 game.fonts.LargeFont.get(), AlignCenter,
                 Faded(highlight == kLevelsBack ? kHighlightOrange : kItemWhite, level));
}

}  // namespace nb
