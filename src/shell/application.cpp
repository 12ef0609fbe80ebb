#include "shell/application.h"

#include <ctime>
#include <memory>

#include "core/free_memory.h"
#include "core/log.h"
#include "core/settings_file.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/game.h"
#include "shell/level_loop.h"
#include "shell/run_frame.h"
#include "shell/save_loop.h"
#include "shell/startup.h"
#include "shell/startup_checks.h"

namespace nb {
namespace {

// The window at the size of the settings; when that is refused, once more at
// 800 x 600, which is then the size the settings keep.
PlatformWindow* OpenGameWindow(GeneralSettings& settings) {
  PlatformWindow* window = CreateGameWindow("Nimbara", settings.width, settings.height, settings.fullscreen);
  const GeneralSettings fallback;
  if (window || (settings.width == fallback.width && settings.height == fallback.height)) return window;
  LogPrintf("No window of %d x %d, trying %d x %d\n", settings.width, settings.height, fallback.width,
            fallback.height);
  settings.width = fallback.width;
  settings.height = fallback.height;
  return CreateGameWindow("Nimbara", settings.width, settings.height, settings.fullscreen);
}

}  // namespace

int RunApplication() {
  auto game = std::make_unique<Game>();
  OpenLog();
  SettingsFile settingsFile = GameSettingsFile();
  // A settings.ini that is not there is not made up from the few values
  // written back, which would lack the catalogue at the next start.
  const bool settingsFound = CheckSettingsFile(settingsFile);
  game->settings = ReadGeneralSettings(settingsFile);
  if (RunSaveLoopIfAsked(settingsFile, game->settings)) return 0;
  game->rng.Seed(static_cast<uint32_t>(std::time(nullptr)));

  if (InitPlatform()) game->window = OpenGameWindow(game->settings);
  if (!game->window) {
    ShowMessageBox("Can't create window", "ERROR", MessageIcon::Exclamation);
  } else {
    ShowAndFocusWindow(game->window);
  }
  if (game->window && StartUpSubsystems(*game)) {
    game->startTimeMs = TimerMs();
    ReturnFreedMemory();
    RunLevelLoopIfAsked(*game);
    RunMainLoop(*game);
  }

  if (settingsFound && !WriteBackGeneralSettings(settingsFile, game->settings))
    ReportFailedSave("settings.ini");
  ShutdownApplication(*game);
  return 0;
}

}  // namespace nb
