#pragma once
#include <cstdint>
#include <vector>

#include "audio/sound_id.h"
#include "core/matrix.h"
#include "core/screen_state.h"
#include "core/vertex_formats.h"

namespace nb {

// The particle templates gameplay emits bursts from.
enum class BurstTemplate : int { ImpactBurst, PickupBurst, CrashBurst, TrailBurst, CursorSparkle };

// The merged walls and floor of a level: a plain triangle list of every
// appended vertex and, for each, the index of its first equal vertex.
struct LevelGeometry {
  std::vector<VertexPNT> vertices;
  std::vector<uint32_t> indices;
};

// Everything the rules set off outside themselves: sounds, particles, the
// camera, music, the screen state and the level mesh upload. The shell
// forwards these to the audio, particle, camera and geometry code; tests
// record them. Every call does nothing by default.
struct GameplayEvents {
  virtual ~GameplayEvents() = default;
  virtual void PlaySample(SoundId) {}
  virtual void StopMusic(MusicId) {}
  // Bursts from gameplay rise at 1 unit per update and spread by 1.
  virtual void EmitBurst(BurstTemplate, Vec3 /*at*/, int /*count*/) {}
  virtual void ClearParticles() {}
  virtual void MoveCameraTo(Vec3 /*eye*/, Vec3 /*target*/, float /*fov*/) {}
  virtual void SetCameraNow(Vec3 /*eye*/, Vec3 /*target*/, float /*fov*/) {}
  virtual void SetGameState(GameState) {}
  // The new level mesh replaces the previous one in the geometry store.
  virtual void ReplaceLevelMesh(const LevelGeometry&) {}
};

}  // namespace nb
