#pragma once
// A whole game on a graphics device, loaded from a copy of the shipped game
// directory the way start-up loads it: the catalogue, particles, fonts,
// English texts, curves and sounds (dummy audio driver), one player chosen.
// The device is either a RecordingDevice (calls and states checked) or the
// real OpenGL device in a window under Xvfb.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "core/settings_file.h"
#include "gameplay/level_setup.h"
#include "platform/gl_device.h"
#include "platform/recording_device.h"
#include "platform/window.h"
#include "shell/game.h"
#include "shell/run_frame.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/play_screen.h"
#include "shell/startup.h"
#include "support/game_process.h"
#include "support/scratch_dir.h"
#include "text/text_drawing.h"
#include "tools/levelc/level_source.h"

namespace nb::test {

inline PlatformWindow* SharedGameWindow() {
  static PlatformWindow* window = [] {
    if (!InitPlatform()) return static_cast<PlatformWindow*>(nullptr);
    return CreateGameWindow("Nimbara", 800, 600, false);
  }();
  return window;
}

class GameOnDevice {
 public:
  // realGl: the OpenGL device in the shared window; else a RecordingDevice.
  explicit GameOnDevice(bool realGl) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    InstallShippedGame(dir.path());
    game = std::make_unique<Game>();
    Game& g = *game;
    g.settings.width = 800;
    g.settings.height = 600;
    g.settings.showFps = false;
    g.settings.language = "en";
    if (realGl) {
      g.window = SharedGameWindow();
      if (!g.window || !CreateRenderDevice(g.render, g.settings, g.window)) return;
    } else {
      auto adapter = std::make_unique<RecordingAdapter>();
      if (!CreateRenderDevice(g.render, g.settings, nullptr, std::move(adapter))) return;
    }
    LoadGameResources(g);
    LoadSoundCatalogue(g.audio, GameFolders{}, 0);
    AddProfile(g.profiles, "Tester", 0, 1, 3);
    g.profiles.current = 0;
    ready = true;
  }
  ~GameOnDevice() {
    if (!game) return;
    Game& g = *game;
    DeleteFonts(g.fonts);
    if (GraphicsDevice* device = Device(g)) {
      ReleaseParticleSystem(g.particles, *device);
      ReleaseResourceCatalogue(g.catalogue, g.store, *device);
    }
    ReleaseRenderDevice(g.render);
    CloseAudio(g.audio);
  }

  // Starts the player's current level from its file, as a new game does.
  bool Start(int level = 1) {
    ProfileRecord& p = game->profiles.profiles[0];
    p.level[p.mode] = level;
    GameplayContext ctx = Gameplay(*game);
    return StartLevel(game->world, ctx);
  }

  RecordingDevice* Recording() { return dynamic_cast<RecordingDevice*>(game->render.device.get()); }
  GlDevice* Gl() { return dynamic_cast<GlDevice*>(game->render.device.get()); }

  ScratchDir dir;
  std::unique_ptr<Game> game;
  bool ready = false;
};

// One tick of the play screen or the menus as the main loop runs it: the
// update, then the draw.
inline void PlayFrame(Game& game, const FrameInput& input) {
  UpdatePlayScreen(game, input);
  DrawPlayScreen(game, input);
}
inline void MenuFrame(Game& game, const FrameInput& input = {}) {
  UpdateMenus(game, input);
  DrawMenus(game, input);
}

// The stored solution of a shipped level's source file, e.g. "01-first-turn.lvl".
inline std::vector<levels::SolutionMove> StoredSolution(const std::string& file) {
  std::ifstream in(std::string(NB_SOURCE_DIR) + "/data/levels/" + file);
  levels::SourceError error;
  auto source = levels::ParseLevelSource(std::string(std::istreambuf_iterator<char>(in), {}), error);
  EXPECT_TRUE(source.has_value()) << file << ":" << error.line << ": " << error.reason;
  return source ? source->solution : std::vector<levels::SolutionMove>{};
}

}  // namespace nb::test
