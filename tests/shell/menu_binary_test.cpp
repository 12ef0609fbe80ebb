// The real game under the test display, driven only by X input as a player
// would: a new profile, a new game, a pause, back to the main menu and out.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/settings_file.h"
#include "persistence/level_stats.h"
#include "persistence/records.h"
#include "support/game_process.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

// Keys and text to the game's window; input is handled between frames, so a
// few frames pass before the next key.
struct XPlayer {
  std::string window;
  void Send(const std::string& what) const {
    test::RunCommand("xdotool " + what);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  }
  void Key(const std::string& key) const { Send("key --window " + window + " " + key); }
  void Type(const std::string& text) const { Send("type --delay 40 --window " + window + " '" + text + "'"); }
  // Parks the pointer in a corner where no screen has an item.
  void ParkPointer() const { test::RunCommand("xdotool mousemove --window " + window + " 790 590"); }
};

// Polls until the file exists and is not empty, or the time is up.
bool WaitForFile(const test::ScratchDir& dir, const std::string& name, int seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (; std::chrono::steady_clock::now() < deadline;
       std::this_thread::sleep_for(std::chrono::milliseconds(100)))
    if (dir.Exists(name) && !dir.Read(name).empty()) return true;
  return false;
}

TEST(MenuBinary, APlayerCreatesAProfilePlaysPausesAndQuitsWithTheKeyboard) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  test::ScratchDir dir;
  test::InstallShippedGame(dir.path());
  SettingsFile shipped{dir.File("settings.ini")};
  shipped.WriteString("General", "fullscreen", "false");
  shipped.WriteString("General", "Language", "en");
  shipped.WriteInt("General", "MusicVolume", 40);

  test::GameProcess game(dir.path());
  ASSERT_TRUE(game.WaitForWindow(20)) << "the game window never appeared";
  std::string window = test::RunCommand("xdotool search --all --onlyvisible --pid " +
                                        std::to_string(game.pid()) + " --name '^Nimbara$' | head -n 1");
  while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) window.pop_back();
  ASSERT_FALSE(window.empty());
  XPlayer player{window};
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  player.ParkPointer();

  player.Key("Return");  // the splash gives way to the main menu
  player.Key("Return");  // Play without a profile opens the players screen
  player.Key("Up");      // the new-player row
  player.Key("Return");
  player.Type("Tester");
  player.Key("Return");  // the name is accepted
  player.Key("Down");    // onto the new profile
  player.Key("Return");  // chosen: back on the main menu
  player.ParkPointer();
  player.Key("Return");  // Play: the start-game screen
  player.Key("Down");    // New game
  player.Key("Return");
  player.Key("Return");  // a mode: the first level starts
  std::this_thread::sleep_for(std::chrono::seconds(2));
  EXPECT_FALSE(dir.Exists("stat.stt")) << "nothing written while the level runs";
  player.Key("Escape");                            // pause
  for (int i = 0; i < 3; ++i) player.Key("Down");  // Main menu
  player.Key("Return");                            // the attempt's statistics are appended
  EXPECT_TRUE(WaitForFile(dir, "stat.stt", 10));
  player.ParkPointer();
  player.Key("Escape");  // the quit confirmation
  player.Key("Left");    // Yes
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
