#include "shell/run_recording.h"

#include <algorithm>

#include "core/file_io.h"
#include "core/log.h"
#include "gameplay/level_file.h"
#include "gameplay/play_actions.h"
#include "shell/startup.h"

namespace nb {
namespace {

bool InPlay(GameState state) {
  using enum GameState;
  return state == Playing || state == PauseMenu || state == OptionsInPlay || state == HelpInPlay;
}

void Record(Game& game, ReplayInput input, int row, int col, int value) {
  Replay& r = game.run.recording;
  if (game.run.kind == RunKind::Watch || r.events.size() >= kMaxReplayEvents) return;
  r.events.push_back({game.run.tick, input, row, col, value});
}

// The watched run's inputs of this update, given as the player gave them.
void GiveWatchedInputs(Game& game) {
  LevelRun& run = game.run;
  const std::vector<ReplayEvent>& events = run.watched.events;
  for (; run.nextEvent < events.size() && events[run.nextEvent].tick <= run.tick; ++run.nextEvent) {
    const ReplayEvent& e = events[run.nextEvent];
    GameplayContext ctx = Gameplay(game);
    game.cursor.row = e.row;
    game.cursor.col = e.col;
    if (e.input == ReplayInput::Place)
      HandlePlayClick(game.world, ctx, e.row, e.col, e.value);
    else if (e.input == ReplayInput::Remove)
      RemoveReflectorAtCursor(game.world, ctx, e.row, e.col);
    else if (InPlay(static_cast<GameState>(e.value)))
      game.screen.gameState = static_cast<GameState>(e.value);
  }
}

// The cursor glides over the floor towards the cell of the next click, so the
// watcher sees where each Reflector goes before it appears.
void GlideWatchCursor(Game& game) {
  const LevelRun& run = game.run;
  for (size_t i = run.nextEvent; i < run.watched.events.size(); ++i) {
    const ReplayEvent& e = run.watched.events[i];
    if (e.input == ReplayInput::Screen) continue;
    const float x = static_cast<float>(e.row) * 50.0f, z = static_cast<float>(e.col) * 50.0f;
    const float left = static_cast<float>(e.tick - run.tick) + 1.0f;
    CursorCell& cursor = game.cursor;
    cursor.pointX += (x - cursor.pointX) / left;
    cursor.pointZ += (z - cursor.pointZ) / left;
    const CursorCell under = ComputeCursorCell(cursor.pointX, cursor.pointZ);
    cursor.row = under.row;
    cursor.col = under.col;
    cursor.placeKind = e.input == ReplayInput::Place ? e.value : cursor.placeKind;
    return;
  }
}

// Told once a session: a folder that cannot be written stays so for every win.
void ReportRunSaveFailure(Game& game, const std::string& name) {
  LogWrite("Could not write " + PlayerFile(game, name) + "\n");
  if (!game.run.saveFailureShown) ReportFailedSave(name);
  game.run.saveFailureShown = true;
}

}  // namespace

ProfileTable& ActiveProfiles(Game& game) {
  return game.run.kind == RunKind::Game ? game.profiles : game.run.alone;
}
const ProfileTable& ActiveProfiles(const Game& game) {
  return game.run.kind == RunKind::Game ? game.profiles : game.run.alone;
}

bool FinishesGame(const Game& game) {
  return game.run.kind == RunKind::Game && CurrentLevel(game.profiles) == game.levelCount;
}

void PrepareRunLevel(Game& game) {
  LevelRun& run = game.run;
  LevelPlayState& play = game.world.play;
  if (run.kind == RunKind::Watch) {
    game.rng.Seed(run.watched.seed);
    play.stepsSinceStone = run.watched.stepsSinceStone;
    play.bonusSeconds = static_cast<uint8_t>(run.watched.bonusSeconds);
  } else {
    // A fresh seed from the game's own sequence, kept so the run can be replayed.
    const uint32_t seed =
        static_cast<uint32_t>(game.rng.Rand()) << 15 ^ static_cast<uint32_t>(game.rng.Rand());
    game.rng.Seed(seed);
    run.recording = Replay{};
    run.recording.seed = seed;
    run.recording.stepsSinceStone = play.stepsSinceStone;
    run.recording.bonusSeconds = play.bonusSeconds;
  }
  // Long enough ago that the first second counts as the ball starts.
  play.msSinceSecond = 1 << 30;
}

void BeginRunLevel(Game& game) {
  LevelRun& run = game.run;
  GameplayContext ctx = Gameplay(game);
  run.tick = 0;
  run.nextEvent = 0;
  run.winCounted = false;
  run.lastScreen = game.screen.gameState;
  Replay& r = run.recording;
  r.level = CurrentLevel(ctx);
  r.mode = CurrentMode(ctx);
  r.practice = run.kind == RunKind::Practice;
  r.startScore = CurrentScore(ctx);
  r.startLives = CurrentLives(ctx);
  r.events.clear();
  std::vector<unsigned char> bytes;
  ReadWholeFile(NativePath(game.folders.data, LevelFileName(r.level)), bytes, kMaxLevelFileBytes);
  r.levelChecksum = ContentChecksum(bytes);
}

void PlayClick(Game& game, ReplayInput input) {
  if (game.run.kind == RunKind::Watch) return;
  const CursorCell& c = game.cursor;
  GameplayContext ctx = Gameplay(game);
  if (input == ReplayInput::Place)
    HandlePlayClick(game.world, ctx, c.row, c.col, c.placeKind);
  else
    RemoveReflectorAtCursor(game.world, ctx, c.row, c.col);
  Record(game, input, c.row, c.col, input == ReplayInput::Place ? c.placeKind : 0);
}

void BeforePlayUpdate(Game& game) {
  LevelRun& run = game.run;
  if (run.kind == RunKind::Watch) {
    GiveWatchedInputs(game);
    GlideWatchCursor(game);
  } else if (game.screen.gameState != run.lastScreen && InPlay(game.screen.gameState) &&
             InPlay(run.lastScreen)) {
    Record(game, ReplayInput::Screen, 0, 0, static_cast<int>(game.screen.gameState));
  }
  run.lastScreen = game.screen.gameState;
}

void CountWinOnce(Game& game) {
  LevelRun& run = game.run;
  // A level started outside the run's own start (a test's) has no recording.
  if (!game.world.play.levelWon || run.winCounted || run.recording.level < 1) return;
  run.winCounted = true;
  GameplayContext ctx = Gameplay(game);
  static constexpr const char* kKinds[] = {"", " in practice", " in a replay"};
  LogPrintf("Level %d won%s after %u updates, %d seconds left\n", CurrentLevel(ctx),
            kKinds[static_cast<int>(run.kind)], run.tick, game.world.level.timeLimit);
  const ProfileRecord* profile = PlayerProfile(ctx.profiles);
  if (run.kind == RunKind::Watch || !profile) return;
  Replay& r = run.recording;
  r.winTick = run.tick;
  r.secondsLeft = game.world.level.timeLimit;
  // Reflectors cost points in the run: a win that lost some scored none.
  r.points = std::max(0, CurrentScore(ctx) - r.startScore);
  if (UpdateBest(game.bests, profile->name, r.mode, r.level, r.secondsLeft, r.points) &&
      !SaveBestsFile(game.bests, PlayerFile(game, "bests.dat")))
    ReportRunSaveFailure(game, "bests.dat");
  Replay stored;
  const std::string name = ReplayFileName(profile->name, r.mode, r.level);
  if (LoadReplayFile(PlayerFile(game, name), stored) && !BetterRun(r, stored)) return;
  if (!SaveReplayFile(r, PlayerFile(game, name))) ReportRunSaveFailure(game, name);
}

void AfterPlayUpdate(Game& game) { ++game.run.tick; }

bool BetterRun(const Replay& run, const Replay& than) {
  if (run.secondsLeft != than.secondsLeft) return run.secondsLeft > than.secondsLeft;
  if (run.points != than.points) return run.points > than.points;
  return run.winTick < than.winTick;
}

}  // namespace nb
