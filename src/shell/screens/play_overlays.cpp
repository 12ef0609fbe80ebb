#include "shell/screens/play_overlays.h"

#include <algorithm>

#include "core/keyframe_curve.h"
#include "render/sprites.h"
#include "shell/game.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/menu_pages.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

float HalfWidth(const Game& game) { return static_cast<float>(game.settings.width) / 2; }
float HalfHeight(const Game& game) { return static_cast<float>(game.settings.height) / 2; }

// The red pulse over a caption: alpha from the `timeleft` curve at the
// screen's counter, which each update moves on by 5.
uint32_t Pulse(const Game& game, uint8_t counter) {
  int alpha = EvaluateCurveInt(game.animations.timeleft, static_cast<float>(counter)) & 0xFF;
  return WithAlpha(0xFF0000, alpha);
}

void DrawPulsingCaption(const Game& game, TextId id, float y, int level, uint32_t pulse) {
  BitmapFont* font = game.fonts.ExtraLargeFont.get();
  DrawMenuText(game.texts.Text(id), HalfWidth(game), y, font, AlignCenter, WithAlpha(kItemWhite, level));
  DrawMenuText(game.texts.Text(id), HalfWidth(game), y, font, AlignCenter, pulse);
}

void DarkenPlayfield(const Game& game, int level) {
  if (GraphicsDevice* device = Device(game))
    DrawFadeRect(*device, game.store, level / 2, 0, 0, static_cast<float>(game.settings.width),
                 static_cast<float>(game.settings.height));
}

// Time up and game over: the highlighted item slides one way, the others the other.
void DrawTimeLeftScreen(const Game& game, int level, TextId caption, uint8_t pulseCounter) {
  DarkenPlayfield(game, level);
  int c = TitleLift(game, level), o = ItemOffset(game, level);
  DrawPulsingCaption(game, caption, HalfHeight(game) - 60 - static_cast<float>(c), level,
                     Pulse(game, pulseCounter));
  const ItemList<kListCapacity>& list = game.texts.timeLeft;
  PageLayout items = RetryLayout(MenuLayoutOf(game));
  for (int i = 0; i < list.count; ++i) {
    bool lit = i == game.screen.menuHighlight;
    DrawMenuText(list.items[i].text, items[i].x + static_cast<float>(lit ? o : -o), items[i].y,
                 game.fonts.LargeFont.get(), AlignCenter,
                 WithAlpha(lit ? kHighlightOrange : kItemWhite, level));
  }
}

struct Overlay {
  GameState state;
  OverlayFade fade;
  int step;
  void (*draw)(const Game&, int);
  uint8_t MenuState::*pulse;
};
constexpr Overlay kOverlays[] = {
    {GameState::PauseMenu, FadePause, 10, DrawPauseScreen, nullptr},
    {GameState::HelpInPlay, FadeHelp, 10, DrawHelpPage, nullptr},
    {GameState::GameCompletedScreen, FadeCompleted, 10, DrawGameCompletedScreen, &MenuState::completedPulse},
    {GameState::OptionsInPlay, FadeOptions, 10, DrawOptionsPage, nullptr},
    {GameState::GameOverScreen, FadeGameOver, 5, DrawGameOverScreen, &MenuState::gameOverPulse},
    {GameState::TimeUpScreen, FadeTimeUp, 5, DrawTimeUpScreen, &MenuState::timeUpPulse},
};

}  // namespace

void UpdatePlayOverlays(Game& game, const FrameInput& input) {
  int32_t* fades = game.world.play.fades;
  for (const Overlay& o : kOverlays) {
    int32_t& level = fades[o.fade];
    if (game.screen.gameState == o.state) {
      if (o.step == 10)
        level = std::min(level + 10, 255);
      else if (level < 254)
        level += 5;
    } else {
      level = DecayFadeLevel(level);
    }
    if (o.pulse && level > 0) game.menus.*o.pulse = static_cast<uint8_t>(game.menus.*o.pulse + 5);
  }
  UpdateSharedPages(game, input, fades[FadeOptions] > 0 ? fades[FadeOptions] : -1,
                    fades[FadeHelp] > 0 ? fades[FadeHelp] : -1);
}

void DrawPlayOverlays(const Game& game) {
  for (const Overlay& o : kOverlays)
    if (game.world.play.fades[o.fade] > 0) o.draw(game, game.world.play.fades[o.fade]);
}

void DrawPauseScreen(const Game& game, int level) {
  int c = TitleLift(game, level), o = ItemOffset(game, level);
  DrawMenuText(game.texts.Text(TextId::PauseTitle), HalfWidth(game),
               HalfHeight(game) - 120 - static_cast<float>(c), game.fonts.ExtraLargeFont.get(), AlignCenter,
               WithAlpha(kTitleRed, level));
  const MenuLayoutInput in = MenuLayoutOf(game);
  const ItemList<kListCapacity>& list = PauseItems(in);
  PageLayout items = PauseLayout(in);
  for (int i = 0; i < list.count; ++i) {
    bool lit = i == game.screen.menuHighlight;
    DrawMenuText(list.items[i].text, items[i].x + static_cast<float>(SlideSign(i) * o), items[i].y,
                 game.fonts.LargeFont.get(), AlignCenter,
                 WithAlpha(lit ? kHighlightOrange : kItemWhite, level));
  }
}

void DrawGameOverScreen(const Game& game, int level) {
  DrawTimeLeftScreen(game, level, TextId::GameOver, game.menus.gameOverPulse);
}

void DrawTimeUpScreen(const Game& game, int level) {
  DrawTimeLeftScreen(game, level, TextId::TimeIsUp, game.menus.timeUpPulse);
}

void DrawGameCompletedScreen(const Game& game, int level) {
  DarkenPlayfield(game, level);
  int c = TitleLift(game, level);
  uint32_t pulse = Pulse(game, game.menus.completedPulse);
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
