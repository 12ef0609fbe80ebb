#include "shell/screens/play_screen.h"

#include <algorithm>
#include <cstdio>

#include "core/keyframe_curve.h"
#include "gameplay/element_animations.h"
#include "gameplay/level_setup.h"
#include "gameplay/scoring.h"
#include "gameplay/world_step.h"
#include "platform/window.h"
#include "render/sprites.h"
#include "shell/menu_commands.h"
#include "shell/run_frame.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/play_overlays.h"
#include "shell/screens/pointer_tracking.h"
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

uint32_t WithAlpha(uint32_t rgb, int alpha) {
  return static_cast<uint32_t>(std::clamp(alpha, 0, 255)) << 24 | (rgb & 0xFFFFFF);
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
                CurrentLives(game.profiles));
  ShadowedText(font, text, 0, 0, AlignLeft, kWhite);
  std::snprintf(text, sizeof text, "%s %i", game.texts.Text(TextId::ScoreLabel).c_str(),
                CurrentScore(game.profiles));
  ShadowedText(font, text, w, h - 30, AlignRight, kWhite);
  std::snprintf(text, sizeof text, "%s %i", game.texts.Text(TextId::LevelLabel).c_str(),
                CurrentLevel(game.profiles));
  ShadowedText(font, text, 0, h - 30, AlignLeft, kWhite);
}

void DrawStatusTexts(const Game& game) {
  BitmapFont* font = game.fonts.LargeFont.get();
  DrawStatusMessages(game.world.messages, [font](const StatusTextDraw& t) {
    if (font) DrawText(*font, static_cast<float>(t.x), static_cast<float>(t.y), t.argb, t.text);
  });
}

void DrawFullScreenFade(const Game& game, int alpha) {
  if (GraphicsDevice* d = Device(game)) DrawFadeRect(*d, game.store, alpha, 0, 0, Width(game), Height(game));
}

// The next level after the tally: statistics written, the world reset and
// the level started from a camera high above its home view.
void StartNextLevel(Game& game) {
  World& w = game.world;
  LevelPlayState& play = w.play;
  GameplayContext ctx = Gameplay(game);
  AppendLevelStatistics(w.stats);
  w.stats = LevelStats{};
  if (CurrentLevel(ctx) < game.levelCount) SetCurrentLevel(ctx, CurrentLevel(ctx) + 1);
  SetCameraNow(game.camera, w.level.homeEye, w.level.homeTarget, 45);
  play.warned = false;
  play.levelWon = false;
  w.ball.moving = false;
  StepWorld(w, ctx);
  play.fades[FadeOptions] = play.fades[FadePause] = 0;
  play.fades[FadeGameOver] = play.fades[FadeTimeUp] = 0;
  play.tallyCounter = 0;
  play.tallyFade = 0;
  play.startSoundPlayed = false;
  const Vec3 eye = w.level.homeEye;
  SetCameraNow(game.camera, {eye.x, eye.y + 1500, eye.z - 300}, w.level.homeTarget, 45);
  StartLevelOrMainMenu(game);  // a missing or damaged next level leads back to the menu
}

}  // namespace

void UpdatePlayCursor(Game& game, int pointerX, int pointerY) {
  float x = game.cursor.pointX, z = game.cursor.pointZ;
  PickGroundPoint(game.camera, pointerX, pointerY, game.settings.width, game.settings.height, 0, 0, 0, &x,
                  &z);
  game.cursor = ComputeCursorCell(x, z);
  LevelPlayState& play = game.world.play;
  play.cursorSparkle = static_cast<uint8_t>(play.cursorSparkle + 1);
  if (play.cursorSparkle > 20) {
    Particle sparkle = game.particles.templates[static_cast<int>(ParticleTemplate::CursorSparkle)];
    sparkle.position = {x, 0, z};
    EmitParticle(game.particles, sparkle);
    play.cursorSparkle = 0;
  }
}

void SteerPlayCamera(Game& game) {
  World& w = game.world;
  const Vec3 target = w.level.homeTarget;
  if (game.screen.gameState == GameState::Playing) {
    // The eye leans towards the cell under the mouse.
    const float ex =
        (static_cast<float>(game.cursor.row) * 0.5f + static_cast<float>(w.level.rows) * 0.25f) * 50;
    const float ez =
        (static_cast<float>(game.cursor.col) * 0.5f + static_cast<float>(w.level.cols) * 0.25f) * 50;
    if (w.ball.moving) MoveCameraTo(game.camera, {ex, 1200, ez}, target, 45);
    if (w.ball.falling) {
      const float shake = 100.0f * static_cast<float>(game.rng.Rand()) / 32767.0f - 50.0f;
      SetCameraNow(game.camera, {ex, 1200 + shake, ez}, target, 45);
    }
  } else {
    const Vec3 home = w.level.homeEye;
    MoveCameraTo(game.camera, {home.x, 1500, home.z - 3000}, target, 45);
  }
}

void RunPlayRules(Game& game, float nowSeconds) {
  if (game.screen.gameState != GameState::Playing) return;
  World& w = game.world;
  GameplayContext ctx = Gameplay(game);
  if (StepPlayFrame(w, ctx, nowSeconds - w.play.lastSecond > 1.0f)) w.play.lastSecond = nowSeconds;
}

void WarnAtTenSecondsLeft(Game& game) {
  World& w = game.world;
  if (w.level.timeLimit == 10 && !w.play.warned) {
    PlaySound(game, SoundId::TimeEnd);
    w.play.warned = true;
  }
}

void UpdateLevelWon(Game& game) {
  World& w = game.world;
  LevelPlayState& play = w.play;
  if (!play.levelWon) return;
  GameplayContext ctx = Gameplay(game);
  MoveCameraTo(game.camera, w.level.homeEye, w.level.homeTarget, 45);
  if (CurrentLevel(ctx) == game.levelCount) {
    // The last level: every second left becomes 100 points on the way to
    // the game-completed screen.
    game.screen.gameState = GameState::GameCompletedScreen;
    if (w.level.timeLimit > 1) {
      PlaySound(game, SoundId::WallHit);
      w.level.timeLimit -= 1;
      AddScore(w, ctx, 100);
    }
  } else {
    if (play.tallyCounter <= 64) {
      play.tallyCounter += 1;
      if (play.tallyCounter == 64) w.stats.counters[StatSecondsLeft] = w.level.timeLimit;
    }
    if (play.tallyCounter > 64) {
      if (w.level.timeLimit > 1) {
        PlaySound(game, SoundId::WallHit);
        w.level.timeLimit -= 1;
        AddScore(w, ctx, 111);
      } else {
        play.tallyFade += 4;
      }
    }
  }
  if (play.tallyFade > 254) StartNextLevel(game);
}

void UpdateLevelIntro(Game& game) {
  World& w = game.world;
  LevelPlayState& play = w.play;
  if (play.introFrames <= 100 || w.ball.moving) return;
  if (!play.startSoundPlayed) {
    PlaySound(game, SoundId::Start);
    play.introCounter = 0;
    play.introPhase = 0;
    play.startSoundPlayed = true;
  }
  CameraState& cam = game.camera;
  if (play.introPhase == 0) {
    if (play.introCounter == 0)
      MoveCameraTo(cam, {cam.eyeTarget.x, 900, cam.eyeTarget.z}, cam.lookAtTarget, cam.fovTarget);
    play.introCounter = static_cast<uint8_t>(play.introCounter + 2);
    if (play.introCounter > 253) play.introPhase = 1;
  } else if (play.introPhase == 1) {
    play.introCounter = static_cast<uint8_t>(play.introCounter - 2);
    if (play.introCounter < 3) {
      play.introPhase = 3;
      w.ball.ready = true;
    }
  } else if (play.introPhase == 3) {
    play.promptAlpha = static_cast<uint8_t>(std::min(play.promptAlpha + 5, 255));
  }
  if (game.screen.gameState == GameState::Playing && w.ball.ready)
    MoveCameraTo(cam, w.level.homeEye, w.level.homeTarget, 45);
}

void UpdateLoadingScreen(Game& game) {
  LevelPlayState& play = game.world.play;
  play.introFrames += 1;
  if (play.introFrames == 130) MusicAfterLoading(game.audio);
  if (play.introFrames >= 600) play.introFrames = 131;
}

void UpdatePlayScreen(Game& game, const FrameInput& input) {
  if (!game.settings.fullscreen) ShowSystemPointer(input.pointerY < 0);
  TrackMenuPointerAt(game, input.pointerX, input.pointerY);
  UpdatePlayCursor(game, input.pointerX, input.pointerY);
  // Before the world step, so that a message shown in this update is drawn at its full time.
  AgeStatusMessages(game.world.messages);
  RunPlayRules(game, static_cast<float>(input.nowMs) * 0.001f);
  SteerPlayCamera(game);
  StepCamera(game.camera, game.settings.width, game.settings.height);
  AdvanceElementAnimations(game.world.level, game.world.play);
  AdvanceCloudCounter(game.scene);
  AdvanceElementPulses(game.scene);
  game.particles.wind = ParticleWind(input.nowMs, input.nowMs);
  StepParticles(game.particles, 1.0f);
  LevelPlayState& play = game.world.play;
  if (game.world.level.timeLimit < 10) play.timePulse = static_cast<uint8_t>(play.timePulse + 5);
  WarnAtTenSecondsLeft(game);
  UpdateLevelWon(game);
  UpdateLevelIntro(game);
  UpdatePlayOverlays(game, input);
  UpdateLoadingScreen(game);
}

// --- The draw: reads the game, changes nothing ------------------------------

namespace {

void DrawLevelWon(const Game& game) {
  const World& w = game.world;
  const LevelPlayState& play = w.play;
  if (!play.levelWon || CurrentLevel(game.profiles) == game.levelCount) return;
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
                CurrentLevel(game.profiles));
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
