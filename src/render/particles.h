#pragma once
#include <array>
#include <cstdint>

#include "core/matrix.h"
#include "core/vertex_formats.h"
#include "platform/graphics_device.h"

namespace nb {

constexpr int kMaxParticles = 400;

// One glowing sprite of the scene; templates use the same record.
struct Particle {
  Vec3 position;
  Vec3 velocity;  // world units per update
  float windFactor = 0;
  float startSize = 0;  // half the edge length at birth
  float endSize = 0;
  uint8_t alphaStart = 0, alphaEnd = 0;
  uint8_t colorStart[3]{};
  uint8_t colorEnd[3]{};
  uint32_t frame = 1;  // atlas tile 1..16
  float age = 0;
  float lifetime = 0;
  float spare = 5.0f;
  uint32_t alive = 0;
};

enum class ParticleTemplate : int { ImpactBurst, PickupBurst, CrashBurst, TrailBurst, CursorSparkle, Count };

// The pool of 400 particles and the device buffers their quads are drawn from.
struct ParticleSystem {
  Vec3 wind{0, -1, 0};
  VertexBufferHandle vertexBuffer;
  IndexBufferHandle indexBuffer;
  std::array<Particle, kMaxParticles> particles{};
  std::array<Particle, static_cast<int>(ParticleTemplate::Count)> templates{};
};

// The five burst templates.
Particle MakeParticleTemplate(ParticleTemplate which);

// Creates the buffers (1600 vertices, 2400 indices written once, managed)
// and sets the templates and a downward wind. False when a buffer cannot be made.
bool CreateParticleSystem(ParticleSystem& system, GraphicsDevice& device);
void ReleaseParticleSystem(ParticleSystem& system, GraphicsDevice& device);

void ClearParticles(ParticleSystem& system);
// Copies the particle into the first free slot; a full pool drops it. A
// frame outside 1..16 would cut a tile outside the atlas and is refused.
bool EmitParticle(ParticleSystem& system, const Particle& particle);
// count particles from a template at p, fanning out 1 radian apart around
// the vertical axis: velocity (sin i * spread + b.x, b.y * spread, cos i * spread + b.z).
void EmitBurst(ParticleSystem& system, ParticleTemplate which, const Vec3& p, const Vec3& base, float spread,
               int count);

// One update: moves and ages every live particle and drops the expired ones.
void StepParticles(ParticleSystem& system, float dt);

// Builds one camera-facing quad per live particle from the inverted view
// matrix, in one lock of the vertex buffer, and draws them in one call,
// blended (added to the scene when additive) and never hidden by the
// scene's depth.
void DrawParticles(const ParticleSystem& system, GraphicsDevice& device, const Matrix& view, bool additive);

// The atlas tile of a frame: u0, v0 of a quarter-sized tile.
void ParticleFrameTile(uint32_t frame, float& u0, float& v0);

// The play frame's wind from two successive timer readings: a horizontal
// unit vector that turns once about every 6.3 s.
Vec3 ParticleWind(uint32_t t1Ms, uint32_t t2Ms);

}  // namespace nb
