#pragma once
#include <cstdint>

#include "core/random.h"
#include "gameplay/ball_state.h"
#include "gameplay/gameplay_events.h"
#include "gameplay/level_play_state.h"
#include "gameplay/level_record.h"
#include "gameplay/status_messages.h"
#include "persistence/level_stats.h"
#include "persistence/records.h"

namespace nb {

// The per-level world: what level setup builds and the world step changes.
struct World {
  LevelRecord level;
  BallState ball;
  LevelPlayState play;
  StatusMessageQueue messages;
  StatusTexts texts;
  LevelStats stats;
  LevelGeometry levelMesh;  // CPU copy of the merged walls and floor
};

// The catalogue meshes the static level geometry is assembled from; a null
// mesh (missing from the catalogue) contributes nothing.
struct LevelMeshSources {
  const MeshData* pol = nullptr;
  const MeshData* left = nullptr;
  const MeshData* right = nullptr;
  const MeshData* front = nullptr;
  const MeshData* back = nullptr;
  const MeshData* up = nullptr;
};

// What the rules use beside the world: the player profiles (score, lives,
// level and mode of the current one), the random numbers and the outside
// effects.
struct GameplayContext {
  ProfileTable& profiles;
  Rng& rng;
  GameplayEvents& events;
  LevelMeshSources meshes{};
  std::string dataDir{};  // where the level files are ("" the current directory)
};

// The current profile, or nullptr when none is chosen or the index is stale.
ProfileRecord* PlayerProfile(ProfileTable& profiles);
const ProfileRecord* PlayerProfile(const ProfileTable& profiles);
// The profile's game mode as an index 0..2 (a value outside reads as 0).
int ModeIndex(const ProfileRecord& profile);

// Score, lives and level of the current profile in its current mode; 0 when
// no profile is chosen. The setters do nothing then.
int32_t CurrentScore(const GameplayContext& ctx);
int32_t CurrentLives(const GameplayContext& ctx);
int32_t CurrentLevel(const GameplayContext& ctx);
int32_t CurrentMode(const GameplayContext& ctx);
int32_t CurrentScore(const ProfileTable& profiles);
int32_t CurrentLives(const ProfileTable& profiles);
int32_t CurrentLevel(const ProfileTable& profiles);
void SetCurrentScore(GameplayContext& ctx, int32_t score);
void SetCurrentLives(GameplayContext& ctx, int32_t lives);
void SetCurrentLevel(GameplayContext& ctx, int32_t level);

// A cell's centre on the floor, where its bursts appear.
inline Vec3 CellCentre(int row, int col) {
  return {static_cast<float>(kCellSize * row), 0.0f, static_cast<float>(kCellSize * col)};
}

}  // namespace nb
