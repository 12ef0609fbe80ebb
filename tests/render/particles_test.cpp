#include "render/particles.h"

#include <cmath>
#include <cstring>
#include <memory>

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

TEST_F(ParticlesTest, FramesSelectTheirAtlasTilesAndFrameZeroIsRefused) {
  float u, v;
  ParticleFrameTile(8, u, v);  // the last tile of the second row
  EXPECT_EQ(std::make_pair(u, v), std::make_pair(0.75f, 0.25f));
  Particle p = MakeParticleTemplate(ParticleTemplate::ImpactBurst);
  for (int frame : {0, 17}) {
    p.frame = frame;
    EXPECT_FALSE(EmitParticle(*system, p)) << frame;
  }
  EXPECT_EQ(LiveCount(), 0);

  // A trail particle (frame 16) draws from the bottom-right tile.
  EmitBurst(*system, ParticleTemplate::TrailBurst, {0, 0, 0}, {0, 1, 0}, 1, 1);
  UpdateParticles(*system, device, 1.0f, MatrixIdentity());
  DrawParticles(*system, device, true);
  auto vertices = DrawnVertices();
  ASSERT_EQ(vertices.size(), 4u);
  EXPECT_EQ(std::make_pair(vertices[0].u, vertices[0].v), std::make_pair(0.75f, 0.75f));
  EXPECT_EQ(std::make_pair(vertices[3].u, vertices[3].v), std::make_pair(1.0f, 1.0f));
}

TEST_F(ParticlesTest, AParticleLivesThroughItsLifetimeAndDiesOneUpdateLater) {
  EmitBurst(*system, ParticleTemplate::ImpactBurst, {100, 0, 50}, {0, 1, 0}, 1, 1);
  for (int i = 0; i < 50; ++i) UpdateParticles(*system, device, 1.0f, MatrixIdentity());
  ASSERT_EQ(system->quadCount, 1);  // age 50 == lifetime: still drawn
  DrawParticles(*system, device, true);
  auto vertices = DrawnVertices();
  // The end size (half the edge) and the end colour and alpha.
  const Particle& t = system->templates[static_cast<int>(ParticleTemplate::ImpactBurst)];
  EXPECT_NEAR(vertices[1].x - vertices[0].x, 2 * t.endSize, 1e-3f);
  EXPECT_EQ(vertices[0].color, uint32_t(t.alphaEnd) << 24 | uint32_t(t.colorEnd[0]) << 16 |
                                   uint32_t(t.colorEnd[1]) << 8 | t.colorEnd[2]);
  UpdateParticles(*system, device, 1.0f, MatrixIdentity());
  EXPECT_EQ(system->quadCount, 0);
  EXPECT_EQ(LiveCount(), 0);
}

TEST_F(ParticlesTest, HalfwayColourSizeAndCameraFacingQuad) {
  Particle p = MakeParticleTemplate(ParticleTemplate::PickupBurst);
  p.position = {0, 0, 0};
  p.velocity = {0, 0, 0};
  p.lifetime = 2;
  ASSERT_TRUE(EmitParticle(*system, p));
  // The camera looks down the world's X axis: its right is -Z, its up +Y.
  Matrix view = MatrixLookAtLH({-100, 0, 0}, {0, 0, 0}, {0, 1, 0});
  UpdateParticles(*system, device, 1.0f, view);
  DrawParticles(*system, device, true);
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
  EXPECT_EQ(device.draws.back().indexCount, 6u);
  EXPECT_EQ(std::vector<uint16_t>(system->indices.begin(), system->indices.begin() + 6),
            (std::vector<uint16_t>{3, 2, 0, 0, 1, 3}));
}

TEST_F(ParticlesTest, AFullPoolDropsABurstAndKeepsTheOldParticles) {
  for (int i = 0; i < kMaxParticles / 4; ++i)
    EmitBurst(*system, ParticleTemplate::CrashBurst, {1, 2, 3}, {0, 1, 0}, 1, 4);
  ASSERT_EQ(LiveCount(), kMaxParticles);
  Particle before = system->particles[123];
  EmitBurst(*system, ParticleTemplate::PickupBurst, {9, 9, 9}, {0, 1, 0}, 1, 5);
  EXPECT_EQ(LiveCount(), kMaxParticles);
  EXPECT_EQ(system->particles[123].frame, before.frame);
  EXPECT_FLOAT_EQ(system->particles[123].position.x, 1);
  UpdateParticles(*system, device, 1.0f, MatrixIdentity());
  EXPECT_EQ(system->quadCount, kMaxParticles);
  // Every quad in one draw, blended additively or not; blending is off again afterwards.
  for (bool additive : {false, true}) {
    device.draws.clear();
    DrawParticles(*system, device, additive);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].vertexCount, 4u * kMaxParticles);
    const uint32_t destBlend = device.draws[0].states.render[static_cast<int>(RenderState::DestBlend)];
    EXPECT_EQ(destBlend == Blend::One, additive);
    EXPECT_EQ(device.GetRenderState(RenderState::AlphaBlendEnable), 0u);
  }
}

TEST_F(ParticlesTest, BurstsFanOutAndOnlyTheTrailIgnoresTheWind) {
  EmitBurst(*system, ParticleTemplate::ImpactBurst, {50, 0, 100}, {0, 1, 0}, 1, 5);
  for (int i = 0; i < 5; ++i) {
    const Particle& p = system->particles[i];
    EXPECT_FLOAT_EQ(p.velocity.x, std::sin(static_cast<float>(i)));
    EXPECT_FLOAT_EQ(p.velocity.y, 1.0f);
    EXPECT_FLOAT_EQ(p.velocity.z, std::cos(static_cast<float>(i)));
  }
  EmitBurst(*system, ParticleTemplate::TrailBurst, {0, 0, 0}, {0, 1, 0}, 1, 1);
  system->wind = {1, 0, 0};
  UpdateParticles(*system, device, 1.0f, MatrixIdentity());
  EXPECT_FLOAT_EQ(system->particles[0].velocity.x, 0.1f);  // drifts with 0.1 of the wind
  EXPECT_FLOAT_EQ(system->particles[5].velocity.x, std::sin(0.0f));  // trail unchanged
  EXPECT_FLOAT_EQ(system->particles[5].position.y, 1.0f);
  ClearParticles(*system);
  EXPECT_EQ(LiveCount(), 0);
}

TEST(ParticleWind, IsAHorizontalUnitVectorFromTheTimer) {
  Vec3 w = ParticleWind(3142, 1571);  // x from the first time, z from the second
  EXPECT_NEAR(w.x, -1, 1e-3);
  EXPECT_FLOAT_EQ(w.y, 0);
  EXPECT_NEAR(w.z, 1, 1e-3);
}

}  // namespace
}  // namespace nb
