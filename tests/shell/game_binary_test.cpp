// Starts the real game binary under the test display in a scratch game
// directory and ends it the way a player or the system does.
#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <utility>

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
  test::InstallShippedGame(dir.path());
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
    test::GameProcess game(dir.path(), display.name());
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

// A size no window can have falls back to 800 x 600, and that is the size
// settings.ini keeps, so the next start is not refused again.
TEST(GameBinary, AnOversizedWindowFallsBackAndTheSizeInUseIsWrittenBack) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  for (auto [width, height] : {std::pair{100000, 600}, std::pair{32768, 32768}}) {
    test::ScratchDir dir;
    test::InstallShippedGame(dir.path());
    SettingsFile settings{dir.File("settings.ini")};
    settings.WriteInt("General", "WIDTH", width);
    settings.WriteInt("General", "HEIGHT", height);
    test::GameProcess game(dir.path());
    ASSERT_TRUE(game.WaitForWindow(20)) << width << " x " << height;
    EXPECT_EQ(game.StopWith(SIGTERM, 20), 0);
    EXPECT_EQ((std::pair{settings.ReadInt("General", "WIDTH", 0), settings.ReadInt("General", "HEIGHT", 0)}),
              (std::pair{800, 600}));
  }
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
