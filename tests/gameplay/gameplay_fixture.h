#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gameplay/element_animations.h"
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

// Records the outside effects the rules set off.
struct RecordingEvents : GameplayEvents {
  std::vector<SoundId> sounds;
  std::vector<MusicId> stopped;
  std::vector<BurstCall> bursts;
  std::vector<CameraCall> moves, cuts;
  std::vector<GameState> states;
  int meshes = 0;

  void PlaySample(SoundId id) override { sounds.push_back(id); }
  void StopMusic(MusicId id) override { stopped.push_back(id); }
  void EmitBurst(BurstTemplate kind, Vec3 at, int count) override { bursts.push_back({kind, at, count}); }
  void MoveCameraTo(Vec3 eye, Vec3 target, float fov) override { moves.push_back({eye, target, fov}); }
  void SetCameraNow(Vec3 eye, Vec3 target, float fov) override { cuts.push_back({eye, target, fov}); }
  void SetGameState(GameState state) override { states.push_back(state); }
  void ReplaceLevelMesh(const LevelGeometry&) override { ++meshes; }

  int Count(SoundId id) const { return static_cast<int>(std::count(sounds.begin(), sounds.end(), id)); }
  // Bursts of the kind at the floor centre of (row, col).
  int CountBursts(BurstTemplate kind, int row, int col, int count) const {
    return static_cast<int>(std::count_if(bursts.begin(), bursts.end(), [&](const BurstCall& b) {
      return b.kind == kind && b.at.x == 50.0f * row && b.at.z == 50.0f * col && b.at.y == 0.0f &&
             b.count == count;
    }));
  }
  void Clear() {
    sounds.clear(), stopped.clear(), bursts.clear(), moves.clear(), cuts.clear(), states.clear();
  }
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
// The drawn grid (line = row, character = column) as a level record.
std::unique_ptr<LevelRecord> DrawLevel(const std::vector<std::string>& rows, int32_t timeLimit = 60);

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
  // A play frame: its rules, then the element animations of its drawn scene.
  void Frame(bool secondDue = false) {
    StepPlayFrame(*world, ctx, secondDue);
    Animate(1);
  }
  void Animate(int frames) {
    for (int f = 0; f < frames; ++f) AdvanceElementAnimations(world->level, world->play);
  }
  // Steps (or runs whole frames) until the condition holds; false after maxSteps.
  template <typename Pred>
  bool StepUntil(Pred pred, int maxSteps = 1000, bool frames = false) {
    for (int i = 0; i < maxSteps && !pred(); ++i) frames ? Frame() : StepWorld(*world, ctx);
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
