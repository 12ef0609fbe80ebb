// Binary level files: what the reader accepts is a playable grid inside the
// 128 x 128 table, and the rules then roll the ball over it without leaving
// the grid.
#include <cstdlib>
#include <memory>

#include "fuzz_input.h"
#include "gameplay/level_file.h"
#include "gameplay/level_rules.h"
#include "gameplay/level_setup.h"
#include "gameplay/world_step.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto world = std::make_unique<nb::World>();
  if (!nb::ParseLevelFile({data, size}, world->level).empty()) return 0;
  nb::LevelRecord& level = world->level;
  if (level.rows < 1 || level.rows > nb::kGridSize || level.cols < 1 || level.cols > nb::kGridSize ||
      nb::FindLevelFault(level))
    std::abort();
  nb::ProfileTable profiles;
  nb::AddProfile(profiles, "Fuzz", 0, 1, 3);
  profiles.current = 0;
  nb::Rng rng;
  nb::GameplayEvents events;
  nb::GameplayContext ctx{profiles, rng, events, {}};
  nb::PrepareLoadedLevel(*world, ctx);
  world->ball.moving = true;
  for (int step = 0; step < 400 && world->ball.moving; ++step) {
    nb::StepWorld(*world, ctx);
    const int row = world->ball.rowPos / nb::kCellSize, col = world->ball.colPos / nb::kCellSize;
    if (!world->ball.falling && !nb::InsideGrid(level, row, col)) std::abort();
  }
  return 0;
}
