#pragma once
// Replays a stored solution through the game's own rules: the clicks of the
// play screen's handlers, one world step and the element animations per
// frame, and the level clock counting a second every 60 frames (the first at
// once when the ball starts, as the play screen counts it). Random bonuses
// are kept from appearing so a replay does not depend on the random numbers.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "../levelc/level_source.h"
#include "gameplay/level_setup.h"
#include "gameplay/play_actions.h"
#include "gameplay/world.h"

namespace nb::levels {

constexpr int kStepsPerSecond = 60;

// Remembers the screen state the rules ask for (time up, game over).
struct ReplayEvents : GameplayEvents {
  int32_t gameState = kStatePlaying;
  void SetGameState(int32_t state) override { gameState = state; }
};

struct ReplayOutcome {
  bool won = false;
  bool timeUp = false;
  bool gameOver = false;
  int steps = 0;           // world steps until the last stone
  int secondsCounted = 0;  // seconds the level clock counted
  int timeLeft = 0;        // the level's time limit when it ended
  int falls = 0;
  int stonesLeft = 0;
};

// Called before each step's clicks with the step number; it may append
// moves for the current step (the designer's route timing does).
using ReplayObserver = std::function<void(int step, const World&)>;

// Starts the ball with a click on the grid's corner (never a cell a Reflector
// can go on), then plays the moves at their steps until the level is won,
// the time is up, the game is over or maxSteps have passed. A ball that fell
// is started again at once.
inline ReplayOutcome ReplaySolution(World& world, GameplayContext& ctx, ReplayEvents& events,
                                    const std::vector<SolutionMove>& moves, int maxSteps,
                                    const ReplayObserver& observe = nullptr) {
  ReplayOutcome out;
  world.ball.ready = true;  // the level intro has ended
  size_t next = 0;
  for (int step = 0; step < maxSteps; ++step) {
    if (step == 0 || world.ball.ready) HandlePlayClick(world, ctx, 0, 0, ReflectorAnti);
    if (observe) observe(step, world);
    while (next < moves.size() && moves[next].step <= step) {
      const SolutionMove& m = moves[next++];
      if (m.action == MoveAction::Remove)
        RemoveReflectorAtCursor(world, ctx, m.row, m.col);
      else
        HandlePlayClick(world, ctx, m.row, m.col,
                        m.action == MoveAction::PlaceMain ? ReflectorMain : ReflectorAnti);
    }
    SimulatePlayFrame(world, ctx);
    out.steps = step;
    if (world.play.levelWon) {
      out.won = true;
      break;
    }
    if (events.gameState == kStateGameOver) {
      out.gameOver = true;
      break;
    }
    if (world.ball.moving && step % kStepsPerSecond == 0) {
      world.play.bonusSeconds = 0;  // no random bonus
      ++out.secondsCounted;
      if (CountLevelSecond(world, ctx)) {
        out.timeUp = true;
        break;
      }
    }
  }
  out.timeLeft = world.level.timeLimit;
  out.falls = world.stats.counters[StatHoles];
  out.stonesLeft = world.level.stonesLeft;
  return out;
}

// A fresh world and the context around it: one profile in the given mode.
struct ReplayGame {
  std::unique_ptr<World> world = std::make_unique<World>();
  ProfileTable profiles;
  Rng rng;
  ReplayEvents events;
  GameplayContext ctx{profiles, rng, events};

  explicit ReplayGame(int mode, int levelNumber = 1, uint32_t seed = 1) {
    ProfileRecord& p = profiles.profiles[0];
    p.score[mode] = 0;
    p.level[mode] = levelNumber;
    p.lives[mode] = 3;
    p.mode = mode;
    profiles.count = 1;
    profiles.current = 0;
    rng.Seed(seed);
  }

  // Puts a parsed source into the level record and prepares it as level
  // setup does after reading the file.
  void PrepareFromSource(const LevelSource& src) {
    LevelRecord& level = world->level;
    level.timeLimit = src.timeLimit;
    level.rows = src.rows;
    level.cols = src.cols;
    for (int r = 0; r < src.rows; ++r)
      for (int c = 0; c < src.cols; ++c)
        level.cells[r][c] = {src.At(r, c).kind, src.At(r, c).state, src.At(r, c).value, 0};
    PrepareLoadedLevel(*world, ctx);
  }
};

}  // namespace nb::levels
