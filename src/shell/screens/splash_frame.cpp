#include "shell/screens/splash_frame.h"

#include <cstdio>

#include "core/keyframe_curve.h"
#include "render/sprites.h"
#include "shell/run_frame.h"
#include "text/text_drawing.h"

namespace nb {

void SplashFrame(Game& game, uint32_t nowMs) {
  RestoreDeviceIfLost(game.render);
  float t = static_cast<float>(static_cast<uint32_t>(nowMs - game.startTimeMs));
  int32_t fade = EvaluateCurveInt(game.animations.logo1, t) & 0xFF;
  if (fade == 255 ||
      (game.animations.logo1.valueKeys.empty() && nowMs - game.startTimeMs >= kSplashFallbackMs)) {
    GoToMainMenu(game);
    MusicAfterSplash(game.audio, false);
  }
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

void DrawFpsCounter(Game& game) {
  if (!game.settings.showFps || !game.fonts.SmallFont) return;
  char text[32];
  std::snprintf(text, sizeof text, "FPS: %i", static_cast<int>(game.currentFps));
  DrawText(*game.fonts.SmallFont, 0, 48, 0x80808080, text);
}

}  // namespace nb
