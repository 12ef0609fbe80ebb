#include "shell/game.h"

#include "core/free_memory.h"
#include "shell/run_recording.h"

namespace nb {

static_assert(static_cast<int>(BurstTemplate::CursorSparkle) ==
                  static_cast<int>(ParticleTemplate::CursorSparkle),
              "gameplay's burst templates name the particle templates in their order");

void ShellEvents::PlaySample(SoundId sound) { PlaySound(game, sound); }

void ShellEvents::StopMusic(MusicId music) { nb::StopMusic(game.audio, music); }

void ShellEvents::EmitBurst(BurstTemplate which, Vec3 at, int count) {
  nb::EmitBurst(game.particles, static_cast<ParticleTemplate>(which), at, {0, 1, 0}, 1, count);
}

void ShellEvents::ClearParticles() { nb::ClearParticles(game.particles); }

void ShellEvents::MoveCameraTo(Vec3 eye, Vec3 target, float fov) {
  nb::MoveCameraTo(game.camera, eye, target, fov);
}

void ShellEvents::SetCameraNow(Vec3 eye, Vec3 target, float fov) {
  nb::SetCameraNow(game.camera, eye, target, fov);
}

void ShellEvents::SetGameState(GameState state) { game.screen.gameState = state; }

void ShellEvents::ReplaceLevelMesh(const LevelGeometry& geometry) {
  if (GraphicsDevice* device = Device(game)) {
    game.levelMeshRecord = nb::ReplaceLevelMesh(game.store, *device, geometry.vertices, geometry.indices);
    ReadyTexturesForPlay(game.catalogue, *device);
  }
  // The level file, its mesh and the first level's mip chains were built in temporaries.
  ReturnFreedMemory();
}

GraphicsDevice* Device(const Game& game) { return game.render.device.get(); }

GameplayContext Gameplay(Game& game) {
  GameplayContext ctx{ActiveProfiles(game), game.rng, game.events};
  ctx.dataDir = game.folders.data;
  const ResourceCatalogue& c = game.catalogue;
  ctx.meshes = {&c.Data(MeshKey::Pol),   &c.Data(MeshKey::Left), &c.Data(MeshKey::Right),
                &c.Data(MeshKey::Front), &c.Data(MeshKey::Back), &c.Data(MeshKey::Up)};
  return ctx;
}

std::string PlayerFile(const Game& game, const std::string& name) {
  return NativePath(game.folders.player, name);
}

void PlaySound(Game& game, SoundId sound) { nb::PlaySample(game.audio, sound, game.settings.soundVolume); }

}  // namespace nb
