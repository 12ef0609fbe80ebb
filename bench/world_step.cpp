// StepWorld on a 30 x 30 level with the ball rolling: time per step.
#include <benchmark/benchmark.h>

#include <memory>

#include "gameplay/world_step.h"

namespace {

void BM_StepWorldRolling(benchmark::State& state) {
  auto world = std::make_unique<nb::World>();
  nb::LevelRecord& level = world->level;
  level.rows = level.cols = 30;
  level.timeLimit = 100;
  for (int r = 0; r < 30; ++r)
    for (int c = 0; c < 30; ++c) {
      const bool border = r == 0 || c == 0 || r == 29 || c == 29;
      level.cells[r][c].kind = border ? nb::Wall : nb::Floor;
    }
  // Bricks that break and valves the ball passes add work on the way.
  level.cells[15][10].kind = nb::Valve;
  level.cells[15][10].state = nb::ValveTowardsHigherCols;
  nb::ProfileTable profiles;
  profiles.count = 1;
  profiles.current = 0;
  profiles.profiles[0].lives[0] = 3;
  nb::Rng rng;
  nb::GameplayEvents events;  // does nothing with the sounds and bursts
  nb::GameplayContext ctx{profiles, rng, events, {}};
  nb::BallState& ball = world->ball;
  ball.rowPos = 15 * 50;
  ball.colPos = 2 * 50;
  ball.dRow = 0;
  ball.dCol = 1;
  ball.moving = true;
  for (auto _ : state) {
    nb::StepWorld(*world, ctx);
    benchmark::DoNotOptimize(ball.world);
  }
  state.counters["colPos"] = ball.colPos;
}
BENCHMARK(BM_StepWorldRolling);

}  // namespace
