// SetupLevel of a 128 x 128 level with half its cells walls: loading the
// file, the derivations and the welded walls-and-floor mesh.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "gameplay/level_file.h"
#include "gameplay/level_setup.h"

namespace {

nb::MeshData Quad(float y, float u, float nx, float ny, float nz) {
  nb::MeshData m;
  for (int k = 0; k < 4; ++k) {
    const float x = (k & 1) ? 25.0f : -25.0f;
    const float z = (k & 2) ? 25.0f : -25.0f;
    m.vertices.push_back({x, y, z, nx, ny, nz, u + ((k & 1) ? 0.125f : 0.0f), (k & 2) ? 0.125f : 0.0f});
  }
  m.indices = {0, 1, 2, 2, 1, 3};
  return m;
}

void BM_SetupLevel128(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path previous = fs::current_path();
  const fs::path dir = fs::temp_directory_path() / ("nb_bench_setup_" + std::to_string(getpid()));
  fs::create_directories(dir / "data" / "levels");
  fs::current_path(dir);

  auto record = std::make_unique<nb::LevelRecord>();
  record->rows = record->cols = 128;
  record->timeLimit = 300;
  nb::Rng layout;
  layout.Seed(12345);
  for (int r = 0; r < 128; ++r) {
    for (int c = 0; c < 128; ++c) {
      const bool edge = r == 0 || c == 0 || r == 127 || c == 127;  // the loader wants the grid walled in
      record->cells[r][c].kind = edge || layout.Rand() < 16384 ? nb::Wall : nb::Floor;
    }
  }
  record->cells[1][1].kind = nb::Start;
  record->cells[126][126].kind = nb::Stone;
  std::ofstream(dir / "data" / "levels" / "1.ilf", std::ios::binary) << nb::EncodeLevelFile(*record);

  const nb::MeshData pol = Quad(0, 0.0f, 0, 1, 0), left = Quad(25, 0.25f, -1, 0, 0),
                     right = Quad(25, 0.25f, 1, 0, 0), front = Quad(25, 0.25f, 0, 0, -1),
                     back = Quad(25, 0.25f, 0, 0, 1), up = Quad(50, 0.5f, 0, 1, 0);
  auto world = std::make_unique<nb::World>();
  nb::ProfileTable profiles;
  profiles.count = 1;
  profiles.current = 0;
  nb::Rng rng;
  nb::GameplayEvents events;
  nb::GameplayContext ctx{profiles, rng, events, {&pol, &left, &right, &front, &back, &up}};
  for (auto _ : state) {
    nb::SetupLevel(*world, ctx, 1);
    benchmark::DoNotOptimize(world->levelMesh.indices.data());
  }
  state.counters["vertices"] = world->level.levelVertexCount;
  fs::current_path(previous);
  fs::remove_all(dir);
}
BENCHMARK(BM_SetupLevel128)->Unit(benchmark::kMillisecond);

}  // namespace
