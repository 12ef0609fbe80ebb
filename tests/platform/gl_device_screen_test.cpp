// Pixel-space drawing on the real OpenGL device, read back from the frame buffer.
#include "gl_fixture.h"

namespace nb::test {
namespace {

class GlScreenTest : public GlDeviceTest {
 protected:
  void SetUp() override {
    GlDeviceTest::SetUp();
    if (HasFatalFailure()) return;
    // Unfiltered 2-D drawing as the sprites use it.
    device->SetRenderState(RenderState::ZEnable, false);
    device->SetRenderState(RenderState::Lighting, false);
    device->SetRenderState(RenderState::CullMode, Cull::None);
    device->SetSamplerState(0, SamplerState::MinFilter, TextureFilter::None);
    device->SetSamplerState(0, SamplerState::MagFilter, TextureFilter::None);
    device->SetSamplerState(0, SamplerState::MipFilter, TextureFilter::None);
    device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
    device->SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
    device->SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse);
  }
};

// A 4 x 4 texture of distinct opaque texels.
std::vector<uint32_t> Checker4() {
  std::vector<uint32_t> t;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      t.push_back(0xFF000000u | uint32_t(40 + 60 * x) << 16 | uint32_t(40 + 60 * y) << 8 | 0x20);
  return t;
}

TEST_F(GlScreenTest, UnfilteredTextureMapsTexelsOneToOneAndMirrors) {
  std::vector<uint32_t> texels = Checker4();
  device->SetTexture(0, MakeTexture(4, 4, texels));
  DrawScreenQuad(20, 30, 24, 34, 0xFFFFFFFF);
  DrawScreenQuad(40, 30, 44, 34, 0xFFFFFFFF, 1, 0, 0, 1);  // mirrored by swapping u
  DrawScreenQuad(60, 30, 72, 42, 0xFFFFFFFF);              // each texel a 3 x 3 block
  // A texture transform and sphere mapping left on by a 3-D pass do not reach
  // pixel-space vertices.
  Matrix m;
  m.m[2][0] = 0.25f;
  m.m[2][1] = 0.5f;
  device->SetTransform(TransformState::Texture0, m);
  device->SetTextureStageState(0, TextureStageState::TextureTransformFlags, TextureTransform::Count2);
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, TexCoordIndex::SphereMap);
  DrawScreenQuad(0, 0, 4, 4, 0xFFFFFFFF);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      EXPECT_EQ(Pixel(20 + x, 30 + y), texels[y * 4 + x]);
      EXPECT_EQ(Pixel(40 + x, 30 + y), texels[y * 4 + (3 - x)]);
      EXPECT_EQ(Pixel(x, y), texels[y * 4 + x]);
      for (int k = 0; k < 9; ++k) EXPECT_EQ(Pixel(60 + 3 * x + k % 3, 30 + 3 * y + k / 3), texels[y * 4 + x]);
    }
}

TEST_F(GlScreenTest, ColourOperationsCombineTextureAndDiffuse) {
  device->SetTexture(0, MakeTexture(1, 1, {0xFF808080}));
  const uint32_t diffuse = 0xFF40C0FF;
  // Grey texel 0x80 with diffuse 0x40 / 0xC0 / 0xFF; add signed is a + b - 0.5.
  struct Case {
    uint32_t op;
    int r, g, b;
  } cases[] = {
      {TextureOp::Modulate, 0x20, 0x60, 0x80},
      {TextureOp::SelectArg1, 0x80, 0x80, 0x80},
      {TextureOp::SelectArg2, 0x40, 0xC0, 0xFF},
      {TextureOp::Add, 0xC0, 0xFF, 0xFF},
      {TextureOp::AddSigned, 0x40, 0xC0, 0xFF},
  };
  int x = 4;
  for (const Case& c : cases) {
    device->SetTextureStageState(0, TextureStageState::ColorOp, c.op);
    DrawScreenQuad(float(x), 4, float(x + 4), 8, diffuse);
    uint32_t p = Pixel(x + 1, 5);
    for (auto [got, want] : {std::pair{Red(p), c.r}, {Green(p), c.g}, {Blue(p), c.b}})
      EXPECT_NEAR(got, want, 2) << "op " << c.op;
    x += 8;
  }
}

TEST_F(GlScreenTest, AlphaBlendingAndAlphaTest) {
  device->SetTexture(0, TextureHandle{});
  DrawScreenQuad(0, 0, 40, 40, 0xFFFFFFFF);  // white background
  device->SetRenderState(RenderState::AlphaBlendEnable, true);
  device->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  device->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  device->SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::Modulate);
  device->SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
  device->SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Diffuse);
  DrawScreenQuad(0, 0, 10, 10, 0xFF000000);   // opaque black
  DrawScreenQuad(10, 0, 20, 10, 0x80000000);  // half black
  DrawScreenQuad(20, 0, 30, 10, 0x00000000);  // invisible
  EXPECT_EQ(Pixel(5, 5), 0xFF000000u);
  EXPECT_NEAR(Red(Pixel(15, 5)), 0x7F, 2);
  EXPECT_EQ(Pixel(25, 5), 0xFFFFFFFFu);
  // Additive: one plus one.
  device->SetRenderState(RenderState::SrcBlend, Blend::One);
  device->SetRenderState(RenderState::DestBlend, Blend::One);
  DrawScreenQuad(0, 20, 10, 30, 0xFF404040);
  DrawScreenQuad(0, 20, 10, 30, 0xFF404040);
  EXPECT_NEAR(Red(Pixel(5, 25)), 0xFF, 1);  // white + anything stays white
  // Without blending the alpha of the colour is ignored.
  device->SetRenderState(RenderState::AlphaBlendEnable, false);
  DrawScreenQuad(30, 0, 40, 10, 0x00102030);
  EXPECT_EQ(Pixel(35, 5), 0xFF102030u);
  // Alpha test: a texel of alpha 7 is dropped, one of 8 kept.
  device->SetTexture(0, MakeTexture(2, 1, {0x07FF0000, 0x0800FF00}));
  device->SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::SelectArg1);
  device->SetRenderState(RenderState::AlphaTestEnable, true);
  device->SetRenderState(RenderState::AlphaRef, 8);
  device->SetRenderState(RenderState::AlphaFunc, Cmp::GreaterEqual);
  DrawScreenQuad(50, 0, 52, 1, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(50, 0), 0xFF000000u);
  EXPECT_EQ(Pixel(51, 0), 0xFF00FF00u);
}

TEST_F(GlScreenTest, MirrorAddressingLinearFilteringAndMipLevels) {
  // Black and white texels side by side.
  device->SetTexture(0, MakeTexture(2, 1, {0xFF000000, 0xFFFFFFFF}));
  device->SetSamplerState(0, SamplerState::AddressU, TextureAddress::Mirror);
  // u from 0 to 2: the second half repeats the picture mirrored.
  DrawScreenQuad(0, 0, 4, 1, 0xFFFFFFFF, 0, 0, 2, 1);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Pixel(x, 0), x == 1 || x == 2 ? 0xFFFFFFFFu : 0xFF000000u) << x;
  // Linear magnification blends the two texels in between.
  device->SetSamplerState(0, SamplerState::AddressU, TextureAddress::Clamp);
  device->SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
  DrawScreenQuad(0, 4, 16, 5, 0xFFFFFFFF);
  int mid = Red(Pixel(8, 4));
  EXPECT_GT(mid, 0x40);
  EXPECT_LT(mid, 0xC0);
  EXPECT_EQ(Pixel(0, 4), 0xFF000000u);
  EXPECT_EQ(Pixel(15, 4), 0xFFFFFFFFu);
  // Minified 8 x 8 stripes of black and white: their 1 x 1 level is mid grey.
  std::vector<uint32_t> stripes;
  for (int i = 0; i < 64; ++i) stripes.push_back((i % 2) ? 0xFFFFFFFF : 0xFF000000);
  device->SetTexture(0, MakeTexture(8, 8, stripes));
  device->SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Point);
  device->SetSamplerState(0, SamplerState::MipFilter, TextureFilter::None);
  DrawScreenQuad(0, 0, 1, 1, 0xFFFFFFFF);  // the whole texture in one pixel
  int unfiltered = Red(Pixel(0, 0));
  EXPECT_TRUE(unfiltered == 0 || unfiltered == 255) << unfiltered;
  device->SetSamplerState(0, SamplerState::MipFilter, TextureFilter::Point);
  DrawScreenQuad(0, 0, 1, 1, 0xFFFFFFFF);
  EXPECT_NEAR(Red(Pixel(0, 0)), 128, 2);
}

TEST_F(GlScreenTest, QuadsCoverExactlyTheirPixelsWithDepthAndColourWrites) {
  device->Clear(ClearFlags::Target, 0xFF123456, 1.0f, 0);
  EXPECT_EQ(Pixel(kTestWidth - 1, kTestHeight - 1), 0xFF123456u);
  ASSERT_EQ(device->BeginScene(), DeviceResult::Ok);
  device->SetTexture(0, TextureHandle{});
  DrawScreenQuad(10, 20, 14, 25, 0xFFFF0000);
  ASSERT_EQ(device->EndScene(), DeviceResult::Ok);
  EXPECT_EQ(device->Present(), DeviceResult::Ok);  // the back buffer stays readable
  for (int y = 18; y < 28; ++y)
    for (int x = 8; x < 17; ++x) {
      bool inside = x >= 10 && x < 14 && y >= 20 && y < 25;
      EXPECT_EQ(Pixel(x, y), inside ? 0xFFFF0000u : 0xFF123456u) << x << "," << y;
    }
  // Depth tested pixel-space vertices: the one behind is hidden until the depth is cleared.
  device->SetRenderState(RenderState::ZEnable, true);
  device->SetRenderState(RenderState::ZWriteEnable, true);
  DrawScreenQuad(0, 0, 10, 10, 0xFF0000FF, 0, 0, 1, 1, 0.25f);
  DrawScreenQuad(0, 0, 10, 10, 0xFFFF0000, 0, 0, 1, 1, 0.75f);
  EXPECT_EQ(Pixel(5, 5), 0xFF0000FFu);
  device->Clear(ClearFlags::ZBuffer, 0, 1.0f, 0);
  DrawScreenQuad(0, 0, 10, 10, 0xFFFF0000, 0, 0, 1, 1, 0.75f);
  EXPECT_EQ(Pixel(5, 5), 0xFFFF0000u);
  // Colour writes off leave the picture; the clear still works.
  device->SetRenderState(RenderState::ColorWriteEnable, 0);
  DrawScreenQuad(0, 0, 10, 10, 0xFFFFFFFF, 0, 0, 1, 1, 0.1f);
  EXPECT_EQ(Pixel(5, 5), 0xFFFF0000u);
  device->Clear(ClearFlags::Target, 0xFF000000, 1.0f, 0);
  EXPECT_EQ(Pixel(5, 5), 0xFF000000u);
}

}  // namespace
}  // namespace nb::test
