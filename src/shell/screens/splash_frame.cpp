#include "shell/screens/splash_frame.h"

#include <cstdio>

#include "core/keyframe_curve.h"
#include "render/sprites.h"
#include "shell/run_frame.h"
#include "text/text_drawing.h"

namespace nb {

namespace {

float SplashTime(const Game& game, uint32_t nowMs) {
  return static_cast<float>(static_cast<uint32_t>(nowMs - game.startTimeMs));
}

int32_t SplashFade(const Game& game, uint32_t nowMs) {
  return EvaluateCurveInt(game.animations.logo1, SplashTime(game, nowMs)) & 0xFF;
}

}  // namespace

void UpdateSplash(Game& game, const FrameInput& input) {
  const uint32_t nowMs = input.nowMs;
  if (SplashFade(game, nowMs) == 255 ||
      (game.animations.logo1.valueKeys.empty() && nowMs - game.startTimeMs >= kSplashFallbackMs)) {
    GoToMainMenu(game);
    MusicAfterSplash(game.audio, false);
  }
}

void DrawSplash(const Game& game, const FrameInput& input) {
  const float t = SplashTime(game, input.nowMs);
  const int32_t fade = SplashFade(game, input.nowMs);
  GraphicsDevice* device = Device(game);
  if (!device) return;
  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1.0f, 0);
  if (Succeeded(device->BeginScene())) {
    uint32_t alpha = static_cast<uint32_t>(EvaluateCurveInt(game.animations.logo, t) & 0xFF);
    uint32_t color = alpha << 24 | 0xFFFFFF;
    float w = static_cast<float>(game.settings.width), h = static_cast<float>(game.settings.height);
    if (game.fonts.LargeFont)
      DrawTextAligned("Quorvant", w / 2, h / 2, *game.fonts.LargeFont, AlignCenter, color, 0, 0);
    if (game.fonts.SmallFont)
      DrawTextAligned("Games", w / 2, h / 2 + 30, *game.fonts.SmallFont, AlignCenter, color, 0, 0);
    DrawFadeRect(*device, game.store, fade, 0, 0, w, h);
    device->EndScene();
  }
  device->Present();
}

void DrawFpsCounter(const Game& game) {
  if (!game.settings.showFps || !game.fonts.SmallFont) return;
  char text[32];
  std::snprintf(text, sizeof text, "FPS: %i", static_cast<int>(game.drawRate.rate));
  DrawText(*game.fonts.SmallFont, 0, 48, 0x80808080, text);
  std::snprintf(text, sizeof text, "Updates: %i", static_cast<int>(game.updateRate.rate));
  DrawText(*game.fonts.SmallFont, 0, 64, 0x80808080, text);
}

}  // namespace nb
