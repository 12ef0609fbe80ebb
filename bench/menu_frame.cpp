// One main-menu frame at 800 x 600 on the OpenGL device (Mesa's software
// renderer under Xvfb): the islands, the sky, the clouds, the menu's text and
// sprites and Present, one update and one draw without the loop's pacing.
// Process CPU time is what counts: the rasterizer threads do almost all of it.
// NB_SKIP=island,sky,clouds leaves those layers out, to see what each costs.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "bench_game.h"
#include "shell/game.h"
#include "shell/screens/menu_frame.h"
#include "shell/startup.h"

namespace nb {
namespace {

std::unique_ptr<Game> MakeMenuGame() {
  std::unique_ptr<Game> game = MakeBenchGame(false);
  if (game) game->screen.gameState = GameState::MainMenu;
  return game;
}

void BM_MainMenuFrame(benchmark::State& state) {
  static std::unique_ptr<Game> game = MakeMenuGame();
  if (!game) {
    state.SkipWithError("no display or device (run under Xvfb)");
    return;
  }
  if (const char* skip = getenv("NB_SKIP")) {
    const std::string k = skip;
    auto off = [&](MeshKey m) { game->catalogue.meshes[static_cast<int>(m)] = -1; };
    if (k.find("island") != std::string::npos) off(MeshKey::Island1), off(MeshKey::Island2);
    if (k.find("sky") != std::string::npos) off(MeshKey::Skybox);
    if (k.find("clouds") != std::string::npos) off(MeshKey::Grid);
  }
  // Past the fade-in, the camera settled, the pointer off the items.
  uint32_t now = 100000;
  for (int i = 0; i < 200; ++i) UpdateMenus(*game, {now += kTickMs, 790, 590});
  // The islands circle once a 63 s: each frame is 0.1 s on, so that a run
  // sees them everywhere rather than where one moment holds them.
  for (auto _ : state) {
    const FrameInput input{now += 100, 790, 590};
    UpdateMenus(*game, input);
    DrawMenus(*game, input);
  }
}
BENCHMARK(BM_MainMenuFrame)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace nb
