// World-space drawing on the real OpenGL device: the matrices as the game's
// device orders them, culling, fog and the multisampled off-screen buffer.
#include <cmath>
#include <tuple>

#include "gl_fixture.h"

namespace nb::test {
namespace {

constexpr int kCx = kTestWidth / 2, kCy = kTestHeight / 2;

// Pixels from the centre that a world distance at the origin's depth spans (60 degree view from 100 away).
int OnScreen(float world) { return static_cast<int>(world / (100 * std::tan(0.5236f)) * kCy); }

class GlWorldTest : public GlDeviceTest {
 protected:
  void SetUp() override {
    GlDeviceTest::SetUp();
    if (!HasFatalFailure()) Look();
  }
  // Camera at (0, 0, -100) looking at the origin, 60 degrees, near 1; unlit.
  void Look() {
    device->SetTransform(TransformState::View, MatrixLookAtLH({0, 0, -100}, {0, 0, 0}, {0, 1, 0}));
    device->SetTransform(TransformState::Projection,
                         MatrixPerspectiveFovLH(1.0471976f, float(kTestWidth) / kTestHeight, 1, 1000));
    device->SetRenderState(RenderState::Lighting, false);
  }
  // A square in the plane z facing the camera, wound clockwise as the camera
  // sees it (the front face under counter-clockwise culling) or reversed.
  void DrawSquare(float z, float half, bool reversed = false) {
    DrawMesh({{-half, half, z, 0, 0, -1, 0, 0},
              {half, half, z, 0, 0, -1, 1, 0},
              {-half, -half, z, 0, 0, -1, 0, 1},
              {half, -half, z, 0, 0, -1, 1, 1}},
             reversed ? std::vector<uint16_t>{0, 2, 1, 2, 3, 1} : std::vector<uint16_t>{0, 1, 2, 2, 1, 3});
  }
};

TEST_F(GlWorldTest, CullingNearPlaneWorldAndTextureMatrices) {
  DrawSquare(0, 20, true);  // wound counter-clockwise: culled by default
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF000000u);
  DrawSquare(-99.5f, 0.2f);  // half a unit from the eye, nearer than the near plane 1
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF000000u);
  DrawSquare(-98.0f, 0.2f);  // two units away: drawn
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  // The world matrix comes before the view: +X is right on screen, +Y up, and a scale about the
  // origin grows the square where it stands (after the view it would shrink it twice as far away).
  const std::tuple<Matrix, int, int> worlds[] = {{MatrixTranslation(30, 0, 0), 30, 0},
                                                 {MatrixTranslation(0, 30, 0), 0, 30},
                                                 {MatrixScaling(2, 2, 2), 8, 0}};
  for (const auto& [world, dx, dy] : worlds) {
    device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
    device->SetTransform(TransformState::World, world);
    DrawSquare(0, 5);
    EXPECT_EQ(Pixel(kCx + OnScreen(float(dx)), kCy - OnScreen(float(dy))), 0xFFFFFFFFu) << dx << "," << dy;
  }
  // A two-component texture shift keeps its translation in the third row: a quarter in u moves
  // the second of four texels to where the first was.
  device->SetTransform(TransformState::World, Matrix{});
  device->SetTexture(0, MakeTexture(4, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}));
  Matrix shift;
  shift.m[2][0] = 0.25f;
  device->SetTransform(TransformState::Texture0, shift);
  device->SetTextureStageState(0, TextureStageState::TextureTransformFlags, TextureTransform::Count2);
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx - OnScreen(20) * 3 / 4, kCy), 0xFF00FF00u);
}

TEST_F(GlWorldTest, LinearFogBlendsTowardsTheFogColour) {
  device->SetRenderState(RenderState::FogEnable, true);
  device->SetRenderState(RenderState::FogVertexMode, FogMode::Linear);
  device->SetRenderState(RenderState::FogStart, FloatBits(50));
  device->SetRenderState(RenderState::FogEnd, FloatBits(150));
  device->SetRenderState(RenderState::FogColor, 0x0000FF00);
  DrawSquare(0, 1);  // 100 units away: half fog
  EXPECT_NEAR(Red(Pixel(kCx, kCy)), 128, 3);
  // With range fog the corners of a large square lie further away than its plane.
  if (device->rangeFogSupported()) {
    device->SetRenderState(RenderState::RangeFogEnable, true);
    DrawSquare(0, 60);
    EXPECT_LT(Red(Pixel(kCx, kCy)), 100);
    device->SetRenderState(RenderState::RangeFogEnable, false);
  }
  // Pixel-space vertices are never fogged.
  device->SetRenderState(RenderState::ZEnable, false);
  DrawScreenQuad(0, 0, 4, 4, 0xFFFF0000);
  EXPECT_EQ(Pixel(1, 1), 0xFFFF0000u);
}

// Lighting is computed at the vertices (small squares sample it at one point)
// and stays put in the world when the camera turns; a sphere map seen head-on
// samples its centre.
TEST_F(GlWorldTest, PointLightAmbientAndSphereMap) {
  device->SetRenderState(RenderState::Lighting, true);
  device->SetRenderState(RenderState::Ambient, 0);
  Material white;
  white.diffuse = white.ambient = {1, 1, 1, 1};
  device->SetMaterial(white);
  Light light;
  light.type = LightType::Point;
  light.diffuse = {1, 1, 1, 1};
  light.position = {0, 0, -40};
  light.range = 5000;
  light.attenuation0 = 1.25f;
  device->SetLight(0, light);
  device->LightEnable(0, true);
  DrawSquare(0, 2);
  EXPECT_NEAR(Red(Pixel(kCx, kCy)), 204, 3);  // straight on: 1 / 1.25 of white
  device->SetTransform(TransformState::World, MatrixTranslation(40, 0, 0));
  DrawSquare(0, 2);
  EXPECT_NEAR(Red(Pixel(kCx + OnScreen(40), kCy)), 144, 4);  // at 45 degrees: 0.8 x 0.707
  device->SetTransform(TransformState::World, Matrix{});
  device->SetTransform(TransformState::View, MatrixLookAtLH({0, 0, -100}, {20, 0, 0}, {0, 1, 0}));
  DrawSquare(0, 2);
  EXPECT_NEAR(Red(Pixel(kCx - OnScreen(20), kCy)), 204, 4);
  device->LightEnable(0, false);
  device->SetRenderState(RenderState::Ambient, 0xFF7F7F7F);
  Look();
  device->SetRenderState(RenderState::Lighting, true);
  DrawSquare(0, 20);
  EXPECT_NEAR(Red(Pixel(kCx, kCy)), 0x7F, 2);  // the material's ambient alone

  std::vector<uint32_t> t(9, 0xFF0000FF);  // red centre, blue around
  t[4] = 0xFFFF0000;
  device->SetRenderState(RenderState::Lighting, false);
  device->SetTexture(0, MakeTexture(3, 3, t));
  device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::SelectArg1);
  device->SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, TexCoordIndex::SphereMap);
  DrawSquare(0, 20);
  const int corner = OnScreen(20) - 2;
  EXPECT_EQ(Pixel(kCx - corner, kCy - corner), 0xFFFF0000u);
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, 0);
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx - corner, kCy - corner), 0xFF0000FFu);  // the mesh's own corner texel
}

TEST_F(GlWorldTest, MultisampledDeviceDrawsAndReadsBack) {
  if (!gl.adapter->CheckMultiSample(Format::X8R8G8B8, 2)) GTEST_SKIP() << "no multisampling";
  gl.owned.reset();
  gl.owned = gl.adapter->CreateDevice(DeviceType::Hal, TestPresentParams(kTestWidth, kTestHeight, 2));
  device = dynamic_cast<GlDevice*>(gl.owned.get());
  ASSERT_NE(device, nullptr);
  EXPECT_GE(device->samples(), 2);
  meshVb = {};
  meshIb = {};
  Look();
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  EXPECT_EQ(device->Present(), DeviceResult::Ok);
}

}  // namespace
}  // namespace nb::test
