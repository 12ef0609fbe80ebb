// The play frame as the player meets it: the cursor, the level clock, the
// intro, the tally and the loading screen, run through the real frame on a
// recording device with the shipped game data.
#include <gtest/gtest.h>

#include "shell/screens/play_screen.h"
#include "shell/screens/scene_fixture.h"
#include "shell/input.h"

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

  // Frames at the frame clock, the pointer in the middle or off the grid.
  void Frame(int frames = 1) {
    for (int i = 0; i < frames; ++i) PlayScreenFrameWith(game(), {nowMs += 15, 400, 300});
  }
  void FrameOffGrid(int frames = 1) {
    for (int i = 0; i < frames; ++i) PlayScreenFrameWith(game(), {nowMs += 15, -1000, -1000});
  }
  // Frames until the ball waits for the click (the end of the intro).
  bool RunIntro() {
    for (int i = 0; i < 600 && !world().ball.ready; ++i) Frame();
    return world().ball.ready;
  }
  void Click(MouseButton button) {
    InputEvent event;
    event.type = InputEvent::Type::ButtonDown;
    event.button = button;
    HandleInputEvent(game(), event);
  }
  // The most recent start of a sample (0: never played).
  uint64_t LastPlay(SoundId id) {
    const AudioDevice& device = game().audio.device;
    SampleHandle handle = game().audio.catalogue.samples[static_cast<int>(id)];
    if (handle <= 0 || handle > static_cast<int>(device.samples.size())) return 0;
    uint64_t last = 0;
    for (uint64_t s : device.samples[handle - 1].startedAt) last = std::max(last, s);
    return last;
  }

  test::GameOnDevice env{false};
  uint32_t nowMs = 100000;
};

TEST_F(PlayScreen, TheCursorFollowsThePointerAndSparklesEveryTwentyFirstFrame) {
  SetCameraNow(game().camera, {200, 1000, 200}, {200, 0, 201}, 45);
  StepCamera(game().camera, 800, 600);
  ClearParticles(game().particles);
  world().play.cursorSparkle = 0;
  for (int i = 0; i < 20; ++i) UpdatePlayCursor(game(), 400, 300);
  EXPECT_EQ(game().cursor.row, 4);  // the middle of the screen looks at (200, 0, 200)
  EXPECT_EQ(game().cursor.col, 4);
  for (const Particle& p : game().particles.particles) EXPECT_FALSE(p.alive);
  UpdatePlayCursor(game(), 400, 300);
  const Particle& sparkle = game().particles.particles[0];
  ASSERT_TRUE(sparkle.alive);
  EXPECT_EQ(sparkle.frame, 11u);
  EXPECT_NEAR(sparkle.position.x, 200, 1);
  EXPECT_NEAR(sparkle.position.z, 200, 1);
  EXPECT_EQ(world().play.cursorSparkle, 0);
}

TEST_F(PlayScreen, LoadingScreenThenIntroThenTheBallWaits) {
  EXPECT_FALSE(world().ball.ready);
  Frame(100);
  EXPECT_EQ(world().play.introFrames, 100);
  EXPECT_EQ(LastPlay(SoundId::Start), 0u) << "no intro during the loading screen";
  Click(MouseButton::Left);  // a click before the prompt does nothing
  EXPECT_FALSE(world().ball.moving);
  Frame(2);
  EXPECT_NE(LastPlay(SoundId::Start), 0u);
  EXPECT_EQ(world().play.introPhase, 0);
  EXPECT_FLOAT_EQ(game().camera.eyeTarget.y, 900.0f) << "the camera drops for the caption";
  ASSERT_TRUE(RunIntro());
  EXPECT_EQ(world().play.introPhase, 3);
  EXPECT_EQ(world().play.introFrames, 101 + 127 + 126);  // 127 frames up, 126 down
  const int alpha = world().play.promptAlpha;
  Frame();
  EXPECT_EQ(world().play.promptAlpha, std::min(alpha + 5, 255));
}

TEST_F(PlayScreen, MusicStartsAtFrame130AndTheCounterWrapsAt600) {
  Frame(129);
  EXPECT_FALSE(MusicIsPlaying(game().audio, MusicId::Game));
  Frame();
  EXPECT_TRUE(MusicIsPlaying(game().audio, MusicId::Game));
  world().play.introFrames = 599;
  world().ball.moving = true;  // rolling: no intro
  Frame();
  EXPECT_EQ(world().play.introFrames, 131);
}

TEST_F(PlayScreen, SecondsCountOnlyWhileTheBallRollsAndTheFirstAtOnce) {
  ASSERT_TRUE(RunIntro());
  const int32_t limit = world().level.timeLimit;
  Frame(200);  // three seconds of waiting
  EXPECT_EQ(world().level.timeLimit, limit);
  Click(MouseButton::Left);
  ASSERT_TRUE(world().ball.moving);
  Frame();
  EXPECT_EQ(world().level.timeLimit, limit - 1);
  EXPECT_EQ(world().stats.counters[StatSecondsPlayed], 1);
  Frame();
  EXPECT_EQ(world().level.timeLimit, limit - 1);
  RunPlayRules(game(), static_cast<float>(nowMs) * 0.001f + 1.01f);
  EXPECT_EQ(world().level.timeLimit, limit - 2);
}

TEST_F(PlayScreen, TheLastSecondEndsTheLevelAndTenLeftWarnsOnce) {
  ASSERT_TRUE(RunIntro());
  Click(MouseButton::Left);
  world().level.timeLimit = 11;
  Frame();
  EXPECT_EQ(world().level.timeLimit, 10);
  const uint64_t warned = LastPlay(SoundId::TimeEnd);
  EXPECT_NE(warned, 0u);
  Frame();
  EXPECT_EQ(LastPlay(SoundId::TimeEnd), warned);

  world().level.timeLimit = 1;
  nowMs += 1100;
  Frame();
  EXPECT_EQ(game().screen.gameState, GameState::TimeUpScreen);
  EXPECT_NE(LastPlay(SoundId::Lost), 0u);
  const int32_t rowPos = world().ball.rowPos;  // the screen fades in by 5 a frame; the world stands still
  Frame(2);
  EXPECT_EQ(world().play.fades[FadeTimeUp], 15);
  EXPECT_EQ(world().ball.rowPos, rowPos);
}

TEST_F(PlayScreen, OverlayFadesGrowInTheirStateAndShrinkAfter) {
  world().play.introFrames = 200;
  game().screen.gameState = GameState::PauseMenu;
  Frame(30);
  EXPECT_EQ(world().play.fades[FadePause], 255);
  EXPECT_FLOAT_EQ(game().camera.eyeTarget.y, 1500.0f) << "the camera backs away behind the overlay";
  game().screen.gameState = GameState::Playing;
  Frame();
  EXPECT_EQ(world().play.fades[FadePause], 231);
  Frame();
  EXPECT_EQ(world().play.fades[FadePause], 209);  // the menus' decay: 255, 231, 209, 189
}

TEST_F(PlayScreen, ARightClickOnFloorIsCountedAndOnAReflectorRemovesIt) {
  ASSERT_TRUE(RunIntro());
  Click(MouseButton::Left);
  game().cursor = ComputeCursorCell(50 * 3 + 10, 50 * 3 - 10);
  ASSERT_EQ(world().level.cells[3][3].kind, Floor);
  Click(MouseButton::Right);
  EXPECT_EQ(world().stats.counters[StatRightClicks], 1);
  Click(MouseButton::Left);
  EXPECT_EQ(world().level.cells[3][3].kind, ReflectorAnti);
  Click(MouseButton::Right);
  EXPECT_EQ(world().stats.counters[StatRightClicks], 2);
  FrameOffGrid(10);  // the cursor stays put
  EXPECT_EQ(world().level.cells[3][3].kind, Floor) << "the removal animation clears the cell";
}

TEST_F(PlayScreen, AfterAFallTheCaptionAndPromptReturnWithoutTheStartSound) {
  ASSERT_TRUE(RunIntro());
  const uint64_t started = LastPlay(SoundId::Start);
  ASSERT_NE(started, 0u);
  const int row = world().level.startRow / 50, col = world().level.startCol / 50;
  world().level.cells[row + 1][col] = {Hole, 0, 0, 0};  // right in front of the start
  Click(MouseButton::Left);
  for (int i = 0; i < 300 && !world().ball.falling; ++i) FrameOffGrid();
  ASSERT_TRUE(world().ball.falling);
  for (int i = 0; i < 300 && !world().ball.ready; ++i) FrameOffGrid();
  ASSERT_TRUE(world().ball.ready);
  EXPECT_EQ(world().stats.counters[StatHoles], 1);
  world().play.promptAlpha = 0;
  Frame(2);
  EXPECT_EQ(world().play.promptAlpha, 10) << "the prompt shows again";
  EXPECT_EQ(world().play.introPhase, 3);
  EXPECT_EQ(LastPlay(SoundId::Start), started);
}

TEST_F(PlayScreen, TheTallyTurnsSecondsInto111PointsThenStartsTheNextLevel) {
  ASSERT_GT(game().levelCount, 1);
  world().play.introFrames = 200;
  world().play.levelWon = true;
  world().level.timeLimit = 5;
  world().stats.counters[StatLevelNumber] = 1;
  profile().score[0] = 1000;
  FrameOffGrid(64);
  EXPECT_EQ((std::vector<int>{world().play.tallyCounter, world().stats.counters[StatSecondsLeft], world().level.timeLimit}),
            (std::vector<int>{64, 5, 5}));
  FrameOffGrid(5);
  EXPECT_EQ((std::vector<int>{world().level.timeLimit, profile().score[0], int(world().play.tallyFade)}),
            (std::vector<int>{1, 1000 + 4 * 111, 4}));
  EXPECT_FALSE(env.dir.Exists("stat.stt"));
  FrameOffGrid(62);
  EXPECT_EQ(world().play.tallyFade, 252u);
  FrameOffGrid();  // 256: the next level
  EXPECT_EQ(env.dir.Read("stat.stt").size(), 52u);
  EXPECT_EQ(profile().level[0], 2);
  EXPECT_FALSE(world().play.levelWon);
  EXPECT_EQ(world().play.introFrames, 1) << "the loading screen begins in the same frame";
  EXPECT_EQ((std::vector<int>{int(world().play.tallyFade), world().stats.counters[StatSecondsLeft]}),
            (std::vector<int>{0, 0}));
  EXPECT_EQ(game().screen.gameState, GameState::Playing);
}

TEST_F(PlayScreen, TheLastLevelConvertsSecondsAt100AFrame) {
  profile().level[0] = game().levelCount;
  world().play.introFrames = 200;
  world().play.levelWon = true;
  world().level.timeLimit = 4;
  profile().score[0] = 0;
  FrameOffGrid();
  EXPECT_EQ(game().screen.gameState, GameState::GameCompletedScreen);
  EXPECT_EQ((std::vector<int>{world().level.timeLimit, profile().score[0]}), (std::vector<int>{3, 100}));
  FrameOffGrid(3);
  EXPECT_EQ((std::vector<int>{world().level.timeLimit, profile().score[0]}), (std::vector<int>{1, 300}));
  EXPECT_EQ(world().play.tallyCounter, 0) << "no tally after the last level";
  EXPECT_GT(world().play.fades[FadeCompleted], 0);
}

}  // namespace
}  // namespace nb
