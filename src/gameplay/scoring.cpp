#include "gameplay/scoring.h"

namespace nb {

void AddScore(World& world, GameplayContext& ctx, int32_t points) {
  const int64_t threshold = kExtraLifeThreshold[CurrentMode(ctx)];
  const int64_t score = CurrentScore(ctx);
  const int64_t after = score + points;
  for (int k = 0; k < kLifeMilestones; ++k) {
    const int64_t milestone = k * threshold;
    if (score < milestone && after > milestone) {
      SetCurrentLives(ctx, CurrentLives(ctx) + 1);
      ShowStatusMessage(world.messages, world.texts.extraLife);
      world.stats.counters[StatExtraLives] += 1;
    }
  }
  SetCurrentScore(ctx, static_cast<int32_t>(after));
  world.stats.counters[StatPoints] += points;
}

bool SpawnRandomBonus(World& world, GameplayContext& ctx) {
  LevelRecord& level = world.level;
  for (int r = 0; r < level.rows && r < kGridSize; ++r) {
    for (int c = 0; c < level.cols && c < kGridSize; ++c) {
      GridCell& cell = level.cells[r][c];
      if (cell.kind != Floor) continue;
      // One chance in about 67 per floor cell: a draw below 491.505.
      if (static_cast<double>(ctx.rng.Rand()) < 491.505) {
        cell.kind = Bonus;
        // Kinds 1 to 4: the top draw, 32767, would reach 5 and is held at 4.
        const int32_t kind = 1 + static_cast<int32_t>(ctx.rng.Rand() * 0.00012207404);
        cell.state = kind > BonusTurnAround ? BonusTurnAround : kind;
        cell.value = 800;
        return true;
      }
    }
  }
  return false;
}

void ApplySpeedBonus(World& world, GameplayContext& ctx) {
  BallState& ball = world.ball;
  if (ball.speed == kBaseSpeed) {
    world.play.speedTimer = 15;
    if (ctx.rng.Rand() < 16383) {
      ball.speed = kSlowSpeed;
      ShowStatusMessage(world.messages, world.texts.speedSlow);
    } else {
      ball.speed = kFastSpeed;
      ShowStatusMessage(world.messages, world.texts.speedFast);
    }
  } else {
    world.play.speedTimer += 15;
  }
}

}  // namespace nb
