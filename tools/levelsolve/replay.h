#pragma once
// Replays a stored solution through the game's own rules: the clicks of the
// play screen's handlers, its rules of a frame with the level clock counting
// a second every 60 frames (the first at once when the ball starts, as the
// play screen counts it), and the element animations of its update. Random bonuses
// are kept from appearing so a replay does not depend on the random numbers.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "../levelc/level_source.h"
#include "gameplay/element_animations.h"
#include "gameplay/level_setup.h"
#include "gameplay/play_actions.h"
#include "gameplay/world.h"
#include "render/camera.h"

namespace nb::levels {

constexpr int kStepsPerSecond = 60;

// Remembers the screen state the rules ask for (time up, game over).
struct ReplayEvents : GameplayEvents {
  GameState gameState = GameState::Playing;
  void SetGameState(GameState state) override { gameState = state; }
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
    world.play.bonusSeconds = 0;  // no random bonus
    out.secondsCounted += StepPlayFrame(world, ctx, step % kStepsPerSecond == 0);
    AdvanceElementAnimations(world.level, world.play);  // as the play screen's update runs them
    out.steps = step;
    out.won = world.play.levelWon;
    out.gameOver = events.gameState == GameState::GameOverScreen;
    out.timeUp = events.gameState == GameState::TimeUpScreen;
    if (out.won || out.gameOver || out.timeUp) break;
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
    FillLevelRecord(src, world->level);
    PrepareLoadedLevel(*world, ctx);
  }
};

// The cells a player can point at. While the ball rolls, the play screen
// eases the camera's eye towards ((row / 2 + rows / 4) x 50, 1200,
// (col / 2 + cols / 4) x 50) for the cell under the pointer, looking at the
// middle of the grid; on a large grid the pointer held at the screen's edge
// never gets past a band near the border. This runs the game's camera and
// cursor with the pointer held at each edge and corner of an 800 x 600
// screen until the eye settles, and keeps one cell clear of the band.
struct ClickableBox {
  int minRow = 0, maxRow = 0, minCol = 0, maxCol = 0;
  bool Contains(int row, int col) const {
    return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
  }
};

inline ClickableBox ClickableCells(int rows, int cols) {
  constexpr int kWidth = 800, kHeight = 600;
  const Vec3 home{(rows - 1) * 25.0f, 0.0f, (cols - 1) * 25.0f};
  auto settle = [&](int pointerX, int pointerY) {
    CameraState camera;
    SetCameraNow(camera, {home.x, 1200.0f, home.z}, home, 45.0f);
    StepCamera(camera, kWidth, kHeight);
    CursorCell cursor;
    for (int frame = 0; frame < 3000; ++frame) {
      float x = 0, z = 0;
      if (!PickGroundPoint(camera, pointerX, pointerY, kWidth, kHeight, 0, 0, 0, &x, &z)) break;
      cursor = ComputeCursorCell(x, z);
      MoveCameraTo(
          camera,
          {(cursor.row * 0.5f + rows * 0.25f) * 50.0f, 1200.0f, (cursor.col * 0.5f + cols * 0.25f) * 50.0f},
          home, 45.0f);
      StepCamera(camera, kWidth, kHeight);
    }
    return cursor;
  };
  ClickableBox box{-1000, 1000, -1000, 1000};
  for (int y : {0, kHeight / 2, kHeight - 1}) {
    box.minRow = std::max(box.minRow, settle(0, y).row + 1);
    box.maxRow = std::min(box.maxRow, settle(kWidth - 1, y).row - 1);
  }
  for (int x : {0, kWidth / 2, kWidth - 1}) {
    box.minCol = std::max(box.minCol, settle(x, kHeight - 1).col + 1);
    box.maxCol = std::min(box.maxCol, settle(x, 0).col - 1);
  }
  return box;
}

}  // namespace nb::levels
