#include "shell/screens/play_overlays.h"

#include "core/keyframe_curve.h"
#include "render/sprites.h"
#include "shell/game.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_pages.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

float HalfWidth(const Game& game) { return static_cast<float>(game.settings.width) / 2; }
float HalfHeight(const Game& game) { return static_cast<float>(game.settings.height) / 2; }

// The red pulse over a caption: alpha from the `timeleft` curve at the
// screen's counter, which then moves on by 5.
uint32_t NextPulse(const Game& game, uint8_t& counter) {
  int alpha = EvaluateCurveInt(game.animations.timeleft, static_cast<float>(counter)) & 0xFF;
  counter = static_cast<uint8_t>(counter + 5);
  return WithAlpha(0xFF0000, alpha);
}

void DrawPulsingCaption(Game& game, TextId id, float y, int level, uint32_t pulse) {
  BitmapFont* font = game.fonts.ExtraLargeFont.get();
  DrawMenuText(game.texts.Text(id), HalfWidth(game), y, font, AlignCenter, WithAlpha(kItemWhite, level));
  DrawMenuText(game.texts.Text(id), HalfWidth(game), y, font, AlignCenter, pulse);
}

void DarkenPlayfield(Game& game, int level) {
  if (GraphicsDevice* device = Device(game))
    DrawFadeRect(*device, game.store, level / 2, 0, 0, static_cast<float>(game.settings.width),
                 static_cast<float>(game.settings.height));
}

// Time up and game over: the highlighted item slides one way, the others the other.
void DrawTimeLeftScreen(Game& game, int level, TextId caption, uint8_t& pulseCounter) {
  DarkenPlayfield(game, level);
  int c = TitleLift(game, level), o = ItemOffset(game, level);
  DrawPulsingCaption(game, caption, HalfHeight(game) - 60 - static_cast<float>(c), level,
                     NextPulse(game, pulseCounter));
  const ItemList<kListCapacity>& list = game.texts.timeLeft;
  PageLayout items = RetryLayout(MenuLayoutOf(game));
  for (int i = 0; i < list.count; ++i) {
    bool lit = i == game.screen.menuHighlight;
    DrawMenuText(list.items[i].text, items[i].x + static_cast<float>(lit ? o : -o), items[i].y,
                 game.fonts.LargeFont.get(), AlignCenter,
                 WithAlpha(lit ? kHighlightOrange : kItemWhite, level));
  }
}

}  // namespace

void DrawPauseScreen(Game& game, int level) {
  int c = TitleLift(game, level), o = ItemOffset(game, level);
  DrawMenuText(game.texts.Text(TextId::PauseTitle), HalfWidth(game),
               HalfHeight(game) - 120 - static_cast<float>(c), game.fonts.ExtraLargeFont.get(), AlignCenter,
               WithAlpha(kTitleRed, level));
  const ItemList<kListCapacity>& list = game.texts.pause;
  PageLayout items = PauseLayout(MenuLayoutOf(game));
  for (int i = 0; i < list.count; ++i) {
    bool lit = i == game.screen.menuHighlight;
    DrawMenuText(list.items[i].text, items[i].x + static_cast<float>(SlideSign(i) * o), items[i].y,
                 game.fonts.LargeFont.get(), AlignCenter,
                 WithAlpha(lit ? kHighlightOrange : kItemWhite, level));
  }
}

void DrawGameOverScreen(Game& game, int level) {
  DrawTimeLeftScreen(game, level, TextId::GameOver, game.menus.gameOverPulse);
}

void DrawTimeUpScreen(Game& game, int level) {
  DrawTimeLeftScreen(game, level, TextId::TimeIsUp, game.menus.timeUpPulse);
}

void DrawGameCompletedScreen(Game& game, int level) {
  DarkenPlayfield(game, level);
  int c = TitleLift(game, level);
  uint32_t pulse = NextPulse(game, game.menus.completedPulse);
  DrawPulsingCaption(game, TextId::Congratulations, HalfHeight(game) - 120 - static_cast<float>(c), level,
                     pulse);
  DrawPulsingCaption(game, TextId::AllLevelsDone, HalfHeight(game) - 60 - static_cast<float>(c), level,
                     pulse);
  const ItemList<kListCapacity>& list = game.texts.winner;
  PageLayout items = CompletedLayout(MenuLayoutOf(game));
  for (int i = 0; i < list.count; ++i) {
    bool lit = i == game.screen.menuHighlight;
    DrawMenuText(list.items[i].text, items[i].x, items[i].y, game.fonts.LargeFont.get(), AlignCenter,
                 WithAlpha(lit ? kHighlightOrange : kItemWhite, level));
  }
}

}  // namespace nb
