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
    device->SetRenderState(RenderState::CullMode, Cull::None);
    for (SamplerState s : {SamplerState::MinFilter, SamplerState::MagFilter, SamplerState::MipFilter})
      device->SetSamplerState(0, s, TextureFilter::None);
  }
};

TEST_F(GlScreenTest, UnfilteredTextureMapsTexelsOneToOneAndMirrors) {
  std::vector<uint32_t> texels;  // 4 x 4 distinct opaque texels
  for (uint32_t i = 0; i < 16; ++i) texels.push_back(0xFF282820 + (60 * (i % 4) << 16) + (60 * (i / 4) << 8));
  device->SetTexture(0, MakeTexture(4, 4, texels));
  // A texture transform and sphere mapping left on by a 3-D pass do not reach pixel-space vertices.
  Matrix m;
  m.m[2][0] = 0.25f;
  device->SetTransform(TransformState::Texture0, m);
  device->SetTextureStageState(0, TextureStageState::TextureTransformFlags, TextureTransform::Count2);
  device->SetTextureStageState(0, TextureStageState::TexCoordIndex, TexCoordIndex::SphereMap);
  DrawScreenQuad(20, 30, 24, 34, 0xFFFFFFFF);
  DrawScreenQuad(40, 30, 44, 34, 0xFFFFFFFF, 1, 0, 0, 1);  // mirrored by swapping u
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(Pixel(20 + i % 4, 30 + i / 4), texels[i]) << i;
    EXPECT_EQ(Pixel(40 + i % 4, 30 + i / 4), texels[i / 4 * 4 + 3 - i % 4]) << i;
  }
}

TEST_F(GlScreenTest, AlphaBlendingAndAlphaTest) {
  device->SetTexture(0, TextureHandle{});
  DrawScreenQuad(0, 0, 40, 40, 0xFFFFFFFF);  // white background
  device->SetRenderState(RenderState::AlphaBlendEnable, true);
  device->SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  device->SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  DrawScreenQuad(0, 0, 10, 10, 0x80000000);  // half black
  EXPECT_NEAR(Red(Pixel(5, 5)), 0x7F, 2);
  device->SetRenderState(RenderState::SrcBlend, Blend::One);  // additive
  device->SetRenderState(RenderState::DestBlend, Blend::One);
  DrawScreenQuad(0, 0, 10, 10, 0xFF404040);
  EXPECT_NEAR(Red(Pixel(5, 5)), 0xBF, 2);
  // Alpha test: a texel of alpha 7 is dropped, one of 8 kept (a grey picture with alpha).
  device->SetRenderState(RenderState::AlphaBlendEnable, false);
  device->SetTexture(0, MakeTexture(2, 1, {0x07FFFFFF, 0x08808080}));
  device->SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::SelectArg1);
  device->SetRenderState(RenderState::AlphaTestEnable, true);
  device->SetRenderState(RenderState::AlphaRef, 8);
  device->SetRenderState(RenderState::AlphaFunc, Cmp::GreaterEqual);
  DrawScreenQuad(30, 0, 32, 1, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(30, 0), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(31, 0), 0xFF808080u);
  // White with alpha (a font page) goes up as alpha alone and still reads as
  // white: selected it is white, modulated it is the diffuse colour (over the
  // white background where the alpha test drops it).
  device->SetTexture(0, MakeTexture(2, 1, {0x07FFFFFF, 0x08FFFFFF}));
  device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::SelectArg1);
  DrawScreenQuad(30, 2, 32, 3, 0xFF3060C0);
  device->SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
  DrawScreenQuad(30, 3, 32, 4, 0xFF3060C0);
  EXPECT_EQ((std::vector<uint32_t>{Pixel(30, 2), Pixel(31, 2), Pixel(30, 3), Pixel(31, 3)}),
            (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF3060C0}));
}

TEST_F(GlScreenTest, MirrorAddressingLinearFilteringAndMipLevels) {
  device->SetTexture(0, MakeTexture(2, 1, {0xFF000000, 0xFFFFFFFF}));
  device->SetSamplerState(0, SamplerState::AddressU, TextureAddress::Mirror);
  // u from 0 to 2: the second half repeats the picture mirrored.
  DrawScreenQuad(0, 0, 4, 1, 0xFFFFFFFF, 0, 0, 2, 1);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Pixel(x, 0), x == 1 || x == 2 ? 0xFFFFFFFFu : 0xFF000000u) << x;
  // Linear magnification blends the two texels in between.
  device->SetSamplerState(0, SamplerState::AddressU, TextureAddress::Clamp);
  device->SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
  DrawScreenQuad(0, 4, 16, 5, 0xFFFFFFFF);
  EXPECT_NEAR(Red(Pixel(8, 4)), 0x80, 0x40);
  // Minified 8 x 8 stripes of black and white: their 1 x 1 level is mid grey;
  // with the top level alone the pixel takes one stripe.
  std::vector<uint32_t> stripes;
  for (int i = 0; i < 64; ++i) stripes.push_back((i % 2) ? 0xFFFFFFFF : 0xFF000000);
  device->SetSamplerState(0, SamplerState::MipFilter, TextureFilter::Point);
  for (MipChain mips : {MipChain::Full, MipChain::TopLevelOnly}) {
    device->SetTexture(0, MakeTexture(8, 8, stripes, mips));
    DrawScreenQuad(0, 0, 1, 1, 0xFFFFFFFF);  // the whole texture in one pixel
    const int red = Red(Pixel(0, 0));
    EXPECT_TRUE(mips == MipChain::Full ? std::abs(red - 128) <= 2 : red == 0 || red == 255) << red;
  }
  // A chain completed later, from the grey top level read back, is the same.
  const TextureHandle later = MakeTexture(8, 8, stripes, MipChain::TopLevelOnly);
  ASSERT_EQ(device->CompleteMipChain(later), DeviceResult::Ok);
  device->SetTexture(0, later);
  DrawScreenQuad(0, 0, 1, 1, 0xFFFFFFFF);
  EXPECT_NEAR(Red(Pixel(0, 0)), 128, 2);
}

TEST_F(GlScreenTest, QuadsCoverExactlyTheirPixelsWithDepthAndColourWrites) {
  device->Clear(ClearFlags::Target, 0xFF123456, 1.0f, 0);
  DrawScreenQuad(10, 20, 14, 25, 0xFFFF0000);
  EXPECT_EQ(device->Present(), DeviceResult::Ok);  // the back buffer stays readable
  for (int y = 18; y < 28; ++y)
    for (int x = 8; x < 17; ++x)
      EXPECT_EQ(Pixel(x, y), x >= 10 && x < 14 && y >= 20 && y < 25 ? 0xFFFF0000u : 0xFF123456u)
          << x << "," << y;
  // Depth tested pixel-space vertices: the one behind is hidden until the depth is cleared.
  device->SetRenderState(RenderState::ZEnable, true);
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

namespace nb::test {
namespace {

// A windowed picture the window's size is drawn straight into the window;
// when the player resizes the window, the frame moves to the device's own
// targets and is scaled into the window between black bars.
TEST(GlWindow, APictureDrawnIntoTheWindowSurvivesItsResize) {
  PlatformWindow* window = InitPlatform() ? CreateGameWindow("direct", 64, 48, false) : nullptr;
  ASSERT_TRUE(window) << "no display (run under Xvfb)";
  {
    std::unique_ptr<GraphicsAdapter> adapter = CreateGlAdapter(window);
    ASSERT_TRUE(adapter);
    std::unique_ptr<GraphicsDevice> owned = adapter->CreateDevice(DeviceType::Hal, TestPresentParams(64, 48));
    auto* device = dynamic_cast<GlDevice*>(owned.get());
    ASSERT_TRUE(device);
    device->Clear(ClearFlags::Target, 0xFF0000FF, 1.0f, 0);
    ASSERT_EQ(device->Present(), DeviceResult::Ok);
    EXPECT_EQ(device->ReadWindowPixels(32, 24, 1, 1), std::vector<uint32_t>{0xFF0000FF});
    SetWindowMode(window, 128, 48, false);
    device->Clear(ClearFlags::Target, 0xFF00FF00, 1.0f, 0);
    ASSERT_EQ(device->Present(), DeviceResult::Ok);
    int w = 0, h = 0;
    device->BackBufferSize(&w, &h);
    EXPECT_EQ(std::vector<int>({w, h}), std::vector<int>({64, 48}));
    EXPECT_EQ(device->ReadPixel(32, 24), 0xFF00FF00u);
    EXPECT_EQ(device->ReadWindowPixels(1, 24, 1, 1), std::vector<uint32_t>{0xFF000000}) << "a bar";
    EXPECT_EQ(device->ReadWindowPixels(64, 24, 1, 1), std::vector<uint32_t>{0xFF00FF00});
  }
  DestroyGameWindow(window);
}

}  // namespace
}  // namespace nb::test
