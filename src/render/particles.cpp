#include "render/particles.h"

#include <cmath>
#include <cstring>

namespace nb {
namespace {

Particle Template(float wind, float size0, float size1, uint8_t a0, uint8_t a1, std::array<uint8_t, 3> c0,
                  std::array<uint8_t, 3> c1, uint32_t frame, float lifetime) {
  Particle p;
  p.windFactor = wind;
  p.startSize = size0;
  p.endSize = size1;
  p.alphaStart = a0;
  p.alphaEnd = a1;
  std::memcpy(p.colorStart, c0.data(), 3);
  std::memcpy(p.colorEnd, c1.data(), 3);
  p.frame = frame;
  p.age = 0;
  p.lifetime = lifetime;
  p.spare = 5.0f;
  return p;
}

uint32_t Lerp8(uint8_t from, uint8_t to, float t) {
  return static_cast<uint32_t>(static_cast<int>(from + (static_cast<float>(to) - from) * t)) & 0xFF;
}

}  // namespace

Particle MakeParticleTemplate(ParticleTemplate which) {
  switch (which) {
    case ParticleTemplate::ImpactBurst:
      return Template(0.1f, 30, 20, 64, 0, {128, 100, 64}, {255, 0, 0}, 8, 50);
    case ParticleTemplate::PickupBurst:
      return Template(0.1f, 50, 5, 255, 0, {255, 200, 200}, {0, 0, 255}, 14, 150);
    case ParticleTemplate::CrashBurst:
      return Template(0.1f, 100, 20, 64, 0, {128, 100, 64}, {255, 0, 0}, 8, 50);
    case ParticleTemplate::TrailBurst:
      return Template(0.0f, 20, 10, 128, 0, {128, 100, 64}, {255, 0, 0}, 16, 50);
    case ParticleTemplate::CursorSparkle:
    case ParticleTemplate::Count: break;
  }
  return Template(0.1f, 25, 1, 64, 0, {255, 200, 255}, {0, 0, 255}, 11, 150);
}

bool CreateParticleSystem(ParticleSystem& system, GraphicsDevice& device) {
  for (int i = 0; i < static_cast<int>(ParticleTemplate::Count); ++i)
    system.templates[i] = MakeParticleTemplate(static_cast<ParticleTemplate>(i));
  system.wind = {0, -1, 0};
  if (Failed(device.CreateVertexBuffer(kMaxParticles * 4 * sizeof(VertexColorTex), Usage::WriteOnly,
                                       kFvfColorTex, Pool::Managed, &system.vertexBuffer)))
    return false;
  constexpr uint32_t kIndexBytes = kMaxParticles * 6 * sizeof(uint16_t);
  if (Failed(device.CreateIndexBuffer(kIndexBytes, Usage::WriteOnly, IndexFormat::Index16, Pool::Managed,
                                      &system.indexBuffer)))
    return false;
  // Every quad uses the same six corners of its own four vertices, so the
  // indices are written once.
  void* data = nullptr;
  if (Failed(device.LockIndexBuffer(system.indexBuffer, 0, kIndexBytes, &data, 0)) || !data) return false;
  auto* indices = static_cast<uint16_t*>(data);
  for (int q = 0; q < kMaxParticles; ++q) {
    const auto base = static_cast<uint16_t>(4 * q);
    const uint16_t quad[6] = {static_cast<uint16_t>(base + 3), static_cast<uint16_t>(base + 2), base, base,
                              static_cast<uint16_t>(base + 1), static_cast<uint16_t>(base + 3)};
    std::memcpy(indices + 6 * q, quad, sizeof quad);
  }
  device.UnlockIndexBuffer(system.indexBuffer);
  return true;
}

void ReleaseParticleSystem(ParticleSystem& system, GraphicsDevice& device) {
  if (system.vertexBuffer) device.ReleaseVertexBuffer(system.vertexBuffer);
  if (system.indexBuffer) device.ReleaseIndexBuffer(system.indexBuffer);
  system.vertexBuffer = {};
  system.indexBuffer = {};
}

void ClearParticles(ParticleSystem& system) {
  for (Particle& p : system.particles) p.alive = 0;
}

bool EmitParticle(ParticleSystem& system, const Particle& particle) {
  if (particle.frame < 1 || particle.frame > 16) return false;
  for (Particle& slot : system.particles) {
    if (slot.alive) continue;
    slot = particle;
    slot.alive = 1;
    return true;
  }
  return false;
}

void EmitBurst(ParticleSystem& system, ParticleTemplate which, const Vec3& p, const Vec3& base, float spread,
               int count) {
  Particle particle = system.templates[static_cast<int>(which)];
  for (int i = 0; i < count; ++i) {
    float angle = static_cast<float>(i);
    particle.position = p;
    particle.velocity = {std::sin(angle) * spread + base.x, base.y * spread,
                         std::cos(angle) * spread + base.z};
    EmitParticle(system, particle);
  }
}

void ParticleFrameTile(uint32_t frame, float& u0, float& v0) {
  uint32_t k = frame - 1;
  u0 = static_cast<float>(k % 4) / 4.0f;
  v0 = static_cast<float>(k / 4) / 4.0f;
}

void StepParticles(ParticleSystem& system, float dt) {
  for (Particle& p : system.particles) {
    if (!p.alive) continue;
    p.velocity.x += system.wind.x * p.windFactor;
    p.velocity.y += system.wind.y * p.windFactor;
    p.velocity.z += system.wind.z * p.windFactor;
    p.position.x += p.velocity.x;
    p.position.y += p.velocity.y;
    p.position.z += p.velocity.z;
    p.age += dt;
    if (p.age > p.lifetime) p.alive = 0;
  }
}

namespace {

// One camera-facing quad per live particle, written straight into the
// locked vertex buffer; returns how many.
int WriteParticleQuads(const ParticleSystem& system, const Matrix& view, VertexColorTex* out) {
  const Matrix inverse = MatrixInverse(view);
  const Vec3 right{inverse.m[0][0], inverse.m[0][1], inverse.m[0][2]};
  const Vec3 up{inverse.m[1][0], inverse.m[1][1], inverse.m[1][2]};
  int q = 0;
  for (const Particle& p : system.particles) {
    if (!p.alive) continue;
    const float t = p.lifetime > 0 ? p.age / p.lifetime : 1.0f;
    const float size = p.startSize + (p.endSize - p.startSize) * t;
    const uint32_t color =
        Lerp8(p.alphaStart, p.alphaEnd, t) << 24 | Lerp8(p.colorStart[0], p.colorEnd[0], t) << 16 |
        Lerp8(p.colorStart[1], p.colorEnd[1], t) << 8 | Lerp8(p.colorStart[2], p.colorEnd[2], t);
    float u0, v0;
    ParticleFrameTile(p.frame, u0, v0);
    const float corners[4][2] = {{-size, size}, {size, size}, {-size, -size}, {size, -size}};
    const float uv[4][2] = {{u0, v0}, {u0 + 0.25f, v0}, {u0, v0 + 0.25f}, {u0 + 0.25f, v0 + 0.25f}};
    for (int c = 0; c < 4; ++c) {
      const float x = corners[c][0], y = corners[c][1];
      out[q * 4 + c] = {p.position.x + x * right.x + y * up.x,
                        p.position.y + x * right.y + y * up.y,
                        p.position.z + x * right.z + y * up.z,
                        color,
                        uv[c][0],
                        uv[c][1]};
    }
    ++q;
  }
  return q;
}

int UploadParticleQuads(const ParticleSystem& system, GraphicsDevice& device, const Matrix& view) {
  int live = 0;
  for (const Particle& p : system.particles) live += p.alive ? 1 : 0;
  if (live == 0 || !system.vertexBuffer || !system.indexBuffer) return 0;
  void* data = nullptr;
  const uint32_t bytes = static_cast<uint32_t>(live) * 4 * sizeof(VertexColorTex);
  if (Failed(device.LockVertexBuffer(system.vertexBuffer, 0, bytes, &data, 0)) || !data) return 0;
  const int quads = WriteParticleQuads(system, view, static_cast<VertexColorTex*>(data));
  device.UnlockVertexBuffer(system.vertexBuffer);
  return quads;
}

}  // namespace

void DrawParticles(const ParticleSystem& system, GraphicsDevice& device, const Matrix& view, bool additive) {
  const int quads = UploadParticleQuads(system, device, view);
  device.LightEnable(0, false);
  device.LightEnable(1, false);
  device.SetTransform(TransformState::World, MatrixIdentity());
  device.SetRenderState(RenderState::Lighting, 0);
  device.SetRenderState(RenderState::CullMode, Cull::CCW);
  device.SetRenderState(RenderState::ShadeMode, Shade::Flat);
  device.SetRenderState(RenderState::FillMode, Fill::Solid);
  device.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
  device.SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
  device.SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse);
  device.SetRenderState(RenderState::ColorVertex, 0);
  device.SetRenderState(RenderState::DiffuseMaterialSource, MaterialSource::Material);
  device.SetRenderState(RenderState::AlphaBlendEnable, 1);
  device.SetRenderState(RenderState::AlphaTestEnable, 1);
  device.SetRenderState(RenderState::AlphaRef, 8);
  device.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::Modulate);
  device.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
  device.SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Diffuse);
  device.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  device.SetRenderState(RenderState::DestBlend, additive ? Blend::One : Blend::InvSrcAlpha);
  device.SetRenderState(RenderState::ZEnable, 0);
  if (quads > 0) {
    device.SetFVF(kFvfColorTex);
    device.SetIndices(system.indexBuffer);
    device.SetStreamSource(0, system.vertexBuffer, 0, sizeof(VertexColorTex));
    device.DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 4 * quads, 0, 2 * quads);
  }
  device.SetRenderState(RenderState::AlphaBlendEnable, 0);
  device.SetRenderState(RenderState::ShadeMode, Shade::Phong);
}

Vec3 ParticleWind(uint32_t t1Ms, uint32_t t2Ms) {
  return {std::cos(static_cast<float>(t1Ms) * 0.001f), 0.0f, std::sin(static_cast<float>(t2Ms) * 0.001f)};
}

}  // namespace nb
