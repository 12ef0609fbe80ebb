#include "shell/game.h"

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

void ShellEvents::SetGameState(int32_t state) { game.screen.gameState = state; }

GameplayContext Gameplay(Game& game) {
  return GameplayContext{game.profiles, game.rng, game.events};
}

void PlaySound(Game& game, SoundId sound) {
  nb::PlaySample(game.audio, sound, game.settings.soundVolume);
}

}  // namespace nb
