// The render device on the real OpenGL adapter under Xvfb: creation from the
// settings, the frame bracket and a reset that keeps managed resources.
#include <gtest/gtest.h>

#include "core/general_settings.h"
#include "render/render_device.h"
#include "render/sprites.h"
#include "support/gl_test_device.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

class RenderDeviceGlTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(window, nullptr) << "no display (run under Xvfb)"; }
  void TearDown() override { ReleaseRenderDevice(rd); }

  // One frame with a flat quad drawn as an untextured sprite from managed buffers.
  void DrawFrame(float x, float y, float size, uint32_t color) {
    if (sprite < 0) {
      ASSERT_TRUE(CreateGeometryStore(store, *rd.device));
      sprite = CreateSprite(store, *rd.device, SpriteRect{});
    }
    rd.device->Clear(ClearFlags::Target, 0xFF102030, 1, 0);
    const bool began = BeginFrame(rd, 0xFFFFFFFF);
    ASSERT_TRUE(began);
    ASSERT_TRUE(RefillSprite(store, *rd.device, sprite, SpriteRect{x, y, size, size, 0, 0, 1, 1, color}));
    rd.device->SetTexture(0, TextureHandle{});
    DrawSprite(*rd.device, store, sprite, false);
    EndFrame(rd, began);
  }
  uint32_t Pixel(int x, int y) { return dynamic_cast<GlDevice&>(*rd.device).ReadPixel(x, y); }

  PlatformWindow* window = test::SharedTestWindow(320, 240);
  test::ScratchDir dir;
  test::CapturedMessages messages;
  RenderDevice rd;
  GeometryStore store;
  int sprite = -1;
};

TEST_F(RenderDeviceGlTest, WindowedBackBufferFollowsTheWindowAndTheDepthFormatIsReal) {
  GeneralSettings s;
  s.width = 800;
  s.height = 600;
  ASSERT_TRUE(CreateRenderDevice(rd, s, window));
  int w = 0, h = 0;
  rd.device->BackBufferSize(&w, &h);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(320, 240));
  EXPECT_GE(DepthBitsOf(rd.presentParameters.autoDepthStencilFormat), 24);
  EXPECT_EQ(dynamic_cast<GlDevice&>(*rd.device).depthBits(), DepthBitsOf(rd.presentParameters.autoDepthStencilFormat));
  // The adapter answers from the driver: no stencil-sharing formats, no absurd sample counts.
  EXPECT_TRUE(rd.adapter->CheckDepthFormat(Format::X8R8G8B8, Format::D16));
  EXPECT_FALSE(rd.adapter->CheckDepthFormat(Format::X8R8G8B8, Format::D15S1));
  EXPECT_FALSE(rd.adapter->CheckMultiSample(Format::X8R8G8B8, 4096));
  EXPECT_TRUE(messages.calls().empty());
}

TEST_F(RenderDeviceGlTest, FrameDrawsAndManagedBuffersSurviveAReset) {
  ASSERT_TRUE(CreateRenderDevice(rd, GeneralSettings{}, window));
  DrawFrame(0, 0, 8, 0xFF00FF00);
  EXPECT_EQ(Pixel(4, 4), 0xFF00FF00u);
  EXPECT_EQ(Pixel(20, 20), 0xFF102030u);  // the frame clears depth only, not the picture
  ASSERT_EQ(ResetForWindowMode(rd, window, false, 800, 600), DeviceResult::Ok);
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::Ok);
  // The buffers made before the reset still draw, with the states sent again.
  DrawFrame(2, 2, 4, 0xFFFF00FF);
  EXPECT_EQ(Pixel(3, 3), 0xFFFF00FFu);
  EXPECT_EQ(Pixel(7, 7), 0xFF102030u);
  EXPECT_TRUE(messages.calls().empty());
}

}  // namespace
}  // namespace nb
