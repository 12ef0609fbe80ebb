#include "shell/application.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "core/command_line.h"
#include "core/free_memory.h"
#include "core/locale_language.h"
#include "core/log.h"
#include "core/settings_file.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/game.h"
#include "shell/level_loop.h"
#include "shell/player_folder.h"
#include "shell/run_frame.h"
#include "shell/save_loop.h"
#include "shell/startup.h"
#include "shell/startup_checks.h"

#ifndef NB_VERSION
#define NB_VERSION "0"
#endif
#ifndef NB_INSTALLED_DATA
#define NB_INSTALLED_DATA "/usr/local/share/nimbara"
#endif

namespace nb {
namespace {

// The window at the size of the settings; when that is refused, once more at
// 800 x 600, which is then the size the settings keep.
PlatformWindow* OpenGameWindow(GeneralSettings& settings) {
  // Only a plain picture in a window is drawn straight into it.
  const bool depth = !settings.fullscreen && !settings.antialiased;
  PlatformWindow* window =
      CreateGameWindow("Nimbara", settings.width, settings.height, settings.fullscreen, depth);
  const GeneralSettings fallback;
  if (window || (settings.width == fallback.width && settings.height == fallback.height)) return window;
  LogPrintf("No window of %d x %d, trying %d x %d\n", settings.width, settings.height, fallback.width,
            fallback.height);
  settings.width = fallback.width;
  settings.height = fallback.height;
  return CreateGameWindow("Nimbara", settings.width, settings.height, settings.fullscreen, depth);
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

GameFolders FindGameFolders(const CommandLine& line) {
  FolderFacts facts{ExecutableDirectory(),        NB_INSTALLED_DATA,  line.dataDir, line.userDir,
                    Environment("XDG_DATA_HOME"), Environment("HOME")};
  return ChooseGameFolders(facts);
}

// The folders found, the player's one readied and the log opened in it.
GameFolders SetUpFolders(const CommandLine& line) {
  const GameFolders folders = FindGameFolders(line);
  const std::string language =
      LanguageFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  const std::string problem = PreparePlayerFolder(folders, language);
  OpenLog(NativePath(folders.player, "Log.txt"));
  LogPrintf("Data in %s, player's files in %s\n", folders.data.c_str(), folders.player.c_str());
  if (!problem.empty()) {
    LogPrintf("%s\n", problem.c_str());
    ShowMessageBox("Could not prepare " + folders.player, "ERROR");
  }
  return folders;
}

// The whole game once the command line has been read.
int RunGame(const CommandLine& line) {
  auto game = std::make_unique<Game>();
  game->folders = SetUpFolders(line);
  SettingsFile settingsFile = GameSettingsFile(game->folders.player);
  // A settings.ini that is not there is not made up from the few values
  // written back, which would lack the catalogue at the next start.
  const bool settingsFound = CheckSettingsFile(settingsFile);
  game->settings = ReadGeneralSettings(settingsFile);
  const bool savedFullscreen = game->settings.fullscreen;
  if (line.fullscreen >= 0) game->settings.fullscreen = line.fullscreen == 1;
  if (!line.language.empty()) game->settings.language = line.language;
  if (RunSaveLoopIfAsked(settingsFile, PlayerFile(*game, "record.dat"), game->settings)) return 0;
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

  // The command line's mode was for this run; a switch made in the game stays.
  if (line.fullscreen >= 0 && game->settings.fullscreen == (line.fullscreen == 1))
    game->settings.fullscreen = savedFullscreen;
  if (settingsFound && !WriteBackGeneralSettings(settingsFile, game->settings))
    ReportFailedSave("settings.ini");
  // Without a window the game never ran; a desktop launcher or a script
  // must see that it failed.
  const bool ran = game->window != nullptr;
  ShutdownApplication(*game);
  return ran ? 0 : 1;
}

}  // namespace

int RunApplication(const std::vector<std::string>& arguments) {
  const CommandLine line = ParseCommandLine(arguments);
  if (!line.error.empty()) {
    std::fprintf(stderr, "nimbara: %s\n%s", line.error.c_str(), UsageText().c_str());
    return 2;
  }
  if (line.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (line.version) {
    std::printf("nimbara %s\n", NB_VERSION);
    return 0;
  }
  TuneAllocator();
  return RunGame(line);
}

}  // namespace nb
