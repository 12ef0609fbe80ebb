#pragma once
// The shipped game loaded on the OpenGL device in an 800 x 600 window, as
// start-up loads it, with one player: what the frame benchmarks draw.
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/window.h"
#include "shell/game.h"
#include "shell/startup.h"

namespace nb {

inline std::unique_ptr<Game> MakeBenchGame(bool showFps) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (chdir(NB_GAME_DIR) != 0 || !InitPlatform()) return nullptr;
  auto game = std::make_unique<Game>();
  Game& g = *game;
  g.settings.width = 800;
  g.settings.height = 600;
  g.settings.showFps = showFps;
  g.settings.language = "en";
  g.window = CreateGameWindow("Nimbara", 800, 600, false);
  if (!g.window || !CreateRenderDevice(g.render, g.settings, g.window)) return nullptr;
  LoadGameResources(g);
  AddProfile(g.profiles, "Bench", 0, 1, 3);
  g.profiles.current = 0;
  return game;
}

}  // namespace nb
