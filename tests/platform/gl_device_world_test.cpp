// World-space drawing on the real OpenGL device: matrices, depth, culling,
// lighting, fog and texture coordinates.
#include <cmath>
#include <cstring>

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
  // A world translation to the right (+X) moves the square right on screen; up (+Y) is up.
  for (auto [dx, dy] : {std::pair{30, 0}, {0, 30}}) {
    device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
    device->SetTransform(TransformState::World, MatrixTranslation(float(dx), float(dy), 0));
    DrawSquare(0, 5);
    EXPECT_EQ(Pixel(kCx, kCy), 0xFF000000u);
    EXPECT_EQ(Pixel(kCx + OnScreen(float(dx)), kCy - OnScreen(float(dy))), 0xFFFFFFFFu) << dx << "," << dy;
  }
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

TEST_F(GlWorldTest, PointLightWithConstantAttenuationAndAmbient) {
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
  // Straight on: 1 / 1.25 of full white.
  uint32_t centre = Pixel(kCx, kCy);
  EXPECT_NEAR(Red(centre), 204, 3);
  EXPECT_EQ(Red(centre), Blue(centre));
  // 40 units to the side the light falls at 45 degrees: 0.8 x 0.707.
  device->SetTransform(TransformState::World, MatrixTranslation(40, 0, 0));
  DrawSquare(0, 2);
  EXPECT_NEAR(Red(Pixel(kCx + OnScreen(40), kCy)), 144, 4);
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
  EXPECT_NEAR(Red(Pixel(kCx - OnScreen(20), kCy)), 204, 4);
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
  int corner = OnScreen(20) - 2;
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFF0000u);
  EXPECT_EQ(Pixel(kCx - corner, kCy - corner), 0xFFFF0000u);
  EXPECT_EQ(Pixel(kCx + corner, kCy + corner), 0xFFFF0000u);
  // Back to the mesh's own coordinates: the corner texel at the top-left.
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, 0);
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx - corner, kCy - corner), 0xFF0000FFu);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFF0000u);
}

TEST_F(GlWorldTest, TwoComponentTextureTransformShiftsCoordinates) {
  // Four texels in a row; the square shows u from 0 to 1 left to right.
  const std::vector<uint32_t> texels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  device->SetTexture(0, MakeTexture(4, 1, texels));
  device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::SelectArg1);
  const int firstQuarter = kCx - OnScreen(20) * 3 / 4;
  // A shift by a quarter in u, kept in the third row; the last row disables the transform.
  struct Case { float shift; uint32_t flags; uint32_t texel; } cases[] = {
      {0, TextureTransform::Disable, 0}, {0.25f, TextureTransform::Count2, 1},
      {0.5f, TextureTransform::Count2, 2}, {0.5f, TextureTransform::Disable, 0}};
  for (const Case& c : cases) {
    Matrix m;
    m.m[2][0] = c.shift;
    device->SetTransform(TransformState::Texture0, m);
    device->SetTextureStageState(0, TextureStageState::TextureTransformFlags, c.flags);
    DrawSquare(0, 20);
    EXPECT_EQ(Pixel(firstQuarter, kCy), texels[c.texel]) << c.shift << " " << c.flags;
  }
}

// A square of coloured vertices (XYZ | DIFFUSE | TEX1) at z = 0, drawn as a list.
void DrawColouredSquare(GraphicsDevice& d, VertexBufferHandle& vb, float half,
                        const uint32_t colours[4]) {
  VertexColorTex c[4] = {{-half, half, 0, colours[0], 0, 0},
                         {half, half, 0, colours[1], 1, 0},
                         {-half, -half, 0, colours[2], 0, 1},
                         {half, -half, 0, colours[3], 1, 1}};
  VertexColorTex list[6] = {c[0], c[1], c[2], c[2], c[1], c[3]};
  if (!vb) {
    ASSERT_EQ(d.CreateVertexBuffer(sizeof list, 0, kFvfColorTex, Pool::Managed, &vb),
              DeviceResult::Ok);
  }
  void* p = nullptr;
  ASSERT_EQ(d.LockVertexBuffer(vb, 0, 0, &p, 0), DeviceResult::Ok);
  std::memcpy(p, list, sizeof list);
  d.UnlockVertexBuffer(vb);
  d.SetStreamSource(0, vb, 0, sizeof(VertexColorTex));
  d.SetFVF(kFvfColorTex);
  ASSERT_EQ(d.DrawPrimitive(PrimitiveType::TriangleList, 0, 2), DeviceResult::Ok);
}

TEST_F(GlWorldTest, VertexColoursFeedLightingOnlyWhenTheMaterialSourceSaysSo) {
  VertexBufferHandle vb;
  const uint32_t red[4] = {0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000};
  device->SetRenderState(RenderState::Lighting, true);
  device->SetRenderState(RenderState::Ambient, 0);
  Light light;
  light.type = LightType::Directional;  // shining along +Z, onto a normal-less face: no diffuse
  light.diffuse = {1, 1, 1, 1};
  light.ambient = {1, 1, 1, 1};
  light.direction = {0, 0, 1};
  device->SetLight(0, light);
  device->LightEnable(0, true);
  Material amb;
  amb.ambient = {0, 1, 0, 1};
  device->SetMaterial(amb);
  // Vertex colours, but the ambient comes from the material: green.
  DrawColouredSquare(*device, vb, 10, red);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF00FF00u);
  // Ambient from the vertex colour: red.
  device->SetRenderState(RenderState::AmbientMaterialSource, MaterialSource::Color1);
  DrawColouredSquare(*device, vb, 10, red);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFF0000u);
  // Colour vertex off: the material again, even though the source says colour.
  device->SetRenderState(RenderState::ColorVertex, false);
  DrawColouredSquare(*device, vb, 10, red);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFF00FF00u);
  // Lighting off: the vertex colour as it is.
  device->SetRenderState(RenderState::Lighting, false);
  DrawColouredSquare(*device, vb, 10, red);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFF0000u);
}

TEST_F(GlWorldTest, FlatShadingTakesTheFirstVertexColour) {
  VertexBufferHandle vb;
  const uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  device->SetRenderState(RenderState::ShadeMode, Shade::Flat);
  DrawColouredSquare(*device, vb, 20, colours);
  // Triangle (0, 1, 2) is red throughout; triangle (2, 1, 3) blue.
  int in = OnScreen(20) - 3;
  EXPECT_EQ(Pixel(kCx - in, kCy - in), 0xFFFF0000u);
  EXPECT_EQ(Pixel(kCx + in, kCy + in), 0xFF0000FFu);
  device->SetRenderState(RenderState::ShadeMode, Shade::Gouraud);
  DrawColouredSquare(*device, vb, 20, colours);
  uint32_t mixed = Pixel(kCx - in / 2, kCy - in / 2);
  EXPECT_GT(Green(mixed), 0x10);
  EXPECT_GT(Red(mixed), 0x10);
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
  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1, 0);
  Look();
  DrawSquare(0, 20);
  EXPECT_EQ(Pixel(kCx, kCy), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(2, 2), 0xFF000000u);
  EXPECT_EQ(device->Present(), DeviceResult::Ok);
}

}  // namespace
}  // namespace nb::test
