// The render device on the real OpenGL adapter under Xvfb: creation from the
// settings, the frame bracket and a reset that keeps managed resources.
#include <gtest/gtest.h>

#include "core/general_settings.h"
#include "platform/gl_device.h"
#include "platform/window.h"
#include "render/render_device.h"
#include "render/sprites.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

PlatformWindow* TestWindow() {
  static PlatformWindow* window = [] {
    if (!InitPlatform()) return static_cast<PlatformWindow*>(nullptr);
    return CreateGameWindow("render device test", 320, 240, false);
  }();
  return window;
}

class RenderDeviceGlTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(TestWindow(), nullptr) << "no display (run under Xvfb)"; }
  void TearDown() override { ReleaseRenderDevice(rd); }

  GlDevice* Gl() { return dynamic_cast<GlDevice*>(rd.device.get()); }

  // A flat quad drawn as an untextured sprite, from managed buffers.
  void DrawQuad(float x, float y, float w, float h, uint32_t color) {
    if (sprite < 0) {
      ASSERT_TRUE(CreateGeometryStore(store, *rd.device));
      sprite = CreateSprite(store, *rd.device, SpriteRect{});
    }
    ASSERT_TRUE(RefillSprite(store, *rd.device, sprite, SpriteRect{x, y, w, h, 0, 0, 1, 1, color}));
    rd.device->SetTexture(0, TextureHandle{});
    DrawSprite(*rd.device, store, sprite, false);
  }

  test::ScratchDir dir;
  test::CapturedMessages messages;
  RenderDevice rd;
  GeometryStore store;
  int sprite = -1;
};

TEST_F(RenderDeviceGlTest, WindowedBackBufferFollowsTheWindowNotTheSettings) {
  GeneralSettings s;
  s.width = 800;
  s.height = 600;
  ASSERT_TRUE(CreateRenderDevice(rd, s, TestWindow()));
  int w = 0, h = 0;
  rd.device->BackBufferSize(&w, &h);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(320, 240));
  // The depth format is a real one of the 32-bit candidates.
  EXPECT_GE(DepthBitsOf(rd.presentParameters.autoDepthStencilFormat), 24);
  EXPECT_EQ(Gl()->depthBits(), DepthBitsOf(rd.presentParameters.autoDepthStencilFormat));
  EXPECT_EQ(rd.device->GetRenderState(RenderState::Ambient), kCreationAmbient);
  EXPECT_TRUE(messages.calls().empty());
}

TEST_F(RenderDeviceGlTest, AdapterAnswersFormatQuestionsFromTheDriver) {
  auto adapter = CreateGlAdapter(TestWindow());
  ASSERT_NE(adapter, nullptr);
  EXPECT_TRUE(adapter->CheckDepthFormat(Format::X8R8G8B8, Format::D16));
  EXPECT_TRUE(adapter->CheckDepthFormat(Format::X8R8G8B8, Format::D24X8));
  EXPECT_FALSE(adapter->CheckDepthFormat(Format::X8R8G8B8, Format::D15S1));
  EXPECT_FALSE(adapter->CheckDepthFormat(Format::X8R8G8B8, Format::D24X4S4));
  EXPECT_FALSE(adapter->CheckMultiSample(Format::X8R8G8B8, 4096));
  Format picked = PickDepthFormat(*adapter, Format::X8R8G8B8, 16);
  EXPECT_TRUE(picked == Format::D16Lockable || picked == Format::D16);
}

TEST_F(RenderDeviceGlTest, FrameDrawsPresentsAndSurvivesAReset) {
  ASSERT_TRUE(CreateRenderDevice(rd, GeneralSettings{}, TestWindow()));
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::Ok);
  EXPECT_EQ(rd.device->GetRenderState(RenderState::Ambient), kFrameAmbient);
  rd.device->Clear(ClearFlags::Target, 0xFF102030, 1, 0);
  bool began = BeginFrame(rd, 0xFFFFFFFF);
  ASSERT_TRUE(began);
  DrawQuad(0, 0, 8, 8, 0xFF00FF00);
  EndFrame(rd, began);
  EXPECT_EQ(Gl()->ReadPixel(4, 4), 0xFF00FF00u);
  EXPECT_EQ(Gl()->ReadPixel(20, 20), 0xFF102030u);  // the frame clears depth only, not the picture

  // A default-pool buffer blocks the reset, which the next frame retries.
  VertexBufferHandle dynamic;
  rd.device->CreateVertexBuffer(9600, Usage::Dynamic, 0, Pool::Default, &dynamic);
  EXPECT_EQ(ResetForWindowMode(rd, TestWindow(), false, 800, 600), DeviceResult::InvalidCall);
  EXPECT_EQ(rd.device->TestCooperativeLevel(), DeviceResult::DeviceNotReset);
  rd.hooks.invalidateFontDeviceObjects = [&](GraphicsDevice& d) { d.ReleaseVertexBuffer(dynamic); };
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::DeviceNotReset);
  EXPECT_EQ(rd.device->TestCooperativeLevel(), DeviceResult::Ok);
  EXPECT_TRUE(messages.calls().empty());
  // The managed buffers drew before and still draw after.
  rd.device->Clear(ClearFlags::Target, 0xFF000000, 1, 0);
  began = BeginFrame(rd, 0xFF000000);
  DrawQuad(2, 2, 4, 4, 0xFFFF00FF);
  EndFrame(rd, began);
  EXPECT_EQ(Gl()->ReadPixel(3, 3), 0xFFFF00FFu);
  EXPECT_EQ(Gl()->ReadPixel(7, 7), 0xFF000000u);
}

}  // namespace
}  // namespace nb
