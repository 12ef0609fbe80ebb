#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gameplay/level_setup.h"
#include "gameplay/play_actions.h"
#include "gameplay/world.h"
#include "gameplay/world_step.h"

namespace nb::test {

struct BurstCall {
  BurstTemplate kind;
  Vec3 at;
  int count;
};

struct CameraCall {
  Vec3 eye, target;
  float fov;
};

// Records every outside effect the rules set off, in order.
struct RecordingEvents : GameplayEvents {
  std::vector<std::string> log;  // one line per call
  std::vector<SoundId> sounds;
  std::vector<BurstCall> bursts;
  std::vector<CameraCall> moves, cuts;
  std::vector<GameState> states;

  void PlaySample(SoundId id) override {
    sounds.push_back(id);
    log.push_back(std::string("sound ") + kSampleKeys[static_cast<int>(id)]);
  }
  void StopMusic(MusicId id) override { log.push_back(std::string("stop ") + kMusicKeys[static_cast<int>(id)]); }
  void EmitBurst(BurstTemplate kind, Vec3 at, int count) override {
    bursts.push_back({kind, at, count});
    log.push_back("burst");
  }
  void ClearParticles() override { log.push_back("clear particles"); }
  void MoveCameraTo(Vec3 eye, Vec3 target, float fov) override {
    moves.push_back({eye, target, fov});
    log.push_back("move camera");
  }
  void SetCameraNow(Vec3 eye, Vec3 target, float fov) override {
    cuts.push_back({eye, target, fov});
    log.push_back("set camera");
  }
  void SetGameState(GameState state) override {
    states.push_back(state);
    log.push_back("state " + std::to_string(static_cast<int>(state)));
  }
  void ReplaceLevelMesh(const LevelGeometry&) override { log.push_back("level mesh"); }

  int Count(SoundId id) const { return static_cast<int>(std::count(sounds.begin(), sounds.end(), id)); }
  int Logged(const std::string& line) const { return static_cast<int>(std::count(log.begin(), log.end(), line)); }
  // Bursts of the kind at the floor centre of (row, col).
  int CountBursts(BurstTemplate kind, int row, int col, int count) const {
    return static_cast<int>(std::count_if(bursts.begin(), bursts.end(), [&](const BurstCall& b) {
      return b.kind == kind && b.at.x == 50.0f * row && b.at.z == 50.0f * col && b.at.y == 0.0f && b.count == count;
    }));
  }
  void Clear() { log.clear(), sounds.clear(), bursts.clear(), moves.clear(), cuts.clear(), states.clear(); }
};

using V = std::vector<int32_t>;
inline V KSV(const GridCell& c) { return {c.kind, c.state, c.value}; }

// Grid legend for the hand-made levels (row = line, column = character):
//   .  Floor      #  Wall       G  Gate        s  Switch
//   \  ReflectorMain (turns along row = column)   /  ReflectorAnti
//   o  Stone      B  Bonus (random kind)          O  Hole
//   S  Start      (space) Void  b  Brick          T  Teleport
//   m  MovableBrick
//   > v < ^  Valve open towards higher columns, higher rows, lower columns, lower rows
GridCell CellFor(char ch);

// A fresh world, one chosen profile (mode 0, score 0, 3 lives, level 1), a
// seeded generator and recorded events.
class GameplayTest : public ::testing::Test {
 public:
  GameplayTest();

  // Puts the drawn grid into the level record and runs the setup derivations
  // on it (without a file); the ball waits at the Start cell heading for higher rows.
  void Load(const std::vector<std::string>& rows, int32_t timeLimit = 100);
  // The ball rolls from the centre of (row, col) in direction (dRow, dCol).
  void Roll(int row, int col, int dRow, int dCol, int speed = kBaseSpeed);
  void Step(int steps = 1) {
    for (int i = 0; i < steps; ++i) StepWorld(*world, ctx);
  }
  // Steps (or runs whole frames) until the condition holds; false after maxSteps.
  template <typename Pred>
  bool StepUntil(Pred pred, int maxSteps = 1000, bool frames = false) {
    for (int i = 0; i < maxSteps && !pred(); ++i) frames ? SimulatePlayFrame(*world, ctx) : StepWorld(*world, ctx);
    return pred();
  }

  GridCell& Cell(int row, int col) { return world->level.cells[row][col]; }
  BallState& Ball() { return world->ball; }
  V BallPos() const { return {world->ball.rowPos, world->ball.colPos}; }
  V BallDir() const { return {world->ball.dRow, world->ball.dCol}; }
  ProfileRecord& Profile() { return profiles.profiles[0]; }
  int32_t Stat(LevelStatsIndex i) const { return world->stats.counters[i]; }

  std::unique_ptr<World> world = std::make_unique<World>();
  ProfileTable profiles;
  Rng rng;
  RecordingEvents events;
  GameplayContext ctx{profiles, rng, events, {}};
};

}  // namespace nb::test
