// What both devices share (states, state blocks, buffers, draw range checks,
// reset rules), through the recording device.
#include "platform/recording_device.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/vertex_formats.h"

namespace nb {
namespace {

TEST(DeviceStatesTest, OutOfRangeStatesAndTexturesAreRefusedNotStored) {
  RecordingDevice dev;
  EXPECT_EQ(dev.SetRenderState(static_cast<RenderState>(999), 1), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.SetTextureStageState(2, TextureStageState::ColorOp, 1), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.SetSamplerState(1, SamplerState::MinFilter, 2), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.SetLight(kMaxLights, Light{}), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.LightEnable(kMaxLights, true), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.SetTexture(0, TextureHandle{12345}), DeviceResult::InvalidCall);
  std::vector<uint8_t> img(16, 0);
  TextureHandle t{77};
  EXPECT_EQ(dev.CreateTexture(0, 1, img.data(), &t), DeviceResult::InvalidCall);
  EXPECT_FALSE(t);
  EXPECT_EQ(dev.CreateTexture(1, 1, nullptr, &t), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.CreateTexture(100000, 1, img.data(), &t), DeviceResult::InvalidCall);
  ASSERT_EQ(dev.CreateTexture(2, 2, img.data(), &t), DeviceResult::Ok);
  dev.SetTexture(0, t);
  dev.ReleaseTexture(t);
  EXPECT_FALSE(dev.states().texture);  // the released texture is unbound
}

TEST(StateBlockTest, RecordCaptureApplyAndRelease) {
  RecordingDevice dev;
  ASSERT_EQ(dev.BeginStateBlock(), DeviceResult::Ok);
  dev.SetRenderState(RenderState::ZEnable, false);
  dev.SetRenderState(RenderState::AlphaRef, 8);
  dev.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::SelectArg1);
  dev.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Point);
  dev.SetRenderState(RenderState::AlphaRef, 9);  // the later value replaces the earlier
  StateBlockHandle block;
  ASSERT_EQ(dev.EndStateBlock(&block), DeviceResult::Ok);
  // Nothing was applied while recording.
  EXPECT_EQ(dev.GetRenderState(RenderState::ZEnable), 1u);
  EXPECT_EQ(dev.GetRenderState(RenderState::AlphaRef), 0u);
  dev.SetRenderState(RenderState::FogEnable, true);  // not in the block
  ASSERT_EQ(dev.ApplyStateBlock(block), DeviceResult::Ok);
  EXPECT_EQ(dev.GetRenderState(RenderState::ZEnable), 0u);
  EXPECT_EQ(dev.GetRenderState(RenderState::AlphaRef), 9u);
  EXPECT_EQ(dev.GetTextureStageState(0, TextureStageState::ColorOp), TextureOp::SelectArg1);
  EXPECT_EQ(dev.GetSamplerState(0, SamplerState::MagFilter), TextureFilter::Point);
  EXPECT_EQ(dev.GetRenderState(RenderState::FogEnable), 1u);  // states outside are untouched
  // Capture saves the current values of the block's states; apply puts them back.
  dev.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
  ASSERT_EQ(dev.CaptureStateBlock(block), DeviceResult::Ok);
  dev.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::None);
  dev.ApplyStateBlock(block);
  EXPECT_EQ(dev.GetSamplerState(0, SamplerState::MagFilter), TextureFilter::Linear);
  // Released blocks are gone.
  dev.ReleaseStateBlock(block);
  EXPECT_EQ(dev.ApplyStateBlock(block), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.CaptureStateBlock(block), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.EndStateBlock(&block), DeviceResult::InvalidCall);  // not recording
}

class BufferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(dev.CreateVertexBuffer(8 * sizeof(VertexColorTex), 0, kFvfColorTex, Pool::Managed, &vb),
              DeviceResult::Ok);
    ASSERT_EQ(dev.CreateIndexBuffer(6 * 2, 0, IndexFormat::Index16, Pool::Managed, &ib), DeviceResult::Ok);
    void* p = nullptr;
    ASSERT_EQ(dev.LockVertexBuffer(vb, 0, 0, &p, 0), DeviceResult::Ok);
    for (int i = 0; i < 8; ++i) static_cast<VertexColorTex*>(p)[i] = {float(i), 0, 0, 0xFF000000u + i, 0, 0};
    dev.UnlockVertexBuffer(vb);
    SetIndices({0, 1, 2, 2, 1, 3});
    dev.SetStreamSource(0, vb, 0, sizeof(VertexColorTex));
    dev.SetFVF(kFvfColorTex);
    dev.SetIndices(ib);
  }
  void SetIndices(std::vector<uint16_t> idx) {
    void* p = nullptr;
    ASSERT_EQ(dev.LockIndexBuffer(ib, 0, 0, &p, 0), DeviceResult::Ok);
    std::memcpy(p, idx.data(), idx.size() * 2);
    dev.UnlockIndexBuffer(ib);
  }
  RecordingDevice dev;
  VertexBufferHandle vb;
  IndexBufferHandle ib;
};

TEST_F(BufferTest, LocksStayInsideTheBuffer) {
  void* p = nullptr;
  EXPECT_EQ(dev.LockVertexBuffer(vb, 0, 8 * 24 + 1, &p, 0), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.LockVertexBuffer(vb, 8 * 24 + 1, 0, &p, 0), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.LockIndexBuffer(IndexBufferHandle{999}, 0, 0, &p, 0), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.UnlockVertexBuffer(vb), DeviceResult::InvalidCall);  // not locked
  VertexBufferHandle none;
  EXPECT_EQ(dev.CreateVertexBuffer(0, 0, 0, Pool::Managed, &none), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.LockVertexBuffer(vb, 24, 48, &p, LockFlags::Discard), DeviceResult::Ok);
  EXPECT_EQ(static_cast<VertexColorTex*>(p)->x, 1.0f);                          // offset 24 is vertex 1
  EXPECT_EQ(dev.LockVertexBuffer(vb, 0, 0, &p, 0), DeviceResult::InvalidCall);  // already locked
}

// One draw per check the draws make.
TEST_F(BufferTest, DrawsPastTheBuffersAreRefused) {
  const auto tri = PrimitiveType::TriangleList;
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, -1, 0, 4, 0, 2), DeviceResult::InvalidCall);  // base vertex below 0
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, 0, 0, 4, 0, 3), DeviceResult::InvalidCall);   // 9 of 6 indices
  EXPECT_EQ(dev.DrawPrimitive(tri, 3, 2), DeviceResult::InvalidCall);                   // 9 of 8 vertices
  SetIndices({0, 1, 60000, 2, 1, 3});  // a stray index value far outside
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, 0, 0, 4, 0, 2), DeviceResult::InvalidCall);
  IndexBufferHandle wide;  // and a 32-bit one
  void* p = nullptr;
  ASSERT_EQ(dev.CreateIndexBuffer(3 * 4, 0, IndexFormat::Index32, Pool::Managed, &wide), DeviceResult::Ok);
  ASSERT_EQ(dev.LockIndexBuffer(wide, 0, 0, &p, 0), DeviceResult::Ok);
  const uint32_t far[3] = {0, 1, 4000000000u};
  std::memcpy(p, far, sizeof far);
  dev.UnlockIndexBuffer(wide);
  dev.SetIndices(wide);
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, 0, 0, 3, 0, 1), DeviceResult::InvalidCall);
  // A stream offset past the end, a stride smaller than the format, an unknown format, a released buffer.
  dev.SetStreamSource(0, vb, 1000, sizeof(VertexColorTex));
  EXPECT_EQ(dev.DrawPrimitive(tri, 0, 1), DeviceResult::InvalidCall);
  dev.SetStreamSource(0, vb, 0, 16);
  EXPECT_EQ(dev.DrawPrimitive(tri, 0, 1), DeviceResult::InvalidCall);
  dev.SetStreamSource(0, vb, 0, sizeof(VertexColorTex));
  dev.SetFVF(Fvf::XYZ);
  EXPECT_EQ(dev.DrawPrimitive(tri, 0, 1), DeviceResult::InvalidCall);
  dev.SetFVF(kFvfColorTex);
  dev.ReleaseVertexBuffer(vb);
  EXPECT_EQ(dev.DrawPrimitive(tri, 0, 1), DeviceResult::InvalidCall);
  EXPECT_TRUE(dev.draws.empty());
}

TEST_F(BufferTest, ResetRestoresDefaultsOnceNothingBlocksItAndNotWhileLost) {
  PresentParameters noDepth = RecordingDevice::DefaultParams();
  noDepth.enableAutoDepthStencil = false;
  EXPECT_EQ(RecordingDevice(noDepth).GetRenderState(RenderState::ZEnable), 0u);  // without a depth buffer
  dev.SetRenderState(RenderState::CullMode, Cull::None);
  dev.SetTextureStageState(1, TextureStageState::ColorOp, TextureOp::Add);
  // A live state block blocks the reset as a default-pool buffer does (see render_device_test).
  StateBlockHandle block;
  dev.BeginStateBlock();
  dev.EndStateBlock(&block);
  EXPECT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.TestCooperativeLevel(), DeviceResult::DeviceNotReset);
  dev.ReleaseStateBlock(block);
  ASSERT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::Ok);
  EXPECT_EQ(dev.TestCooperativeLevel(), DeviceResult::Ok);
  const DeviceStates defaults = DefaultDeviceStates(true);
  EXPECT_EQ(dev.states().render, defaults.render);
  EXPECT_EQ(dev.states().stage, defaults.stage);
  // A lost device draws nothing and cannot be reset.
  dev.Lose();
  EXPECT_EQ(dev.TestCooperativeLevel(), DeviceResult::DeviceLost);
  EXPECT_EQ(dev.DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 4, 0, 2), DeviceResult::Ok);
  EXPECT_TRUE(dev.draws.empty());
  EXPECT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::DeviceLost);
  EXPECT_EQ(dev.Present(), DeviceResult::DeviceLost);
}

}  // namespace
}  // namespace nb
