#include "render/particles.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/recording_device.h"

namespace nb {
namespace {

class ParticlesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system = std::make_unique<ParticleSystem>();
    ASSERT_TRUE(CreateParticleSystem(*system, device));
    system->wind = {0, 0, 0};
  }

  int LiveCount() const {
    int live = 0;
    for (const Particle& p : system->particles) live += p.alive ? 1 : 0;
    return live;
  }

  // The vertices the last draw read.
  std::vector<VertexColorTex> DrawnVertices() const {
    const RecordingDevice::Draw& draw = device.draws.back();
    std::vector<VertexColorTex> vertices(draw.vertexCount);
    std::memcpy(vertices.data(), draw.vertexBytes.data(), draw.vertexCount * sizeof(VertexColorTex));
    return vertices;
  }

  RecordingDevice device;
  std::unique_ptr<ParticleSystem> system;
};

TEST_F(ParticlesTest, FramesSelectTheirAtlasTilesAndFramesOutside1To16AreRefused) {
  Particle p = MakeParticleTemplate(ParticleTemplate::ImpactBurst);
  for (int frame : {0, 17}) {
    p.frame = frame;
    EXPECT_FALSE(EmitParticle(*system, p)) << frame;
  }
  // A trail particle (frame 16) draws from the bottom-right tile of the 4 x 4 atlas.
  EmitBurst(*system, ParticleTemplate::TrailBurst, {0, 0, 0}, {0, 1, 0}, 1, 1);
  StepParticles(*system, 1.0f);
  DrawParticles(*system, device, MatrixIdentity(), true);
  const auto vertices = DrawnVertices();
  EXPECT_EQ(std::make_tuple(vertices[0].u, vertices[0].v, vertices[3].u), std::make_tuple(.75f, .75f, 1.f));
}

TEST_F(ParticlesTest, HalfwayColourSizeCameraFacingQuadAndDeathOneUpdateAfterTheLifetime) {
  Particle p = MakeParticleTemplate(ParticleTemplate::PickupBurst);
  p.position = p.velocity = {0, 0, 0};
  p.lifetime = 2;
  ASSERT_TRUE(EmitParticle(*system, p));
  // The camera looks down the world's X axis: its right is -Z, its up +Y.
  Matrix view = MatrixLookAtLH({-100, 0, 0}, {0, 0, 0}, {0, 1, 0});
  StepParticles(*system, 1.0f);
  DrawParticles(*system, device, view, true);
  auto v = DrawnVertices();
  const float size = (p.startSize + p.endSize) / 2;
  // Top-left is -size along the camera's right (-Z), bottom-right +size.
  for (auto [k, sign] : {std::pair{0, 1.f}, {3, -1.f}})
    for (auto [got, want] : {std::pair{v[k].z, sign * size}, {v[k].y, sign * size}, {v[k].x, 0.f}})
      EXPECT_NEAR(got, want, 1e-3f) << k;
  // Alpha, red and blue half way (truncated).
  EXPECT_EQ(v[0].color & 0xFFFF00FF, uint32_t((p.alphaStart + p.alphaEnd) / 2) << 24 |
                                         uint32_t((p.colorStart[0] + p.colorEnd[0]) / 2) << 16 |
                                         uint32_t((p.colorStart[2] + p.colorEnd[2]) / 2));
  StepParticles(*system, 1.0f);
  EXPECT_EQ(LiveCount(), 1);  // age 2 == lifetime: still drawn
  StepParticles(*system, 1.0f);
  EXPECT_EQ(LiveCount(), 0);
  device.draws.clear();
  DrawParticles(*system, device, view, true);
  EXPECT_TRUE(device.draws.empty());
}

TEST_F(ParticlesTest, AFullPoolDropsABurstAndKeepsTheOldParticles) {
  for (int i = 0; i < kMaxParticles / 4; ++i)
    EmitBurst(*system, ParticleTemplate::CrashBurst, {1, 2, 3}, {0, 1, 0}, 1, 4);
  ASSERT_EQ(LiveCount(), kMaxParticles);
  Particle before = system->particles[123];
  EmitBurst(*system, ParticleTemplate::PickupBurst, {9, 9, 9}, {0, 1, 0}, 1, 5);
  EXPECT_EQ(LiveCount(), kMaxParticles);
  EXPECT_EQ(system->particles[123].frame, before.frame);
  StepParticles(*system, 1.0f);
  // Every quad in one draw, blended additively or not; blending is off again afterwards.
  for (bool additive : {false, true}) {
    device.draws.clear();
    DrawParticles(*system, device, MatrixIdentity(), additive);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].vertexCount, 4u * kMaxParticles);
    EXPECT_EQ(device.draws[0].states.render[int(RenderState::DestBlend)] == Blend::One, additive);
    EXPECT_EQ(device.GetRenderState(RenderState::AlphaBlendEnable), 0u);
  }
}

TEST_F(ParticlesTest, BurstsFanOutAndOnlyTheTrailIgnoresTheWind) {
  EmitBurst(*system, ParticleTemplate::ImpactBurst, {50, 0, 100}, {0, 1, 0}, 1, 5);
  for (int i = 0; i < 5; ++i) {
    const Vec3& v = system->particles[i].velocity;
    EXPECT_EQ(std::tie(v.x, v.y, v.z), std::make_tuple(std::sin(float(i)), 1.0f, std::cos(float(i)))) << i;
  }
  EmitBurst(*system, ParticleTemplate::TrailBurst, {0, 0, 0}, {0, 1, 0}, 1, 1);
  system->wind = {1, 0, 0};
  StepParticles(*system, 1.0f);
  EXPECT_FLOAT_EQ(system->particles[0].velocity.x, 0.1f);            // drifts with 0.1 of the wind
  EXPECT_FLOAT_EQ(system->particles[5].velocity.x, std::sin(0.0f));  // trail unchanged
  // The wind itself is horizontal: x from the first time, z from the second.
  const Vec3 w = ParticleWind(3142, 1571);
  EXPECT_EQ(std::make_tuple(std::round(w.x), w.y, std::round(w.z)), std::make_tuple(-1.f, 0.f, 1.f));
}

}  // namespace
}  // namespace nb
