#include "gl_fixture.h"

#include <cstring>

namespace nb::test {

namespace {

// Creates the buffers on first use, fills them and makes them the stream and indices.
template <typename Vertex>
void Draw(GlDevice& device, VertexBufferHandle& vb, IndexBufferHandle& ib, uint32_t fvf,
          const std::vector<Vertex>& vertices, const std::vector<uint16_t>& indices) {
  const uint32_t vbytes = uint32_t(vertices.size() * sizeof(Vertex)), ibytes = uint32_t(indices.size() * 2);
  ASSERT_TRUE(vb || Succeeded(device.CreateVertexBuffer(64 * sizeof(Vertex), 0, fvf, Pool::Managed, &vb)));
  ASSERT_TRUE(ib || Succeeded(device.CreateIndexBuffer(12, 0, IndexFormat::Index16, Pool::Managed, &ib)));
  void* data = nullptr;
  ASSERT_EQ(device.LockVertexBuffer(vb, 0, vbytes, &data, LockFlags::Discard), DeviceResult::Ok);
  std::memcpy(data, vertices.data(), vbytes);
  device.UnlockVertexBuffer(vb);
  ASSERT_EQ(device.LockIndexBuffer(ib, 0, ibytes, &data, 0), DeviceResult::Ok);
  std::memcpy(data, indices.data(), ibytes);
  device.UnlockIndexBuffer(ib);
  device.SetStreamSource(0, vb, 0, sizeof(Vertex));
  device.SetFVF(fvf);
  device.SetIndices(ib);
  ASSERT_EQ(device.DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, vertices.size(), 0, ibytes / 6),
            DeviceResult::Ok);
}

}  // namespace

void GlDeviceTest::SetUp() {
  ASSERT_TRUE(MakeTestGlDevice(gl, kTestWidth, kTestHeight)) << "no display (run under Xvfb)";
  device = gl.device;
}

void GlDeviceTest::DrawScreenQuad(float x0, float y0, float x1, float y1, uint32_t color, float u0, float v0,
                                  float u1, float v1, float z) {
  // Top-left, top-right, bottom-left, bottom-right: clockwise on screen.
  Draw<VertexScreen>(*device, screenVb, screenIb, kFvfScreen,
                     {{x0, y0, z, 1, color, u0, v0},
                      {x1, y0, z, 1, color, u1, v0},
                      {x0, y1, z, 1, color, u0, v1},
                      {x1, y1, z, 1, color, u1, v1}},
                     {0, 1, 2, 2, 1, 3});
}

void GlDeviceTest::DrawMesh(const std::vector<VertexPNT>& vertices, const std::vector<uint16_t>& indices) {
  Draw(*device, meshVb, meshIb, kFvfMesh, vertices, indices);
}

TextureHandle GlDeviceTest::MakeTexture(int width, int height, const std::vector<uint32_t>& argb,
                                        MipChain mips) {
  std::vector<uint8_t> rgba;
  for (uint32_t c : argb)
    rgba.insert(rgba.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)});
  TextureHandle t;
  EXPECT_EQ(device->CreateTexture(width, height, rgba.data(), mips, &t), DeviceResult::Ok);
  return t;
}

}  // namespace nb::test
