#include "shell/application.h"

#include <ctime>
#include <memory>

#include "core/log.h"
#include "core/settings_file.h"
#include "platform/input_events.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/run_frame.h"
#include "shell/save_loop.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/play_screen.h"
#include "shell/screens/splash_frame.h"
#include "shell/startup.h"

namespace nb {
namespace {

void Splash(Game& game) { SplashFrame(game, TimerMs()); }

constexpr FrameScreens kScreens{PlayScreenFrame, Splash, RunMenuFrame};

// Handles waiting events, runs a frame when one is due, and otherwise
// sleeps until the next event or the next frame's due time.
void RunMainLoop(Game& game) {
  while (!game.quitRequested) {
    if (EventWaiting()) {
      InputEvent event;
      if (TakeEvent(event)) HandleInputEvent(game, event);
      continue;
    }
    uint32_t now = TimerMs();
    if (FrameDue(game.pacer, now)) {
      game.pacer.lastFrameMs = now;
      RunFrame(game, kScreens, now);
    } else {
      WaitForEvent(MsUntilFrameDue(game.pacer, now));
    }
  }
}

}  // namespace

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
    game->pacer.lastFrameMs = game->startTimeMs;
    RunMainLoop(*game);
  }

  if (!WriteBackGeneralSettings(settingsFile, game->settings)) ReportFailedSave("settings.ini");
  ShutdownApplication(*game);
  return 0;
}

}  // namespace nb
