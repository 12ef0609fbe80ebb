// The play screen's draw: it reads the game and issues draw calls, nothing more.
#include <algorithm>
#include <cstdio>

#include "core/keyframe_curve.h"
#include "render/sprites.h"
#include "shell/run_recording.h"
#include "shell/screens/menu_pages.h"
#include "shell/screens/play_overlays.h"
#include "shell/screens/play_screen.h"
#include "shell/screens/scene.h"
#include "shell/screens/splash_frame.h"
#include "text/text_drawing.h"

namespace nb {

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr int kLogoWidth = 323;
constexpr int kLogoHeight = 73;

float Width(const Game& game) { return static_cast<float>(game.settings.width); }
float Height(const Game& game) { return static_cast<float>(game.settings.height); }

// A text with a black shadow two pixels down and right.
void ShadowedText(BitmapFont* font, const char* text, float x, float y, int align, uint32_t colour) {
  if (font) DrawTextAligned(text, x, y, *font, align, colour, 2, 2);
}

void Text(BitmapFont* font, const char* text, float x, float y, int align, uint32_t colour) {
  if (font) DrawTextAligned(text, x, y, *font, align, colour, 0, 0);
}

// The caption that rises and sinks over the middle of the screen.
void DrawCaption(const Game& game, const char* text, float lift) {
  Text(game.fonts.ExtraLargeFont.get(), text, Width(game) / 2, Height(game) / 2 - lift - 50, AlignCenter,
       kWhite);
}

void DrawHeadUpDisplay(const Game& game) {
  BitmapFont* font = game.fonts.LargeFont.get();
  const LevelPlayState& play = game.world.play;
  const float w = Width(game), h = Height(game);
  char text[256];

  std::snprintf(text, sizeof text, "%s %i", game.texts.Text(TextId::TimeLabel).c_str(),
                game.world.level.timeLimit);
  ShadowedText(font, text, w, 0, AlignRight, kWhite);
  if (game.world.level.timeLimit < 10) {
    const int alpha = EvaluateCurveInt(game.animations.timeleft, play.timePulse);
    ShadowedText(font, text, w, 0, AlignRight, WithAlpha(0xFF0000, alpha));
  }
  if (play.speedTimer > 0) {
    std::snprintf(text, sizeof text, "%s %i", game.texts.Text(TextId::SpeedBonusLabel).c_str(),
                  play.speedTimer);
    ShadowedText(font, text, w / 2, 0, AlignCenter, kWhite);
  }
  std::snprintf(text, sizeof text, "%s %i", game.texts.Text(TextId::LivesLabel).c_str(),
                CurrentLives(ActiveProfiles(game)));
  ShadowedText(font, text, 0, 0, AlignLeft, kWhite);
  std::snprintf(text, sizeof text, "%s %i", game.texts.Text(TextId::ScoreLabel).c_str(),
                CurrentScore(ActiveProfiles(game)));
  ShadowedText(font, text, w, h - 30, AlignRight, kWhite);
  std::snprintf(text, sizeof text, "%s %i", game.texts.Text(TextId::LevelLabel).c_str(),
                CurrentLevel(ActiveProfiles(game)));
  ShadowedText(font, text, 0, h - 30, AlignLeft, kWhite);
}

void DrawFullScreenFade(const Game& game, int alpha) {
  if (GraphicsDevice* d = Device(game)) DrawFadeRect(*d, game.store, alpha, 0, 0, Width(game), Height(game));
}

void DrawLevelWon(const Game& game) {
  const World& w = game.world;
  const LevelPlayState& play = w.play;
  if (!play.levelWon || FinishesGame(game)) return;
  const float lift = EvaluateCurve(game.animations.up, std::min(4 * play.tallyCounter, 255));
  DrawCaption(game, game.texts.Text(TextId::LevelComplete).c_str(), lift);
  if (play.tallyCounter > 64 && play.tallyFade > 0)
    DrawFullScreenFade(game, static_cast<int>(std::min<uint32_t>(play.tallyFade, 255)));
}

void DrawLevelIntro(const Game& game) {
  const World& w = game.world;
  const LevelPlayState& play = w.play;
  if (play.introFrames <= 100 || w.ball.moving || !play.startSoundPlayed) return;
  char caption[256];
  std::snprintf(caption, sizeof caption, "%s %i", game.texts.Text(TextId::LevelLabel).c_str(),
                CurrentLevel(ActiveProfiles(game)));
  DrawCaption(game, caption, EvaluateCurve(game.animations.up, play.introCounter));
  if (game.screen.gameState == GameState::Playing && w.ball.ready)
    Text(game.fonts.LargeFont.get(), game.texts.Text(TextId::ClickToStart).c_str(), Width(game) / 2,
         Height(game) / 2 + 50, AlignCenter, WithAlpha(0xFFFFFF, play.promptAlpha));
}

void DrawLoadingScreen(const Game& game, GraphicsDevice& d) {
  const LevelPlayState& play = game.world.play;
  const float w = Width(game), h = Height(game);
  if (play.introFrames < 100) {
    DrawFullScreenFade(game, 255);
    const float lift = EvaluateCurve(game.animations.up, static_cast<float>(5 * play.introFrames));
    SpriteRect logo = StartupSpriteRect(SpritePanel, game.settings.width, game.settings.height);
    logo.x = w / 2 - 161;
    logo.y = 230 - lift;
    logo.w = kLogoWidth;
    logo.h = kLogoHeight;
    RefillSprite(game.store, d, SpritePanel, logo);
    d.SetTexture(0, game.catalogue.Texture(TextureKey::Texture));
    DrawSprite(d, game.store, SpritePanel, true);
    if (play.introFrames >= 51) {
      char text[64];
      std::snprintf(text, sizeof text, "%s %i", game.texts.Text(TextId::LoadingLabel).c_str(),
                    2 * play.introFrames - 100);
      Text(game.fonts.SmallFont.get(), text, w / 2, h / 2, AlignCenter, kWhite);
    }
  }
  if (play.introFrames >= 100 && play.introFrames <= 130)
    DrawFullScreenFade(game, 1055 - 8 * play.introFrames);
}

}  // namespace

void DrawStatusTexts(const Game& game) {
  BitmapFont* font = game.fonts.LargeFont.get();
  DrawStatusMessages(game.world.messages, [font](const StatusTextDraw& t) {
    if (font) DrawText(*font, static_cast<float>(t.x), static_cast<float>(t.y), t.argb, t.text);
  });
}

void DrawPlayScreen(const Game& game, const FrameInput& input) {
  GraphicsDevice* device = Device(game);
  if (!device) return;
  ApplyCamera(game.camera, *device);
  const bool begun = BeginFrame(game.render, 0);
  if (begun) {
    DrawPlayScene(game, input.nowMs);
    DrawStatusTexts(game);
    DrawHeadUpDisplay(game);
    DrawLevelWon(game);
    DrawLevelIntro(game);
    DrawPlayOverlays(game);
    DrawFpsCounter(game);
    DrawLoadingScreen(game, *device);
    device->SetTexture(0, game.catalogue.Texture(TextureKey::Texture));
    DrawMouseCursor(*device, game.store, SpriteCursor, input.pointerX, input.pointerY);
  }
  EndFrame(game.render, begun);
}

}  // namespace nb
