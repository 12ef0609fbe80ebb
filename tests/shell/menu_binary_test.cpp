// The real game under the test display, driven only by X input as a player
// would: a new profile, a new game, a pause, back to the main menu and out.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>

#include "core/settings_file.h"
#include "persistence/level_stats.h"
#include "persistence/records.h"
#include "support/game_process.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

// Keys and text to the game's window. A key that changes the screen waits
// for the game's log to name the new one, so a slow build (the sanitizers)
// never runs ahead of the game; other keys leave the game a few frames.
struct XPlayer {
  std::string window, log;
  std::map<std::string, int> seen;  // screens named in the log so far
  void Send(const std::string& what) const {
    test::RunCommand("xdotool " + what);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  void Key(const std::string& key) const { Send("key --window " + window + " " + key); }
  void Type(const std::string& text) const { Send("type --delay 40 --window " + window + " '" + text + "'"); }
  bool Reached(const std::string& screen) {
    return test::WaitForText(log, "Screen: " + screen + "\n", ++seen[screen], 60);
  }
  bool KeyTo(const std::string& key, const std::string& screen) {
    Key(key);
    return Reached(screen);
  }
  // Parks the pointer in a corner where no screen has an item.
  void ParkPointer() const { test::RunCommand("xdotool mousemove --window " + window + " 790 590"); }
};

TEST(MenuBinary, APlayerCreatesAProfilePlaysPausesAndQuitsWithTheKeyboard) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  test::ScratchDir dir;
  test::InstallShippedGame(dir.path());
  SettingsFile shipped{dir.File("settings.ini")};
  shipped.WriteString("General", "fullscreen", "false");
  shipped.WriteString("General", "Language", "en");
  shipped.WriteInt("General", "MusicVolume", 40);

  test::GameProcess game(dir.path());
  ASSERT_TRUE(game.WaitForWindow(60)) << "the game window never appeared";
  XPlayer player{game.window(), dir.File("Log.txt"), {}};
  ASSERT_TRUE(player.Reached("splash"));
  player.ParkPointer();

  ASSERT_TRUE(player.KeyTo("Return", "main menu"));
  ASSERT_TRUE(player.KeyTo("Return", "players")) << "Play without a profile opens the players screen";
  player.Key("Up");  // the new-player row
  player.Key("Return");
  player.Type("Tester");
  player.Key("Return");  // the name is accepted
  player.Key("Down");    // onto the new profile
  ASSERT_TRUE(player.KeyTo("Return", "main menu")) << "choosing the profile";
  player.ParkPointer();
  ASSERT_TRUE(player.KeyTo("Return", "start game"));
  player.Key("Down");
  ASSERT_TRUE(player.KeyTo("Return", "new game"));
  ASSERT_TRUE(player.KeyTo("Return", "playing")) << "a mode starts the first level";
  std::this_thread::sleep_for(std::chrono::seconds(2));
  EXPECT_FALSE(dir.Exists("stat.stt")) << "nothing written while the level runs";
  ASSERT_TRUE(player.KeyTo("Escape", "pause"));
  // The pause warps the pointer onto Resume, and a slow build may see that
  // move after the arrows: let it land, then park the pointer off the items.
  std::this_thread::sleep_for(std::chrono::seconds(1));
  player.ParkPointer();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  for (int i = 0; i < 3; ++i) player.Key("Down");
  ASSERT_TRUE(player.KeyTo("Return", "main menu")) << "the attempt's statistics are appended on the way";
  EXPECT_TRUE(dir.Exists("stat.stt"));
  player.ParkPointer();
  ASSERT_TRUE(player.KeyTo("Escape", "exit"));
  player.Key("Left");  // Yes
  player.Key("Return");
  // The game ends by itself (signal 0 only waits) and saves on the way out.
  EXPECT_EQ(game.StopWith(0, 20), 0) << "the game did not quit";

  ProfileTable profiles;
  RecordsTable records;
  LoadRecordsFile(profiles, records);
  ASSERT_EQ(profiles.count, 1);
  EXPECT_STREQ(profiles.profiles[0].name, "Tester");
  EXPECT_EQ(profiles.current, 0);
  int mode = profiles.profiles[0].mode;
  ASSERT_GE(mode, 0);
  ASSERT_LT(mode, kGameModes);
  EXPECT_EQ(profiles.profiles[0].level[mode], 1);

  const std::vector<LevelStats> stats = ReadLevelStatistics(dir.File("stat.stt"));
  ASSERT_EQ(stats.size(), 1u) << "one record of the one attempt";
  EXPECT_EQ(stats[0].counters[StatLevelNumber], 1);

  EXPECT_NE(dir.Read("Log.txt").find("Log File"), std::string::npos);
}

}  // namespace
}  // namespace nb
