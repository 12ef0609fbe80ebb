// World-space drawing on the real OpenGL device: the row-vector matrices,
// depth mapping and order, culling, lighting, fog and sphere mapping.
#include <cmath>

#include "gl_fixture.h"

namespace nb::test {
namespace {

constexpr int kCx = kTestWidth / 2, kCy = kTestHeight / 2;

// A square in the plane z = `z`, facing the camera on -Z, wound clockwise as
// the camera sees it (the front face under counter-clockwise culling) or the
// other way round.
void Square(float z, float half, bool reversed, std::vector<VertexPNT>& v,
            std::vector<uint16_t>& idx) {
  uint16_t b = static_cast<uint16_t>(v.size());
  v.push_back({-half, half, z, 0, 0, -1, 0, 0});
  v.push_back({half, half, z, 0, 0, -1, 1, 0});
  v.push_back({-half, -half, z, 0, 0, -1, 0, 1});
  v.push_back({half, -half, z, 0, 0, -1, 1, 1});
  std::vector<uint16_t> q = reversed ? std::vector<uint16_t>{0, 2, 1, 2, 3, 1}
                                     : std::vector<uint16_t>{0, 1, 2, 2, 1, 3};
  for (uint16_t i : q) idx.push_back(static_cast<uint16_t>(b + i));
}

class GlWorldTest : public GlDeviceTest {
 protected:
  void SetUp() override {
    GlDeviceTest::SetUp();
    if (HasFatalFailure()) return;
    // Camera at (0, 0, -100) looking at the origin, 60 degrees, near 1.
    device->SetTransform(TransformState::View,
                         MatrixLookAtLH({0, 0, -100}, {0, 0, 0}, {0, 1, 0}));
    device->SetTransform(TransformState::Projection,
                         MatrixPerspectiveFovLH(1.0471976f, float(kTestWidth) / kTestHeight, 1, 1000));
    device->SetRenderState(RenderState::Lighting, false);
    device->SetTexture(0, TextureHandle{});
  }

  void DrawSquare(float z, float half, bool reversed = false) {
    std::vector<VertexPNT> v;
    std::vector<uint16_t> i;
    Square(z, half, reversed, v, i);
    DrawMesh(v, i);
  }

  static Material WhiteMaterial() {
    Material m;
    m.diffuse = {1, 1, 1, 1};
    m.ambient = {1, 1, 1, 1};
    return m;
  }
};

TEST_F(GlWorldTest, CounterClockwiseCullingKeepsFacesWoundClockwise) {
  // Default culling is counter-clockwise.
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);  // unlit, no vertex colour: white
  device->Clear(ClearFlags::Target, 0xFF000000, 1, 0);
  DrawSquare(0, 20, true);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF000000u);  // culled
  device->SetRenderState(RenderState::CullMode, Cull::None);
  DrawSquare(0, 20, true);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  device->Clear(ClearFlags::Target, 0xFF000000, 1, 0);
  device->SetRenderState(RenderState::CullMode, Cull::CW);
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF000000u);
}

TEST_F(GlWorldTest, NearerSurfaceWinsInEitherDrawOrder) {
  device->SetRenderState(RenderState::Lighting, true);
  device->SetRenderState(RenderState::Ambient, 0xFFFFFFFF);
  Material red, blue;
  red.ambient = {1, 0, 0, 1};
  blue.ambient = {0, 0, 1, 1};
  for (bool nearFirst : {false, true}) {
    device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
    for (int k = 0; k < 2; ++k) {
      bool nearNow = (k == 0) == nearFirst;
      device->SetMaterial(nearNow ? red : blue);
      DrawSquare(nearNow ? -10.0f : 10.0f, nearNow ? 10.0f : 30.0f);
    }
    EXPECT_EQ(Pixel(kCx, kCy), 0xFFFF0000u) << "near drawn first: " << nearFirst;
    // Beside the small near square the far one shows.
    EXPECT_EQ(Pixel(kCx + 25, kCy), 0xFF0000FFu);
  }
  // With the depth test off the last draw wins.
  device->SetRenderState(RenderState::ZEnable, false);
  device->SetMaterial(blue);
  DrawSquare(10, 30);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF0000FFu);
}

TEST_F(GlWorldTest, NearPlaneClipsInFrontAndWorldMatrixMoves) {
  DrawSquare(-99.5f, 0.2f);  // half a unit from the eye, nearer than the near plane 1
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF000000u);
  DrawSquare(-98.0f, 0.2f);  // two units away: drawn
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  // A world translation to the right (+X) moves the square right on screen.
  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
  device->SetTransform(TransformState::World, MatrixTranslation(30, 0, 0));
  DrawSquare(0, 5);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF000000u);
  int right = kCx + static_cast<int>(30 / (100 * std::tan(0.5236f)) * kCy);
  EXPECT_EQ(Pixel(right, kCy), 0xFFFFFFFFu);
  // Up (+Y) is up on screen.
  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
  device->SetTransform(TransformState::World, MatrixTranslation(0, 30, 0));
  DrawSquare(0, 5);
  EXPECT_EQ(Pixel(kCx, kCy - (right - kCx)), 0xFFFFFFFFu);
}

TEST_F(GlWorldTest, PointLightWithConstantAttenuationAndAmbient) {
  device->SetRenderState(RenderState::Lighting, true);
  device->SetRenderState(RenderState::Ambient, 0);
  device->SetMaterial(WhiteMaterial());
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
  // Straight on: 1 / 1.25 of full white.
  uint32_t centre = Pixel(kCx, kCy);
  EXPECT_NEAR(Red(centre), 204, 3);
  EXPECT_EQ(Red(centre), Blue(centre));
  // 40 units to the side the light falls at 45 degrees: 0.8 x 0.707.
  device->SetTransform(TransformState::World, MatrixTranslation(40, 0, 0));
  DrawSquare(0, 2);
  int side = static_cast<int>(40 / (100 * std::tan(0.5236f)) * kCy);
  EXPECT_NEAR(Red(Pixel(kCx + side, kCy)), 144, 4);
  device->SetTransform(TransformState::World, Matrix{});

  // Light off, ambient render state 0xFF7F7F7F: grey from the material's ambient.
  device->LightEnable(0, false);
  device->SetRenderState(RenderState::Ambient, 0xFF7F7F7F);
  DrawSquare(0, 20);
  EXPECT_NEAR(Red(Pixel(kCx, kCy)), 0x7F, 2);

  // The light stays where it is in the world when the camera turns: the
  // square, now left of the centre, is still lit straight on.
  device->LightEnable(0, true);
  device->SetRenderState(RenderState::Ambient, 0);
  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
  device->SetTransform(TransformState::View,
                       MatrixLookAtLH({0, 0, -100}, {20, 0, 0}, {0, 1, 0}));
  DrawSquare(0, 2);
  int shift = static_cast<int>(20 / (100 * std::tan(0.5236f)) * kCy);
  EXPECT_NEAR(Red(Pixel(kCx - shift, kCy)), 204, 4);
}

TEST_F(GlWorldTest, LinearFogBlendsTowardsTheFogColour) {
  device->SetRenderState(RenderState::FogEnable, true);
  device->SetRenderState(RenderState::FogVertexMode, FogMode::Linear);
  device->SetRenderState(RenderState::RangeFogEnable, true);
  device->SetRenderState(RenderState::FogStart, FloatBits(50));
  device->SetRenderState(RenderState::FogEnd, FloatBits(150));
  device->SetRenderState(RenderState::FogColor, 0x0000FF00);
  DrawSquare(0, 1);  // 100 units away: half fog
  uint32_t p = Pixel(kCx, kCy);
  EXPECT_NEAR(Red(p), 128, 3);
  EXPECT_NEAR(Green(p), 255, 1);
  // Fog is computed at the vertices; with range fog the corners of a large
  // square lie further away than its plane.
  if (device->rangeFogSupported()) {
    DrawSquare(0, 60);
    int rangeRed = Red(Pixel(kCx, kCy));
    device->SetRenderState(RenderState::RangeFogEnable, false);
    DrawSquare(0, 60);
    EXPECT_NEAR(Red(Pixel(kCx, kCy)), 128, 3);
    EXPECT_LT(rangeRed, 100);
    device->SetRenderState(RenderState::RangeFogEnable, true);
  }
  DrawSquare(-60, 2);  // 40 units away: before the fog starts
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  // Fog off: white again.
  device->SetRenderState(RenderState::FogEnable, false);
  DrawSquare(-10, 20);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  // Pixel-space vertices are never fogged.
  device->SetRenderState(RenderState::FogEnable, true);
  device->SetRenderState(RenderState::ZEnable, false);
  DrawScreenQuad(0, 0, 4, 4, 0xFFFF0000);
  EXPECT_EQ(Pixel(1, 1), 0xFFFF0000u);
}

TEST_F(GlWorldTest, SphereMapFacingTheViewerSamplesTheCentre) {
  // 3 x 3 texture: red centre, blue around.
  std::vector<uint32_t> t(9, 0xFF0000FF);
  t[4] = 0xFFFF0000;
  device->SetTexture(0, MakeTexture(3, 3, t));
  device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::SelectArg1);
  device->SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, TexCoordIndex::SphereMap);
  DrawSquare(0, 20);
  // Seen nearly head-on the whole square reflects what is behind the viewer:
  // the centre of the sphere map, up to the corners.
  int corner = static_cast<int>(20 / (100 * std::tan(0.5236f)) * kCy) - 2;
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFF0000u);
  EXPECT_EQ(Pixel(kCx - corner, kCy - corner), 0xFFFF0000u);
  EXPECT_EQ(Pixel(kCx + corner, kCy + corner), 0xFFFF0000u);
  // Back to the mesh's own coordinates: the corner texel at the top-left.
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, 0);
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx - corner, kCy - corner), 0xFF0000FFu);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFF0000u);
}

TEST_F(GlWorldTest, MultisampledDeviceDrawsAndReadsBack) {
  if (!adapter->CheckMultiSample(Format::X8R8G8B8, 2)) GTEST_SKIP() << "no multisampling";
  owned.reset();
  owned = adapter->CreateDevice(DeviceType::Hal, TestParams(kTestWidth, kTestHeight, 2));
  ASSERT_NE(owned, nullptr);
  device = dynamic_cast<GlDevice*>(owned.get());
  EXPECT_GE(device->samples(), 2);
  meshVb = {};
  meshIb = {};
  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
  device->SetTransform(TransformState::View, MatrixLookAtLH({0, 0, -100}, {0, 0, 0}, {0, 1, 0}));
  device->SetTransform(TransformState::Projection,
                       MatrixPerspectiveFovLH(1.0471976f, float(kTestWidth) / kTestHeight, 1, 1000));
  device->SetRenderState(RenderState::Lighting, false);
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(2, 2), 0xFF000000u);
  EXPECT_EQ(device->Present(), DeviceResult::Ok);
}

}  // namespace
}  // namespace nb::test
