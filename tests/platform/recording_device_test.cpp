// What both devices share (states, state blocks, buffers, draw range checks,
// reset rules), through the recording device.
#include "platform/recording_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "core/vertex_formats.h"

namespace nb {
namespace {

TEST(DeviceStatesTest, OutOfRangeStatesAreRefusedNotStored) {
  RecordingDevice dev;
  EXPECT_EQ(dev.SetRenderState(static_cast<RenderState>(999), 1), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.SetTextureStageState(2, TextureStageState::ColorOp, 1), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.SetSamplerState(1, SamplerState::MinFilter, 2), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.SetLight(kMaxLights, Light{}), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.LightEnable(kMaxLights, true), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.SetTexture(0, TextureHandle{12345}), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.GetRenderState(static_cast<RenderState>(999)), 0u);
  EXPECT_EQ(dev.CountOf(DeviceOp::SetRenderState), 1u);  // still recorded
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
  EXPECT_TRUE(block);
  // Nothing was applied while recording.
  EXPECT_EQ(dev.GetRenderState(RenderState::ZEnable), 1u);
  EXPECT_EQ(dev.GetRenderState(RenderState::AlphaRef), 0u);
  EXPECT_TRUE(dev.calls[1].recordedInBlock);
  dev.SetRenderState(RenderState::FogEnable, true);  // not in the block
  ASSERT_EQ(dev.ApplyStateBlock(block), DeviceResult::Ok);
  EXPECT_EQ(dev.GetRenderState(RenderState::ZEnable), 0u);
  EXPECT_EQ(dev.GetRenderState(RenderState::AlphaRef), 9u);
  EXPECT_EQ(dev.GetTextureStageState(0, TextureStageState::ColorOp), TextureOp::SelectArg1);
  EXPECT_EQ(dev.GetSamplerState(0, SamplerState::MagFilter), TextureFilter::Point);
  EXPECT_EQ(dev.GetRenderState(RenderState::CullMode), Cull::CCW);  // states outside are untouched
  EXPECT_EQ(dev.GetRenderState(RenderState::FogEnable), 1u);
  // Capture saves the current values of the block's states; apply puts them back.
  dev.SetRenderState(RenderState::ZEnable, true);
  dev.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
  ASSERT_EQ(dev.CaptureStateBlock(block), DeviceResult::Ok);
  dev.SetRenderState(RenderState::ZEnable, false);
  dev.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::None);
  dev.ApplyStateBlock(block);
  EXPECT_EQ(dev.GetRenderState(RenderState::ZEnable), 1u);
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
    ASSERT_EQ(dev.CreateIndexBuffer(6 * 2, 0, IndexFormat::Index16, Pool::Managed, &ib),
              DeviceResult::Ok);
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
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(dev.LockVertexBuffer(vb, 8 * 24 + 1, 0, &p, 0), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.LockVertexBuffer(vb, 24, 48, &p, LockFlags::Discard), DeviceResult::Ok);
  EXPECT_EQ(static_cast<VertexColorTex*>(p)->x, 1.0f);  // offset 24 is vertex 1
  EXPECT_EQ(dev.LockVertexBuffer(vb, 0, 0, &p, 0), DeviceResult::InvalidCall);  // already locked
  EXPECT_EQ(dev.UnlockVertexBuffer(vb), DeviceResult::Ok);
  EXPECT_EQ(dev.UnlockVertexBuffer(vb), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.LockIndexBuffer(IndexBufferHandle{999}, 0, 0, &p, 0), DeviceResult::InvalidCall);
  VertexBufferHandle none;
  EXPECT_EQ(dev.CreateVertexBuffer(0, 0, 0, Pool::Managed, &none), DeviceResult::InvalidCall);
  EXPECT_FALSE(none);
}

TEST_F(BufferTest, IndexedDrawReadsTheVerticesItsIndicesName) {
  ASSERT_EQ(dev.DrawIndexedPrimitive(PrimitiveType::TriangleList, 4, 0, 4, 0, 2), DeviceResult::Ok);
  ASSERT_EQ(dev.draws.size(), 1u);
  const auto& d = dev.draws[0];
  EXPECT_EQ(d.firstVertex, 4u);  // base vertex 4 + smallest index 0
  EXPECT_EQ(d.vertexCount, 4u);
  EXPECT_EQ(d.indexCount, 6u);
  VertexColorTex first;
  std::memcpy(&first, d.vertexBytes.data(), sizeof first);
  EXPECT_EQ(first.x, 4.0f);
  // A plain draw from vertex 2.
  ASSERT_EQ(dev.DrawPrimitive(PrimitiveType::TriangleList, 2, 2), DeviceResult::Ok);
  EXPECT_EQ(dev.draws[1].firstVertex, 2u);
  EXPECT_EQ(dev.draws[1].vertexCount, 6u);
}

TEST_F(BufferTest, DrawsPastTheBuffersAreRefused) {
  const auto tri = PrimitiveType::TriangleList;
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, 5, 0, 4, 0, 2), DeviceResult::InvalidCall);   // vertex 5 + 3 of 8
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, -1, 0, 4, 0, 2), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, 0, 0, 4, 0, 3), DeviceResult::InvalidCall);   // 9 of 6 indices
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, 0, 0, 4, 4, 1), DeviceResult::InvalidCall);
  SetIndices({0, 1, 60000, 2, 1, 3});  // a stray index value far outside
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, 0, 0, 4, 0, 2), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.DrawPrimitive(tri, 3, 2), DeviceResult::InvalidCall);
  // A stream offset past the end, a stride smaller than the format, an unknown format.
  dev.SetStreamSource(0, vb, 1000, sizeof(VertexColorTex));
  EXPECT_EQ(dev.DrawPrimitive(tri, 0, 1), DeviceResult::InvalidCall);
  dev.SetStreamSource(0, vb, 0, 16);
  EXPECT_EQ(dev.DrawPrimitive(tri, 0, 1), DeviceResult::InvalidCall);
  dev.SetStreamSource(0, vb, 0, sizeof(VertexColorTex));
  dev.SetFVF(Fvf::XYZ);
  EXPECT_EQ(dev.DrawPrimitive(tri, 0, 1), DeviceResult::InvalidCall);
  // A 32-bit index far outside.
  dev.SetFVF(kFvfColorTex);
  IndexBufferHandle wide;
  void* p = nullptr;
  ASSERT_EQ(dev.CreateIndexBuffer(3 * 4, 0, IndexFormat::Index32, Pool::Managed, &wide), DeviceResult::Ok);
  ASSERT_EQ(dev.LockIndexBuffer(wide, 0, 0, &p, 0), DeviceResult::Ok);
  const uint32_t far[3] = {0, 1, 4000000000u};
  std::memcpy(p, far, sizeof far);
  dev.UnlockIndexBuffer(wide);
  dev.SetIndices(wide);
  EXPECT_EQ(dev.DrawIndexedPrimitive(tri, 0, 0, 3, 0, 1), DeviceResult::InvalidCall);
  // A released buffer is no longer the stream.
  dev.ReleaseVertexBuffer(vb);
  EXPECT_EQ(dev.DrawPrimitive(tri, 0, 1), DeviceResult::InvalidCall);
  EXPECT_TRUE(dev.draws.empty());
}

TEST_F(BufferTest, ResetKeepsManagedResourcesAndRestoresDefaults) {
  // A fresh device starts with the default states; ZEnable follows the depth buffer.
  const DeviceStates defaults = DefaultDeviceStates(true);
  EXPECT_EQ(RecordingDevice().states().render, defaults.render);
  PresentParameters noDepth = RecordingDevice::DefaultParams();
  noDepth.enableAutoDepthStencil = false;
  EXPECT_EQ(RecordingDevice(noDepth).GetRenderState(RenderState::ZEnable), 0u);
  EXPECT_EQ(defaults.render[static_cast<int>(RenderState::ZEnable)], 1u);
  std::vector<uint8_t> texel(4 * 4 * 4, 200);
  TextureHandle tex;
  ASSERT_EQ(dev.CreateTexture(4, 4, texel.data(), &tex), DeviceResult::Ok);
  dev.SetRenderState(RenderState::CullMode, Cull::None);
  dev.SetTextureStageState(1, TextureStageState::ColorOp, TextureOp::Add);
  ASSERT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::Ok);
  EXPECT_EQ(dev.states().render, defaults.render);
  EXPECT_EQ(dev.states().stage, defaults.stage);
  int w = 0, h = 0;
  EXPECT_EQ(dev.GetTextureSize(tex, &w, &h), DeviceResult::Ok);
  EXPECT_EQ(w, 4);
  void* p = nullptr;
  ASSERT_EQ(dev.LockVertexBuffer(vb, 0, 0, &p, 0), DeviceResult::Ok);
  EXPECT_EQ(static_cast<VertexColorTex*>(p)[7].x, 7.0f);  // contents kept
  dev.UnlockVertexBuffer(vb);
}

TEST_F(BufferTest, ResetIsRefusedWhileDefaultPoolBuffersOrBlocksLive) {
  VertexBufferHandle dynamic;
  dev.CreateVertexBuffer(9600, Usage::Dynamic | Usage::WriteOnly, 0, Pool::Default, &dynamic);
  EXPECT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::InvalidCall);
  EXPECT_EQ(dev.TestCooperativeLevel(), DeviceResult::DeviceNotReset);
  dev.ReleaseVertexBuffer(dynamic);
  StateBlockHandle block;
  dev.BeginStateBlock();
  dev.EndStateBlock(&block);
  EXPECT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::InvalidCall);
  dev.ReleaseStateBlock(block);
  EXPECT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::Ok);
  EXPECT_EQ(dev.TestCooperativeLevel(), DeviceResult::Ok);
}

TEST_F(BufferTest, LostDeviceDrawsNothingAndCannotBeReset) {
  dev.Lose();
  EXPECT_EQ(dev.TestCooperativeLevel(), DeviceResult::DeviceLost);
  EXPECT_EQ(dev.DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 4, 0, 2), DeviceResult::Ok);
  EXPECT_TRUE(dev.draws.empty());
  EXPECT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::DeviceLost);
  EXPECT_EQ(dev.Present(), DeviceResult::DeviceLost);
  EXPECT_EQ(dev.presentCount, 0);
  dev.AllowReset();
  EXPECT_EQ(dev.TestCooperativeLevel(), DeviceResult::DeviceNotReset);
  EXPECT_EQ(dev.Reset(RecordingDevice::DefaultParams()), DeviceResult::Ok);
  EXPECT_EQ(dev.Present(), DeviceResult::Ok);
}

TEST(TextureTest, MipChainHalvesDownToOneTexel) {
  // 4 x 2: left half black, right half white, alpha 255.
  std::vector<uint8_t> img;
  for (int i = 0; i < 8; ++i) {
    uint8_t c = i % 4 < 2 ? 0 : 255;
    img.insert(img.end(), {c, c, c, 255});
  }
  auto chain = BuildMipChain(4, 2, img.data());
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(std::tie(chain[1].width, chain[1].height, chain[2].width, chain[2].height), std::make_tuple(2, 1, 1, 1));
  EXPECT_EQ(chain[1].rgba[0], 0);
  EXPECT_EQ(chain[1].rgba[4], 255);
  EXPECT_EQ(chain[2].rgba[0], 128);
  EXPECT_EQ(chain[2].rgba[3], 255);
  EXPECT_TRUE(BuildMipChain(0, 4, img.data()).empty());
}

TEST(TextureTest, BadTextureSizesAreRefused) {
  RecordingDevice dev;
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
  EXPECT_EQ(dev.textureCount(), 0u);
}

}  // namespace
}  // namespace nb
