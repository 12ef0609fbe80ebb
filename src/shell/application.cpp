#include "shell/application.h"

#include <ctime>
#include <memory>

#include "core/log.h"
#include "core/settings_file.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/game.h"
#include "shell/run_frame.h"
#include "shell/save_loop.h"
#include "shell/startup.h"

namespace nb {

int RunApplication() {
  auto game = std::make_unique<Game>();
  OpenLog();
  SettingsFile settingsFile = GameSettingsFile();
  game->settings = ReadGeneralSettings(settingsFile);
  if (RunSaveLoopIfAsked(settingsFile, game->settings)) return 0;
  game->rng.Seed(static_cast<uint32_t>(std::time(nullptr)));

  if (InitPlatform())
    game->window =
        CreateGameWindow("Nimbara", game->settings.width, game->settings.height, game->settings.fullscreen);
  if (!game->window) {
    LogWrite("Can't create window\n");
    ShowMessageBox("Can't create window", "ERROR", MessageIcon::Exclamation);
  } else {
    ShowAndFocusWindow(game->window);
  }
  if (game->window && StartUpSubsystems(*game)) {
    game->startTimeMs = TimerMs();
    RunMainLoop(*game);
  }

  if (!WriteBackGeneralSettings(settingsFile, game->settings)) ReportFailedSave("settings.ini");
  ShutdownApplication(*game);
  return 0;
}

}  // namespace nb
