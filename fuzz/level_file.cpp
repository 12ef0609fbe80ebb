// Binary level files: what the reader accepts is a playable grid inside the
// 128 x 128 table, and the rules then roll the ball over it without leaving
// the grid.
#include <cstdlib>

#include "fuzz_input.h"
#include "gameplay/level_file.h"
#include "gameplay/level_rules.h"
#include "gameplay/level_setup.h"
#include "gameplay/world_step.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One world for every run, as the game keeps one across its levels: a
  // fresh 256 KB grid each run costs more in page faults than the rules.
  static nb::World* world = new nb::World;
  if (!nb::ParseLevelFile({data, size}, world->level).empty()) return 0;
  nb::LevelRecord& level = world->level;
  if (nb::FindLevelFault(nb::ViewOf(level))) std::abort();
  world->ball = {};
  world->play = {};
  world->messages = {};
  world->stats = {};
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
