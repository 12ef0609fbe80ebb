// World-space drawing on the real OpenGL device: matrices, culling, lighting,
// fog, texture coordinates and the multisampled off-screen buffer.
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
  // Camera at (0, 0, -100) looking at the origin, 60 degrees, near 1; unlit, untextured.
  void Look() {
    device->SetTransform(TransformState::View, MatrixLookAtLH({0, 0, -100}, {0, 0, 0}, {0, 1, 0}));
    device->SetTransform(TransformState::Projection,
                         MatrixPerspectiveFovLH(1.0471976f, float(kTestWidth) / kTestHeight, 1, 1000));
    device->SetRenderState(RenderState::Lighting, false);
    device->SetTexture(0, TextureHandle{});
  }
  // A square in the plane z facing the camera, wound clockwise as the camera
  // sees it (the front face under counter-clockwise culling) or reversed.
  void DrawSquare(float z, float half, bool reversed = false) {
    DrawMesh({{-half, half, z, 0, 0, -1, 0, 0}, {half, half, z, 0, 0, -1, 1, 0},
              {-half, -half, z, 0, 0, -1, 0, 1}, {half, -half, z, 0, 0, -1, 1, 1}},
             reversed ? std::vector<uint16_t>{0, 2, 1, 2, 3, 1} : std::vector<uint16_t>{0, 1, 2, 2, 1, 3});
  }
};

TEST_F(GlWorldTest, CullingNearPlaneAndWorldMatrix) {
  // The first two rows rely on the default cull mode.
  struct Case { uint32_t cull; bool reversed; uint32_t pixel; } cases[] = {
      {Cull::CCW, false, 0xFFFFFFFF}, {Cull::CCW, true, 0xFF000000},
      {Cull::None, true, 0xFFFFFFFF}, {Cull::CW, false, 0xFF000000}};
  for (const Case& c : cases) {
    device->Clear(ClearFlags::Target, 0xFF000000, 1, 0);
    if (c.cull != Cull::CCW) device->SetRenderState(RenderState::CullMode, c.cull);
    DrawSquare(0, 20, c.reversed);
    EXPECT_EQ(Pixel(kCx, kCy), c.pixel) << "cull " << c.cull << " reversed " << c.reversed;
  }
  device->SetRenderState(RenderState::CullMode, Cull::CCW);
  device->Clear(ClearFlags::Target, 0xFF000000, 1, 0);
  DrawSquare(-99.5f, 0.2f);  // half a unit from the eye, nearer than the near plane 1
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF000000u);
  DrawSquare(-98.0f, 0.2f);  // two units away: drawn
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  // The world matrix comes before the view: +X is right on screen, +Y up, and a scale about the
  // origin grows the square where it stands (after the view it would shrink it twice as far away).
  const std::tuple<Matrix, int, int> worlds[] = {
      {MatrixTranslation(30, 0, 0), 30, 0}, {MatrixTranslation(0, 30, 0), 0, 30}, {MatrixScaling(2, 2, 2), 8, 0}};
  for (const auto& [world, dx, dy] : worlds) {
    device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
    device->SetTransform(TransformState::World, world);
    DrawSquare(0, 5);
    EXPECT_EQ(Pixel(kCx + OnScreen(float(dx)), kCy - OnScreen(float(dy))), 0xFFFFFFFFu) << dx << "," << dy;
  }
}

TEST_F(GlWorldTest, PointLightStaysInTheWorldWhenTheCameraTurns) {
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
  // Lighting is computed at the vertices: small squares sample it at one point.
  DrawSquare(0, 2);
  EXPECT_NEAR(Red(Pixel(kCx, kCy)), 204, 3);  // straight on: 1 / 1.25 of full white
  // 40 units to the side the light falls at 45 degrees: 0.8 x 0.707.
  device->SetTransform(TransformState::World, MatrixTranslation(40, 0, 0));
  DrawSquare(0, 2);
  EXPECT_NEAR(Red(Pixel(kCx + OnScreen(40), kCy)), 144, 4);
  // The camera turns: the square, now left of the centre, is still lit straight on.
  device->SetTransform(TransformState::World, Matrix{});
  device->SetTransform(TransformState::View, MatrixLookAtLH({0, 0, -100}, {20, 0, 0}, {0, 1, 0}));
  DrawSquare(0, 2);
  EXPECT_NEAR(Red(Pixel(kCx - OnScreen(20), kCy)), 204, 4);
}

TEST_F(GlWorldTest, LinearFogBlendsTowardsTheFogColour) {
  device->SetRenderState(RenderState::FogEnable, true);
  device->SetRenderState(RenderState::FogVertexMode, FogMode::Linear);
  device->SetRenderState(RenderState::FogStart, FloatBits(50));
  device->SetRenderState(RenderState::FogEnd, FloatBits(150));
  device->SetRenderState(RenderState::FogColor, 0x0000FF00);
  DrawSquare(0, 1);  // 100 units away: half fog
  EXPECT_NEAR(Red(Pixel(kCx, kCy)), 128, 3);
  EXPECT_NEAR(Green(Pixel(kCx, kCy)), 255, 1);
  // With range fog the corners of a large square lie further away than its plane.
  if (device->rangeFogSupported()) {
    device->SetRenderState(RenderState::RangeFogEnable, true);
    DrawSquare(0, 60);
    EXPECT_LT(Red(Pixel(kCx, kCy)), 100);
    device->SetRenderState(RenderState::RangeFogEnable, false);
  }
  DrawSquare(-60, 2);  // 40 units away: before the fog starts
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  // Pixel-space vertices are never fogged.
  device->SetRenderState(RenderState::ZEnable, false);
  DrawScreenQuad(0, 0, 4, 4, 0xFFFF0000);
  EXPECT_EQ(Pixel(1, 1), 0xFFFF0000u);
}

TEST_F(GlWorldTest, SphereMapAndTextureTransformMoveTheCoordinates) {
  // 4 x 4 texture: red in the middle, blue at the edges.
  std::vector<uint32_t> t(16, 0xFF0000FF);
  for (int i : {5, 6, 9, 10}) t[i] = 0xFFFF0000;
  device->SetTexture(0, MakeTexture(4, 4, t));
  device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::SelectArg1);
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, TexCoordIndex::SphereMap);
  DrawSquare(0, 20);
  // Seen nearly head-on the square reflects the centre of the sphere map up to its corners.
  const int corner = OnScreen(20) - 2;
  EXPECT_EQ(Pixel(kCx - corner, kCy - corner), 0xFFFF0000u);
  EXPECT_EQ(Pixel(kCx + corner, kCy + corner), 0xFFFF0000u);
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, 0);
  // The mesh's own coordinates, shifted by a quarter in u (kept in the third row); Disable ignores the shift.
  const int firstQuarter = kCx - OnScreen(20) * 3 / 4;
  for (auto [flags, texel] : {std::pair{TextureTransform::Disable, 0xFF0000FFu}, {TextureTransform::Count2, 0xFFFF0000u}}) {
    Matrix m;
    m.m[2][0] = 0.25f;
    device->SetTransform(TransformState::Texture0, m);
    device->SetTextureStageState(0, TextureStageState::TextureTransformFlags, flags);
    DrawSquare(0, 20);
    EXPECT_EQ(Pixel(firstQuarter, kCy - 2), texel) << flags;
  }
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
  EXPECT_EQ(Pixel(2, 2), 0xFF000000u);
  EXPECT_EQ(device->Present(), DeviceResult::Ok);
}

}  // namespace
}  // namespace nb::test
