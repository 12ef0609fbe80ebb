// The corners of the play frame a replayed level does not reach: the clock
// running out, the pause on losing the focus and the tally of a won level,
// run through the real frame on a recording device with the shipped game data.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/vertex_formats.h"
#include "persistence/level_stats.h"
#include "shell/input.h"
#include "shell/screens/play_screen.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

class PlayScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(env.ready);
    ASSERT_TRUE(env.Start(1));
  }
  Game& game() { return *env.game; }
  World& world() { return game().world; }
  ProfileRecord& profile() { return game().profiles.profiles[0]; }

  // Frames at the frame clock, the pointer off the grid.
  void Frame(int frames = 1) {
    for (int i = 0; i < frames; ++i) test::PlayFrame(game(), {nowMs += 15, -1000, -1000});
  }
  // The most recent start of a sample (0: never played).
  uint64_t LastPlay(SoundId id) {
    const int handle = game().audio.catalogue.samples[static_cast<int>(id)];
    const auto& started = game().audio.device.samples.at(handle - 1).startedAt;
    return started.empty() ? 0 : *std::max_element(started.begin(), started.end());
  }

  test::GameOnDevice env{false};
  uint32_t nowMs = 100000;
};

TEST_F(PlayScreen, TheLastSecondEndsTheLevelAndTenLeftWarnsOnce) {
  for (int i = 0; i < 600 && !world().ball.ready; ++i) Frame();
  EXPECT_TRUE(MusicIsPlaying(game().audio, MusicId::Game)) << "since the loading screen's 130th frame";
  HandleInputEvent(game(), {.type = InputEvent::Type::ButtonDown, .button = MouseButton::Left, .text = {}});
  ASSERT_TRUE(world().ball.moving);
  world().level.timeLimit = 11;
  Frame();
  EXPECT_EQ(world().level.timeLimit, 10);
  const uint64_t warned = LastPlay(SoundId::TimeEnd);
  EXPECT_NE(warned, 0u);
  Frame();
  EXPECT_EQ(LastPlay(SoundId::TimeEnd), warned);

  // The clock counts a second once more than 1,000 ms of updates have passed
  // since the last: 63 updates of 16 ms, one of them already run above.
  world().level.timeLimit = 1;
  Frame(61);
  EXPECT_EQ(game().screen.gameState, GameState::Playing);
  Frame();
  EXPECT_EQ(game().screen.gameState, GameState::TimeUpScreen);
  EXPECT_GT(LastPlay(SoundId::Lost), warned);
  const int32_t rowPos = world().ball.rowPos;  // the screen fades in by 5 a frame; the world stands still
  Frame(2);
  EXPECT_EQ(world().play.fades[FadeTimeUp], 15);
  EXPECT_EQ(world().ball.rowPos, rowPos);
}

// Losing the focus, as the window system reports it, pauses the level: the
// overlay fades in, the camera backs away and the clock stands.
TEST_F(PlayScreen, LosingTheFocusPausesTheLevelAndItsClock) {
  ASSERT_TRUE(InitPlatform());
  for (int i = 0; i < 600 && !world().ball.ready; ++i) Frame();
  HandleInputEvent(game(), {.type = InputEvent::Type::ButtonDown, .button = MouseButton::Left, .text = {}});
  ASSERT_TRUE(world().ball.moving);
  SDL_Event lost{};
  lost.type = SDL_WINDOWEVENT;
  lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&lost);
  for (InputEvent event; TakeEvent(event);) HandleInputEvent(game(), event);
  EXPECT_EQ(game().screen.gameState, GameState::PauseMenu);
  const int32_t secondsLeft = world().level.timeLimit;
  nowMs += 5000;
  Frame(30);
  EXPECT_EQ(world().level.timeLimit, secondsLeft);
  EXPECT_EQ(world().play.fades[FadePause], 255);
  EXPECT_FLOAT_EQ(game().camera.eyeTarget.y, 1500.0f) << "the camera backs away behind the overlay";
  game().screen.gameState = GameState::Playing;
  Frame(2);
  EXPECT_EQ(world().play.fades[FadePause], 209);  // the menus' decay: 255, 231, 209
}

// A won level turns its seconds into points: the last one at 100 a frame on
// the way to the game-completed screen, any other at 111 a frame after the
// 64 frames of its tally, then the next level starts with the attempt kept in
// stat.stt.
TEST_F(PlayScreen, AWonLevelConvertsItsSecondsIntoPoints) {
  for (bool last : {true, false}) {
    SCOPED_TRACE(last ? "last level" : "level 1 of 31");
    game().levelCount = last ? 1 : 31;
    game().screen.gameState = GameState::Playing;
    world().play.introFrames = 200;
    world().play.levelWon = true;
    world().level.timeLimit = 4;
    profile().score[0] = 0;
    Frame(last ? 1 : 65);
    EXPECT_EQ(game().screen.gameState, last ? GameState::GameCompletedScreen : GameState::Playing);
    EXPECT_EQ((std::vector<int>{world().level.timeLimit, profile().score[0]}),
              (std::vector<int>{3, last ? 100 : 111}));
    Frame(3);
    EXPECT_EQ((std::vector<int>{world().level.timeLimit, profile().score[0]}),
              (std::vector<int>{1, last ? 300 : 333}));
    if (last) {
      EXPECT_EQ(world().play.tallyCounter, 0) << "no tally after the last level";
      EXPECT_GT(world().play.fades[FadeCompleted], 0);
      continue;
    }
    for (int i = 0; i < 100 && profile().level[0] == 1; ++i) Frame();
    EXPECT_EQ(profile().level[0], 2);
    EXPECT_FALSE(world().play.levelWon);
    // It opens on its loading screen: the picture black behind the logo.
    env.Recording()->draws.clear();
    Frame();
    EXPECT_TRUE(std::any_of(env.Recording()->draws.begin(), env.Recording()->draws.end(), [](const auto& d) {
      VertexScreen v{};
      if (d.vertexBytes.size() >= sizeof v) std::memcpy(&v, d.vertexBytes.data(), sizeof v);
      return d.fvf == kFvfScreen && !d.texture && v.color == 0xFF000000u;
    }));
    const std::vector<LevelStats> stats = ReadLevelStatistics(env.dir.File("stat.stt"));
    ASSERT_EQ(stats.size(), 1u);
    EXPECT_EQ((std::vector<int>{stats[0].counters[StatLevelNumber], stats[0].counters[StatSecondsLeft]}),
              (std::vector<int>{1, 4}));
  }
}

}  // namespace
}  // namespace nb
