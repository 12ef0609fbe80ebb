// The buffer locks and draw range checks both devices share, through the
// recording device. State blocks and resets are played through by the text
// and render device tests.
#include "platform/recording_device.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/vertex_formats.h"

namespace nb {
namespace {

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

}  // namespace
}  // namespace nb
