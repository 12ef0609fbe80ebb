#include "shell/application.h"

#include <ctime>
#include <memory>

#include "platform/input_events.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/log.h"
#include "shell/run_frame.h"
#include "shell/settings_file.h"

namespace nb {
namespace {

void SplashFrame(Game& game) { SplashFrameLogic(game, TimerMs()); }

constexpr FrameScreens kScreens{nullptr, SplashFrame, nullptr};

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

void ShutdownApplication(Game& game) {
  if (game.recordsLoaded) SaveRecordsFile(game.profiles, game.records);
  DestroyGameWindow(game.window);
  game.window = nullptr;
  ShutdownPlatform();
}

}  // namespace

int RunApplication() {
  auto game = std::make_unique<Game>();
  OpenLog();
  SettingsFile settingsFile = GameSettingsFile();
  game->settings = ReadGeneralSettings(settingsFile);
  game->rng.Seed(static_cast<uint32_t>(std::time(nullptr)));

  bool platformReady = InitPlatform();
  if (platformReady)
    game->window = CreateGameWindow("Nimbara", game->settings.width, game->settings.height,
                                    game->settings.fullscreen);
  if (!game->window) {
    LogWrite("Can't create window\n");
    ShowMessageBox("Can't create window", "ERROR", MessageIcon::Exclamation);
  } else {
    ShowAndFocusWindow(game->window);
    game->levelCount = ReadLevelCount(settingsFile);
    LoadRecordsFile(game->profiles, game->records);
    game->recordsLoaded = true;
    game->startTimeMs = TimerMs();
    game->pacer.lastFrameMs = game->startTimeMs;
    RunMainLoop(*game);
  }

  WriteBackGeneralSettings(settingsFile, game->settings);
  ShutdownApplication(*game);
  return 0;
}

}  // namespace nb
