// Pixel-space drawing on the real OpenGL device: positions, texels, colour
// operations, blending and alpha testing, read back from the frame buffer.
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

TEST_F(GlScreenTest, QuadCoversExactlyItsPixels) {
  device->SetTexture(0, TextureHandle{});
  DrawScreenQuad(10, 20, 14, 25, 0xFFFF0000);
  for (int y = 18; y < 28; ++y)
    for (int x = 8; x < 17; ++x) {
      bool inside = x >= 10 && x < 14 && y >= 20 && y < 25;
      EXPECT_EQ(Pixel(x, y), inside ? 0xFFFF0000u : 0xFF000000u) << x << "," << y;
    }
}

}  // namespace
}  // namespace nb::test
