// Starts the real game binary under the test display in a scratch game
// directory and ends it the way a player or the system does.
#include <signal.h>

#include <gtest/gtest.h>

#include "persistence/records.h"
#include "core/settings_file.h"
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

TEST(GameBinary, StartsWithoutGeneralSettingsAndWritesThem) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  test::ScratchDir dir;
  test::InstallShippedGame(dir.path());
  // The shipped file without its [General] section: the built-in window size
  // and volumes 0, and the four keys written back at exit.
  std::string shipped = dir.Read("settings.ini");
  size_t general = shipped.find("[General]");
  size_t next = shipped.find("[Levels]");
  ASSERT_NE(general, std::string::npos);
  ASSERT_NE(next, std::string::npos);
  dir.Write("settings.ini", shipped.substr(0, general) + shipped.substr(next));
  {
    test::GameProcess game(dir.path());
    ASSERT_TRUE(game.WaitForWindow(20));
    std::string geometry = test::RunCommand("xdotool search --all --onlyvisible --pid " +
                                            std::to_string(game.pid()) +
                                            " --name '^Nimbara$' getwindowgeometry 2>/dev/null");
    EXPECT_NE(geometry.find("800x600"), std::string::npos) << geometry;
    EXPECT_EQ(game.StopWith(SIGINT, 20), 0);
  }
  SettingsFile settings{dir.File("settings.ini")};
  EXPECT_EQ(settings.ReadString("General", "fullscreen", ""), "false");
  EXPECT_EQ(settings.ReadString("General", "SoundVolume", ""), "0");
  EXPECT_EQ(settings.ReadString("General", "WIDTH", "none"), "none");
  EXPECT_TRUE(dir.Exists("record.dat"));
  EXPECT_EQ(dir.Read("record.dat").size(), 12u);
}

}  // namespace
}  // namespace nb
