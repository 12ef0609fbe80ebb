// The real game under the test display, driven only by X input as a player
// would: a new profile, a new game, a pause, back to the main menu and out.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>

#include <fstream>
#include <iterator>

#include "core/settings_file.h"
#include "gameplay/play_actions.h"
#include "persistence/bests.h"
#include "persistence/level_stats.h"
#include "persistence/records.h"
#include "persistence/replay_file.h"
#include "render/camera.h"
#include "support/game_process.h"
#include "support/scratch_dir.h"
#include "tools/levelc/level_source.h"

namespace nb {
namespace {

// Keys and text to the game's window on a display of its own, where no
// other test's window takes the focus (which pauses a level). A key that
// changes the screen waits for the game's log to name the new one, so a slow
// build (the sanitizers) never runs ahead of the game; other keys leave the
// game a few frames.
struct XPlayer {
  std::string window, log, display;
  std::map<std::string, int> seen;  // screens named in the log so far
  void Xdo(const std::string& what) const { test::RunCommand("DISPLAY=" + display + " xdotool " + what); }
  void Send(const std::string& what) const {
    Xdo(what);
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
  void ParkPointer() const { Xdo("mousemove --window " + window + " 790 590"); }
  bool Logged(const std::string& text, int times = 1) const {
    return test::WaitForText(log, text, times, 120);
  }
};

// Where on an 800 x 600 picture the pointer stands over the middle of the
// quarter of (row, col) that places a Reflector of the given kind, with the
// camera at the level's home view and then a few updates into its lean
// towards that cell once the ball rolls: a click some updates sooner or later
// still lands well inside the quarter.
std::pair<int, int> PointerFor(const levels::LevelSource& level, int row, int col, int kind) {
  CameraState camera;
  const float midRow = static_cast<float>((level.rows - 1) * 25),
              midCol = static_cast<float>((level.cols - 1) * 25);
  SetCameraNow(camera, {midRow, 1200, midCol}, {midRow, 0, midCol}, 45);
  StepCamera(camera, 800, 600);
  MoveCameraTo(camera, {(row * 0.5f + level.rows * 0.25f) * 50, 1200, (col * 0.5f + level.cols * 0.25f) * 50},
               {midRow, 0, midCol}, 45);
  for (int update = 0; update < 6; ++update) StepCamera(camera, 800, 600);
  const float wantX = static_cast<float>(row * 50) + 12.5f;
  const float wantZ = static_cast<float>(col * 50) + (kind == ReflectorMain ? 12.5f : -12.5f);
  std::pair<int, int> best{-1, -1};
  float nearest = 1e9f;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      float px = 0, pz = 0;
      if (!PickGroundPoint(camera, x, y, 800, 600, 0, 0, 0, &px, &pz)) continue;
      const float d = std::abs(px - wantX) + std::abs(pz - wantZ);
      if (d < nearest) nearest = d, best = {x, y};
    }
  return best;
}

// The shipped game in a scratch folder, in a window and in English.
void InstallWindowedGame(const test::ScratchDir& dir) {
  test::InstallShippedGame(dir.path());
  SettingsFile shipped{dir.File("settings.ini")};
  shipped.WriteString("General", "fullscreen", "false");
  shipped.WriteString("General", "Language", "en");
  shipped.WriteInt("General", "MusicVolume", 40);
}

// From the splash: a new profile "Tester" is made and chosen, and a new game
// in the first mode starts its first level.
void NewPlayerStartsANewGame(XPlayer& player) {
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
}

TEST(MenuBinary, APlayerCreatesAProfilePlaysPausesAndQuitsWithTheKeyboard) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  test::ScratchDir dir;
  InstallWindowedGame(dir);
  test::PrivateDisplay display;
  ASSERT_TRUE(display.ready());
  test::GameProcess game(dir.path(), display.name());
  ASSERT_TRUE(game.WaitForWindow(60)) << "the game window never appeared";
  XPlayer player{game.window(), dir.File("Log.txt"), display.name(), {}};
  ASSERT_NO_FATAL_FAILURE(NewPlayerStartsANewGame(player));
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

// A level won in the profile's run keeps its best and its replay; the Levels
// page plays that replay to the same win, and practice leaves the run alone.
TEST(MenuBinary, AWonLevelIsReplayedAndPractisedBesideTheRun) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  test::ScratchDir dir;
  InstallWindowedGame(dir);
  std::ifstream in(std::string(NB_SOURCE_DIR) + "/data/levels/01-first-turn.lvl");
  levels::SourceError error;
  const auto level = levels::ParseLevelSource(std::string(std::istreambuf_iterator<char>(in), {}), error);
  ASSERT_TRUE(level && level->solution.size() == 1);
  const levels::SolutionMove move = level->solution[0];
  const auto [x, y] =
      PointerFor(*level, move.row, move.col,
                 move.action == levels::MoveAction::PlaceMain ? ReflectorMain : ReflectorAnti);

  test::PrivateDisplay display;
  ASSERT_TRUE(display.ready());
  test::GameProcess game(dir.path(), display.name());
  ASSERT_TRUE(game.WaitForWindow(60));
  XPlayer player{game.window(), dir.File("Log.txt"), display.name(), {}};
  ASSERT_NO_FATAL_FAILURE(NewPlayerStartsANewGame(player));

  // The camera settles over the level and the cursor on the pointer; one
  // click starts the ball, the next places the Reflector of the stored solution.
  ASSERT_TRUE(player.Logged("Level 1: the ball waits for its click"));
  player.Xdo("mousemove --window " + player.window + " " + std::to_string(x) + " " + std::to_string(y));
  std::this_thread::sleep_for(std::chrono::seconds(8));
  player.Xdo("click --window " + player.window + " 1 sleep 0.12 click --window " + player.window + " 1");
  ASSERT_TRUE(player.Logged("Level 1 won after")) << test::RunCommand("tail -4 " + player.log);
  const std::string won =
      test::RunCommand("grep -o 'Level 1 won after [0-9]* updates, [0-9]* seconds' " + player.log);
  ASSERT_TRUE(player.Logged("Level 2: the ball waits for its click"));
  ASSERT_TRUE(player.KeyTo("Escape", "pause"));
  std::this_thread::sleep_for(std::chrono::seconds(1));
  player.ParkPointer();
  for (int i = 0; i < 3; ++i) player.Key("Down");
  ASSERT_TRUE(player.KeyTo("Return", "main menu"));
  player.ParkPointer();

  // The Levels page: its highlight opens on level 2; level 1's Watch label lies below 1.
  for (int i = 0; i < 3; ++i) player.Key("Up");  // from Main menu's place in the pause to Play
  ASSERT_TRUE(player.KeyTo("Return", "start game"));
  player.Key("Down");
  player.Key("Down");
  ASSERT_TRUE(player.KeyTo("Return", "levels"));
  player.Key("Left");
  player.Key("Down");
  ASSERT_TRUE(player.KeyTo("Return", "playing")) << "Watch plays level 1's replay";
  ASSERT_TRUE(player.Logged("Level 1 won in a replay after")) << player.log;
  const std::string watched = test::RunCommand(
      "grep -o 'Level 1 won in a replay after [0-9]* updates, [0-9]* seconds' " + player.log);
  EXPECT_EQ(watched.substr(watched.find("after")), won.substr(won.find("after")));
  ASSERT_TRUE(player.Reached("levels")) << "the replay ends on the Levels page";

  // Practice of level 2, left from its pause menu.
  player.Key("Up");
  player.Key("Right");
  ASSERT_TRUE(player.KeyTo("Return", "playing"));
  ASSERT_TRUE(player.Logged("Level 2: the ball waits for its click", 2));
  ASSERT_TRUE(player.KeyTo("Escape", "pause"));
  std::this_thread::sleep_for(std::chrono::seconds(1));
  player.ParkPointer();
  for (int i = 0; i < 3; ++i) player.Key("Down");
  ASSERT_TRUE(player.KeyTo("Return", "levels")) << "practice's pause leads back to the Levels page";
  ASSERT_TRUE(player.KeyTo("Escape", "start game"));
  ASSERT_TRUE(player.KeyTo("Escape", "main menu"));
  ASSERT_TRUE(player.KeyTo("Escape", "exit"));
  player.Key("Left");
  player.Key("Return");
  EXPECT_EQ(game.StopWith(0, 20), 0);

  // The run is on level 2 with every life, level 1's best and replay are kept,
  // and stat.stt holds the run's two attempts only.
  ProfileTable profiles;
  RecordsTable records;
  LoadRecordsFile(profiles, records);
  ASSERT_EQ(profiles.count, 1);
  const ProfileRecord& p = profiles.profiles[0];
  EXPECT_EQ((std::vector<int>{p.level[p.mode], p.lives[p.mode]}),
            (std::vector<int>{2, kNewGameLives[p.mode]}));
  EXPECT_GT(p.score[p.mode], 0);
  const BestsTable bests = LoadBestsFile(dir.File("bests.dat"));
  ASSERT_EQ(bests.entries.size(), 1u);
  EXPECT_EQ(bests.entries[0].level, 1);
  EXPECT_TRUE(dir.Exists(ReplayFileName("Tester", p.mode, 1)));
  EXPECT_FALSE(dir.Exists(ReplayFileName("Tester", p.mode, 2)));
  EXPECT_EQ(ReadLevelStatistics(dir.File("stat.stt")).size(), 2u);
}

}  // namespace
}  // namespace nb
