// Starts the real game binary under the test display in a scratch game
// directory and ends it the way a player or the system does.
#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>
#include <utility>

#include "core/general_settings.h"
#include "core/settings_file.h"
#include "persistence/records.h"
#include "shell/startup.h"
#include "support/game_process.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

TEST(GameBinary, EndsOnTerminationSavingSettingsAndRecords) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  test::ScratchDir dir;
  // Full screen changes the display mode: a display of its own keeps the
  // other window tests undisturbed.
  test::PrivateDisplay display;
  ASSERT_TRUE(display.ready());
  // An unpacked game started from another directory keeps its files beside it.
  test::InstallShippedGame(dir.path(), true);
  dir.Write("elsewhere/.keep", "");
  SettingsFile shipped{dir.File("settings.ini")};
  shipped.WriteString("General", "fullscreen", "1");
  shipped.WriteInt("General", "WIDTH", 640);
  shipped.WriteInt("General", "HEIGHT", 480);
  shipped.WriteInt("General", "MusicVolume", 35);
  shipped.WriteInt("General", "MasterVolume", 55);
  ProfileTable profiles;
  RecordsTable records;
  AddProfile(profiles, "Tester", 10, 2, 4);
  profiles.current = 0;
  ASSERT_TRUE(SaveRecordsFile(profiles, records));

  {
    test::GameProcess game(dir.File("elsewhere"), display.name(), {}, "", {}, dir.File("nimbara"));
    ASSERT_TRUE(game.WaitForWindow(20)) << "the game window never appeared";
    EXPECT_EQ(game.StopWith(SIGTERM, 20), 0);
  }

  std::string log = dir.Read("Log.txt");
  EXPECT_EQ(log.rfind("Log File Log.txt  Date: ", 0), 0u);
  SettingsFile settings{dir.File("settings.ini")};
  // fullscreen=1 is read as true and written back as "true".
  EXPECT_EQ(settings.ReadString("General", "fullscreen", ""), "true");
  EXPECT_EQ(settings.ReadInt("General", "MusicVolume", 0), 35);
  EXPECT_EQ(settings.ReadInt("General", "MasterVolume", 0), 55);
  EXPECT_EQ(settings.ReadInt("General", "WIDTH", 0), 640);

  ProfileTable loaded;
  RecordsTable loadedRecords;
  LoadRecordsFile(loaded, loadedRecords);
  ASSERT_EQ(loaded.count, 1);
  EXPECT_STREQ(loaded.profiles[0].name, "Tester");
  EXPECT_EQ(loaded.profiles[0].level[1], 2);  // kept across the run by the trailer
  EXPECT_EQ(loaded.current, 0);
}

std::vector<std::string> KeysOf(const SettingsFile& file) {
  std::vector<std::string> keys;
  for (const std::string& section : file.SectionNames())
    for (const auto& entry : file.SectionEntries(section)) keys.push_back(section + "/" + entry.first);
  return keys;
}

// Which file a name holds and when it was last written: a save changes it.
std::pair<ino_t, long> StampOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {0, 0};
  return {info.st_ino, info.st_mtim.tv_sec * 1000000000L + info.st_mtim.tv_nsec};
}

// The game's readers accept both files of `folder` and writing back what they
// read gives the same bytes, which a file cut short or left empty would not;
// settings.ini still holds every key it started with.
void ExpectWholePlayerFiles(const test::ScratchDir& dir, const std::string& folder,
                            const std::vector<std::string>& keys) {
  const std::string recordBytes = dir.Read(folder + "/record.dat");
  ProfileTable profiles;
  RecordsTable records;
  ASSERT_TRUE(ParseRecordsFile({recordBytes.begin(), recordBytes.end()}, profiles, records));
  ASSERT_TRUE(SaveRecordsFile(profiles, records, dir.File(folder + "/copy.dat")));
  EXPECT_EQ(dir.Read(folder + "/copy.dat"), recordBytes);
  const std::string settingsBytes = dir.Read(folder + "/settings.ini");
  dir.Write(folder + "/copy.ini", settingsBytes);
  SettingsFile copy{dir.File(folder + "/copy.ini")};
  EXPECT_EQ(KeysOf(copy), keys);
  ASSERT_TRUE(WriteBackGeneralSettings(copy, ReadGeneralSettings(copy)));
  EXPECT_EQ(dir.Read(folder + "/copy.ini"), settingsBytes);
}

// Starts the game saving in a loop (NB_SAVE_LOOP) in `folder` and kills it
// at a random instant after its first save, `kills` times, checking the
// files after each kill.
void KillWhileSaving(const test::ScratchDir& dir, const std::string& folder, unsigned seed, int kills) {
  SettingsFile settings{dir.File(folder + "/settings.ini")};
  const std::vector<std::string> keys = KeysOf(settings);
  std::mt19937 random(seed);
  // A round of saves takes a few to a few tens of milliseconds (it waits for the disk).
  std::uniform_int_distribution<int> delayUs(0, 40000);
  const std::string record = dir.File(folder + "/record.dat");
  for (int kill = 1; kill <= kills && !testing::Test::HasFailure(); ++kill) {
    SCOPED_TRACE(folder + ", kill " + std::to_string(kill) + ", seed " + std::to_string(seed));
    const auto before = StampOf(record);
    {
      test::GameProcess game(dir.File(folder), "", {"NB_SAVE_LOOP=1000000"});
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
      while (StampOf(record) == before && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      ASSERT_NE(StampOf(record), before) << "the game never saved";
      std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
      game.StopWith(SIGKILL, 5);
    }
    ExpectWholePlayerFiles(dir, folder, keys);
  }
}

// The game is killed 200 times while it saves, in four game folders at once
// (a start-up costs far more than a save); each time both player files are
// whole, and a real start reads them and, ended, writes back the same bytes.
TEST(GameBinary, SavesKilledAtRandomInstantsLeaveWholeFilesTheGameStartsFrom) {
  test::ScratchDir dir;
  const unsigned seed = std::random_device{}();
  std::vector<std::thread> killers;
  for (int slot = 0; slot < 4; ++slot) {
    const std::string folder = "game" + std::to_string(slot);
    mkdir(dir.File(folder).c_str(), 0755);
    test::InstallShippedGame(dir.File(folder));
    SettingsFile settings{dir.File(folder + "/settings.ini")};
    ASSERT_TRUE(WriteBackGeneralSettings(settings, ReadGeneralSettings(settings)));
    ASSERT_TRUE(SaveRecordsFile(ProfileTable{}, RecordsTable{}, dir.File(folder + "/record.dat")));
    killers.emplace_back(KillWhileSaving, std::cref(dir), folder, seed + slot, 50);
  }
  for (std::thread& killer : killers) killer.join();
  if (HasFailure() || !test::HaveDisplay()) return;
  const std::string recordBytes = dir.Read("game0/record.dat"),
                    settingsBytes = dir.Read("game0/settings.ini");
  test::GameProcess game(dir.File("game0"));
  ASSERT_TRUE(game.WaitForWindow(60)) << "the game did not start";
  EXPECT_EQ(game.StopWith(SIGTERM, 20), 0);
  EXPECT_EQ(dir.Read("game0/record.dat"), recordBytes);
  EXPECT_EQ(dir.Read("game0/settings.ini"), settingsBytes);
}

// A size no window can have falls back to 800 x 600, and that is the size
// settings.ini keeps, so the next start is not refused again.
TEST(GameBinary, AnOversizedWindowFallsBackAndTheSizeInUseIsWrittenBack) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  test::ScratchDir dir;
  test::InstallShippedGame(dir.path());
  SettingsFile settings{dir.File("settings.ini")};
  settings.WriteInt("General", "WIDTH", 100000);
  test::GameProcess game(dir.path());
  ASSERT_TRUE(game.WaitForWindow(20));
  EXPECT_EQ(game.StopWith(SIGTERM, 20), 0);
  EXPECT_EQ((std::pair{settings.ReadInt("General", "WIDTH", 0), settings.ReadInt("General", "HEIGHT", 0)}),
            (std::pair{800, 600}));
}

// Every file under a folder with its size and time of change.
std::string Listing(const std::string& folder) {
  std::string listing;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    struct stat info {};
    lstat(entry.path().c_str(), &info);
    listing += entry.path().string() + " " + std::to_string(info.st_size) + " " +
               std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + "\n";
  }
  return listing;
}

// Installed under a prefix and started from elsewhere, the game reaches its
// menu with the player's files made in $XDG_DATA_HOME/nimbara (settings.ini
// in the locale's language) and writes nothing under the prefix.
TEST(GameBinary, AnInstalledGameKeepsThePlayersFilesUnderXdgDataHomeAndLeavesThePrefixAlone) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  test::ScratchDir dir;
  const std::string prefix = dir.File("prefix");
  ASSERT_EQ(test::RunCommand("cmake --install " NB_BINARY_DIR " --prefix " + prefix + " >/dev/null; echo $?"),
            "0\n");
  const std::string installed = Listing(prefix);
  dir.Write("elsewhere/.keep", "");
  const std::vector<std::string> environment = {"XDG_DATA_HOME=" + dir.File("xdg"),
                                                "LC_ALL=", "LC_MESSAGES=", "LANG=ru_RU.UTF-8"};
  {
    test::GameProcess game(dir.File("elsewhere"), "", environment, "", {}, prefix + "/bin/nimbara");
    for (int wait = 0;
         wait < 600 && dir.Read("xdg/nimbara/Log.txt").find("Start-up complete") == std::string::npos; ++wait)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_NE(dir.Read("xdg/nimbara/Log.txt").find("Start-up complete"), std::string::npos)
        << "never reached the menu";
    EXPECT_EQ(game.StopWith(SIGTERM, 20), 0);
  }
  EXPECT_EQ(SettingsFile{dir.File("xdg/nimbara/settings.ini")}.ReadString("General", "Language", ""), "ru");
  EXPECT_EQ(dir.Read("xdg/nimbara/record.dat"), dir.Read("prefix/share/nimbara/data/record.dat"));
  EXPECT_EQ(Listing(prefix), installed);
  EXPECT_FALSE(dir.Exists("elsewhere/Log.txt"));
}

// --help, --version and a line the game does not understand answer on the
// terminal and end at once, without a display to open a window on.
TEST(GameBinary, HelpVersionAndABadCommandLineEndWithoutAWindow) {
  test::ScratchDir dir;
  struct Case {
    const char* arguments;
    const char* status;
    const char* out;  // what standard output starts with
    const char* err;  // and standard error
  };
  const Case cases[] = {
      {"--help", "0", "Usage: nimbara", ""},
      {"--version", "0", "nimbara ", ""},
      {"--window --speed 3", "2", "", "nimbara: unknown option --speed\nUsage: nimbara"},
      {"--data", "2", "", "nimbara: --data needs a value\nUsage: nimbara"},
  };
  for (const Case& c : cases) {
    const std::string out =
        test::RunCommand("cd " + dir.path() + " && env -u DISPLAY " NB_GAME_DIR "/nimbara " + c.arguments +
                         " 2>err.txt; echo \"status $?\"");
    const std::string err = dir.Read("err.txt");
    EXPECT_EQ(out.substr(out.rfind("status ")), std::string("status ") + c.status + "\n") << c.arguments;
    EXPECT_EQ(out.rfind(c.out, 0), 0u) << c.arguments << ": " << out;
    EXPECT_EQ(*c.err ? err.rfind(c.err, 0) : err.size(), 0u) << c.arguments << ": " << err;
  }
  EXPECT_FALSE(dir.Exists("Log.txt"));
}

// Where no display opens, the game says so and fails rather than running
// unseen on one of the drivers that draw into memory.
TEST(GameBinary, WithoutADisplayTheGameSaysSoAndFails) {
  if (std::filesystem::exists("/dev/dri")) GTEST_SKIP() << "a console the game could draw on";
  test::ScratchDir dir;
  test::InstallShippedGame(dir.path());
  const std::string status = test::RunCommand("cd " + dir.path() +
                                              " && env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:65000 "
                                              "timeout 20 " NB_GAME_DIR
                                              "/nimbara --data . --user . "
                                              ">/dev/null 2>&1; echo $?");
  EXPECT_EQ(status, "1\n");
  const std::string log = dir.Read("Log.txt");
  EXPECT_NE(log.find("No display to show the game on"), std::string::npos) << log;
  EXPECT_NE(log.find("Can't create window"), std::string::npos) << log;
}

// A player file that cannot be replaced (here a folder stands in its place)
// keeps what it held, and the player is told which file was not written.
TEST(GameBinary, AFailedSaveAtExitIsShownAndLogged) {
  test::ScratchDir dir;
  test::CapturedMessages messages;
  mkdir(dir.File("record.dat").c_str(), 0755);
  Game game;
  game.recordsLoaded = true;
  ShutdownApplication(game);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not write record.dat"});
  EXPECT_NE(dir.Read("Log.txt").find("Could not write record.dat"), std::string::npos);
}

}  // namespace
}  // namespace nb
