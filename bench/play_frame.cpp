// One play frame at 800 x 600 on the OpenGL device (Mesa's software
// renderer under Xvfb): a 20 x 20 level of the shipped data with 400 live
// particles, one update and one draw without the loop's pacing; the update
// alone; and the particles' quads alone with 400 live particles. Run from anywhere: the game directory of the
// build is used. NB_SKIP=island,sky,clouds,particles leaves those layers out, to see what each costs the
// software rasterizer. The same frame on the recording device measures the game's own work without any
// rasterizing.
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench_game.h"
#include "core/settings_file.h"
#include "gameplay/level_setup.h"
#include "platform/recording_device.h"
#include "shell/game.h"
#include "shell/screens/play_screen.h"
#include "shell/startup.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

std::unique_ptr<Game> MakeGame() { return MakeBenchGame(true); }

// A 20 x 20 level: a wall ring, stones, Reflectors, bricks and a few holes.
void Build20x20(Game& g) {
  GameplayContext ctx = Gameplay(g);
  StartLevel(g.world, ctx);
  LevelRecord& level = g.world.level;
  level.rows = level.cols = 20;
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 20; ++c) {
      GridCell cell;
      if (r == 0 || c == 0 || r == 19 || c == 19)
        cell.kind = Wall;
      else if ((r * 7 + c * 3) % 11 == 0)
        cell.kind = Stone;
      else if ((r + c) % 13 == 0)
        cell = {ReflectorMain, 2, 30, 5};
      else if ((r * c) % 17 == 5)
        cell.kind = Brick;
      else if ((r * 5 + c) % 29 == 0)
        cell.kind = Hole;
      level.cells[r][c] = cell;
    }
  level.cells[1][1].kind = Start;
  PrepareLoadedLevel(g.world, ctx);
  SetCameraNow(g.camera, level.homeEye, level.homeTarget, 45);
  g.world.play.introFrames = 300;
  g.world.play.startSoundPlayed = true;
  g.world.play.introPhase = 3;
  g.world.ball.ready = true;
}

// A full pool as play leaves it: bursts of the five templates in equal
// numbers from cells all over the level, each particle part-way through its
// life (ages spread evenly over the lifetime, as in a steady stream of
// bursts) and carried along its burst velocity for that long. Equal numbers
// are on the heavy side: crash bursts, the largest, come only with a fall.
// The frame loops put this pool back before every frame, so each one draws
// the same particles.
void FillParticles(Game& g) {
  ClearParticles(g.particles);
  constexpr int kTemplates = static_cast<int>(ParticleTemplate::Count);
  for (int i = 0; i < kMaxParticles; ++i) {
    const int which = i % kTemplates;
    const int burst = i / kTemplates;  // 0..79
    const int row = 1 + (burst * 7) % 18, col = 1 + (burst * 11) % 18;
    Particle p = g.particles.templates[which];
    const float angle = static_cast<float>(burst % 10);
    p.velocity = {std::sin(angle), 1.0f, std::cos(angle)};
    p.age = (p.lifetime - 1.0f) * static_cast<float>(burst) / 80.0f;
    const Vec3 at = CellCentre(row, col);
    p.position = {at.x + p.velocity.x * p.age, at.y + p.velocity.y * p.age, at.z + p.velocity.z * p.age};
    EmitParticle(g.particles, p);
  }
}

double LiveParticles(const Game& g) {
  int live = 0;
  for (const Particle& p : g.particles.particles) live += p.alive ? 1 : 0;
  return live;
}

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One game for all the benchmarks; nullptr (and the benchmark skipped) without a display.
Game* SharedGameOrSkip(benchmark::State& state) {
  static std::unique_ptr<Game> game = MakeGame();
  if (!game) state.SkipWithError("no display or device (run under Xvfb)");
  return game.get();
}

void BM_PlayFrame20x20With400Particles(benchmark::State& state) {
  Game* g = SharedGameOrSkip(state);
  if (!g) return;
  Build20x20(*g);
  FillParticles(*g);
  if (const char* skip = getenv("NB_SKIP")) {
    std::string k = skip;
    auto off = [&](MeshKey m) { g->catalogue.meshes[static_cast<int>(m)] = -1; };
    if (k.find("island") != std::string::npos) {
      off(MeshKey::Island1);
      off(MeshKey::Island2);
    }
    if (k.find("island2") != std::string::npos) {
      off(MeshKey::Island2);
    }
    if (k.find("sky") != std::string::npos) off(MeshKey::Skybox);
    if (k.find("clouds") != std::string::npos) off(MeshKey::Grid);
    if (k.find("particles") != std::string::npos) ClearParticles(g->particles);
  }
  const auto pool = g->particles.particles;
  uint32_t now = 100000;
  double threadSeconds = 0;
  for (auto _ : state) {
    g->particles.particles = pool;
    const double before = ThreadCpuSeconds();
    const FrameInput input{now += kTickMs, 400, 300};
    UpdatePlayScreen(*g, input);
    DrawPlayScreen(*g, input);
    threadSeconds += ThreadCpuSeconds() - before;
  }
  // The game's own thread: the frame's logic, the driver's vertex work and
  // binning; the rasterizer threads make up the rest of the process time.
  state.counters["game_thread_ms"] =
      benchmark::Counter(threadSeconds * 1e3 / static_cast<double>(state.iterations()));
  state.counters["quads"] = LiveParticles(*g);
}
BENCHMARK(BM_PlayFrame20x20With400Particles)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The update alone: what a slow machine runs up to four times per draw.
void BM_PlayUpdate20x20With400Particles(benchmark::State& state) {
  Game* g = SharedGameOrSkip(state);
  if (!g) return;
  Build20x20(*g);
  FillParticles(*g);
  const auto pool = g->particles.particles;
  uint32_t now = 100000;
  for (auto _ : state) {
    g->particles.particles = pool;
    UpdatePlayScreen(*g, {now += kTickMs, 400, 300});
  }
  state.counters["quads"] = LiveParticles(*g);
}
BENCHMARK(BM_PlayUpdate20x20With400Particles)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_DrawParticles400(benchmark::State& state) {
  Game* g = SharedGameOrSkip(state);
  if (!g) return;
  FillParticles(*g);
  // Long lives keep the pool full for every run; the work does not depend on them.
  for (Particle& p : g->particles.particles) p.lifetime = 1e9f;
  for (auto _ : state) DrawParticles(g->particles, *g->render.device, g->camera.view, true);
  state.counters["quads"] = LiveParticles(*g);
}
BENCHMARK(BM_DrawParticles400)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Last: it leaves the shared game's catalogue on the recording device.
void BM_PlayFrameOnRecordingDevice(benchmark::State& state) {
  Game* g = SharedGameOrSkip(state);
  if (!g) return;
  // The same game drawn into a device that only records: the frame's own
  // CPU work (passes, text layout, particle quads, world step).
  std::unique_ptr<GraphicsDevice> real = std::move(g->render.device);
  auto recording = std::make_unique<RecordingDevice>();
  RecordingDevice* rec = recording.get();
  g->render.device = std::move(recording);
  GraphicsDevice& d = *g->render.device;
  LoadResourceCatalogue(g->catalogue, g->store, g->camera, d, g->folders, 800, 600);
  CreateParticleSystem(g->particles, d);
  LoadFonts(g->fonts, d, g->folders.data);
  Build20x20(*g);
  FillParticles(*g);
  const auto pool = g->particles.particles;
  uint32_t now = 100000;
  for (auto _ : state) {
    g->particles.particles = pool;
    const FrameInput input{now += kTickMs, 400, 300};
    UpdatePlayScreen(*g, input);
    DrawPlayScreen(*g, input);
    rec->ClearCalls();
    rec->draws.clear();
  }
  state.counters["quads"] = LiveParticles(*g);
  g->render.device = std::move(real);
  LoadFonts(g->fonts, *g->render.device, g->folders.data);
}
BENCHMARK(BM_PlayFrameOnRecordingDevice)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace nb
