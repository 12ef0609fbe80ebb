#include "gameplay/play_actions.h"

#include <cmath>

#include "gameplay/element_animations.h"
#include "gameplay/scoring.h"
#include "gameplay/world_step.h"

namespace nb {

CursorCell ComputeCursorCell(float pointX, float pointZ) {
  CursorCell cursor;
  cursor.pointX = pointX;
  cursor.pointZ = pointZ;
  cursor.row = static_cast<int32_t>(std::trunc((pointX + 25.0f) * 0.02f));
  cursor.col = static_cast<int32_t>(std::trunc((pointZ + 25.0f) * 0.02f));
  const float fx = pointX * 0.02f - static_cast<float>(cursor.row);
  const float fz = pointZ * 0.02f - static_cast<float>(cursor.col);
  const bool sameSign = (fx < 0 && fz < 0) || (fx > 0 && fz > 0);
  cursor.placeKind = sameSign ? ReflectorMain : ReflectorAnti;
  return cursor;
}

namespace {

void PayForReflector(GameplayContext& ctx) {
  if (CurrentScore(ctx) > 0) SetCurrentScore(ctx, CurrentScore(ctx) - 1);
  ctx.events.PlaySample(SoundId::ReflectorSet);
}

void SetReflector(GridCell& cell, int32_t kind, ReflectorPhase phase) {
  cell.kind = kind;
  StartReflectorPhase(cell, phase);
  cell.count = 5;
}

}  // namespace

void HandlePlayClick(World& world, GameplayContext& ctx, int32_t row, int32_t col, int32_t placeKind) {
  BallState& ball = world.ball;
  if (ball.ready) {
    ball.ready = false;
    ball.moving = true;
  }
  if (!ball.moving || !InsideGrid(world.level, row, col)) return;
  if (placeKind != ReflectorAnti && placeKind != ReflectorMain) return;
  GridCell& cell = world.level.cells[row][col];
  switch (cell.kind) {
    case Floor:
    case Start:
      PayForReflector(ctx);
      if (placeKind == ReflectorAnti)
        SetReflector(cell, ReflectorAnti, ReflectorAppearingAnti);
      else
        SetReflector(cell, ReflectorMain, ReflectorAppearingMain);
      break;
    case ReflectorAnti:
      PayForReflector(ctx);
      if (placeKind == ReflectorAnti)
        cell.count = 5;
      else
        SetReflector(cell, ReflectorMain, ReflectorTurningToMain);
      break;
    case ReflectorMain:
      PayForReflector(ctx);
      if (placeKind == ReflectorMain)
        cell.count = 5;
      else
        SetReflector(cell, ReflectorAnti, ReflectorTurningToAnti);
      break;
    default: break;
  }
}

void RemoveReflectorAtCursor(World& world, GameplayContext& ctx, int32_t row, int32_t col) {
  if (!InsideGrid(world.level, row, col)) return;
  world.stats.counters[StatRightClicks] += 1;
  GridCell& cell = world.level.cells[row][col];
  if (cell.kind == ReflectorMain) {
    StartReflectorPhase(cell, ReflectorVanishingMain);
    ctx.events.PlaySample(SoundId::ReflectorRemove);
  } else if (cell.kind == ReflectorAnti) {
    StartReflectorPhase(cell, ReflectorVanishingAnti);
    ctx.events.PlaySample(SoundId::ReflectorRemove);
  }
}

bool CountLevelSecond(World& world, GameplayContext& ctx) {
  LevelPlayState& play = world.play;
  play.bonusSeconds += 1;
  if (play.bonusSeconds > 10) {
    SpawnRandomBonus(world, ctx);
    play.bonusSeconds = 0;
  }
  if (play.speedTimer >= 0) play.speedTimer -= 1;
  world.stats.counters[StatSecondsPlayed] += 1;
  world.level.timeLimit -= 1;
  if (world.level.timeLimit < 1) {
    ctx.events.PlaySample(SoundId::Lost);
    ctx.events.SetGameState(GameState::TimeUpScreen);
    return true;
  }
  return false;
}

bool StepPlayFrame(World& world, GameplayContext& ctx, bool secondDue) {
  StepWorld(world, ctx);
  // A fall that cost the last life has ended the game: the clock stops.
  if (!secondDue || !world.ball.moving || CurrentLives(ctx) < 0) return false;
  CountLevelSecond(world, ctx);
  return true;
}

}  // namespace nb
