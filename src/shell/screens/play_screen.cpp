#include "shell/screens/play_screen.h"

#include <algorithm>

#include "core/log.h"

#include "gameplay/element_animations.h"
#include "gameplay/level_setup.h"
#include "gameplay/scoring.h"
#include "gameplay/world_step.h"
#include "platform/window.h"
#include "shell/menu_commands.h"
#include "shell/practice.h"
#include "shell/run_recording.h"
#include "shell/screens/play_overlays.h"
#include "shell/screens/pointer_tracking.h"

namespace nb {

namespace {

// The next level after the tally: statistics written, the world reset and
// the level started from a camera high above its home view. Practice and a
// watched replay end on the Levels page instead.
void StartNextLevel(Game& game) {
  World& w = game.world;
  LevelPlayState& play = w.play;
  GameplayContext ctx = Gameplay(game);
  play.tallyCounter = 0;
  play.tallyFade = 0;
  play.levelWon = false;
  if (game.run.kind != RunKind::Game) return LeaveRun(game);
  AppendLevelStatistics(w.stats, PlayerFile(game, "stat.stt"));
  w.stats = LevelStats{};
  if (CurrentLevel(ctx) < game.levelCount) SetCurrentLevel(ctx, CurrentLevel(ctx) + 1);
  SetCameraNow(game.camera, w.level.homeEye, w.level.homeTarget, 45);
  play.warned = false;
  w.ball.moving = false;
  StepWorld(w, ctx);
  play.fades[FadeOptions] = play.fades[FadePause] = 0;
  play.fades[FadeGameOver] = play.fades[FadeTimeUp] = 0;
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

void RunPlayRules(Game& game) {
  World& w = game.world;
  // The level clock runs on the updates' time, paused or not, so that a
  // replay given the same updates counts the same seconds.
  if (w.play.msSinceSecond < (1 << 30)) w.play.msSinceSecond += static_cast<int32_t>(kTickMs);
  if (game.screen.gameState != GameState::Playing) return;
  GameplayContext ctx = Gameplay(game);
  if (StepPlayFrame(w, ctx, w.play.msSinceSecond > 1000)) w.play.msSinceSecond = 0;
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
  if (FinishesGame(game)) {
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
      LogPrintf("Level %d: the ball waits for its click\n", CurrentLevel(ActiveProfiles(game)));
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
  ShowSystemPointer(PointerOffPicture(game, input));
  TrackMenuPointerAt(game, input.pointerX, input.pointerY);
  BeforePlayUpdate(game);
  if (game.run.kind != RunKind::Watch) UpdatePlayCursor(game, input.pointerX, input.pointerY);
  // Before the world step, so that a message shown in this update is drawn at its full time.
  AgeStatusMessages(game.world.messages);
  RunPlayRules(game);
  CountWinOnce(game);
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
  AfterPlayUpdate(game);
  // The next level starts after the whole update, as one chosen in a menu
  // does, so that its updates count from the next one.
  if (play.levelWon && play.tallyFade > 254) StartNextLevel(game);
}

}  // namespace nb
