#include "gl_fixture.h"

#include <cstring>

namespace nb::test {

void GlDeviceTest::SetUp() {
  ASSERT_TRUE(MakeTestGlDevice(gl, kTestWidth, kTestHeight)) << "no display (run under Xvfb)";
  device = gl.device;
  ASSERT_EQ(device->CreateVertexBuffer(64 * sizeof(VertexScreen), Usage::WriteOnly, kFvfScreen,
                                       Pool::Managed, &screenVb),
            DeviceResult::Ok);
  ASSERT_EQ(device->CreateIndexBuffer(12, Usage::WriteOnly, IndexFormat::Index16, Pool::Managed, &quadIb),
            DeviceResult::Ok);
  const uint16_t quad[6] = {0, 1, 2, 2, 1, 3};
  void* data = nullptr;
  ASSERT_EQ(device->LockIndexBuffer(quadIb, 0, 0, &data, 0), DeviceResult::Ok);
  std::memcpy(data, quad, sizeof quad);
  device->UnlockIndexBuffer(quadIb);
  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1.0f, 0);
}

void GlDeviceTest::DrawScreenQuad(float x0, float y0, float x1, float y1, uint32_t color, float u0,
                                  float v0, float u1, float v1, float z) {
  // Top-left, top-right, bottom-left, bottom-right: clockwise on screen.
  VertexScreen v[4] = {{x0, y0, z, 1, color, u0, v0}, {x1, y0, z, 1, color, u1, v0},
                       {x0, y1, z, 1, color, u0, v1}, {x1, y1, z, 1, color, u1, v1}};
  void* data = nullptr;
  ASSERT_EQ(device->LockVertexBuffer(screenVb, 0, sizeof v, &data, LockFlags::Discard), DeviceResult::Ok);
  std::memcpy(data, v, sizeof v);
  device->UnlockVertexBuffer(screenVb);
  device->SetStreamSource(0, screenVb, 0, sizeof(VertexScreen));
  device->SetFVF(kFvfScreen);
  device->SetIndices(quadIb);
  ASSERT_EQ(device->DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 4, 0, 2), DeviceResult::Ok);
}

void GlDeviceTest::DrawMesh(const std::vector<VertexPNT>& vertices, const std::vector<uint16_t>& indices) {
  if (meshVb) device->ReleaseVertexBuffer(meshVb);
  if (meshIb) device->ReleaseIndexBuffer(meshIb);
  uint32_t vbytes = static_cast<uint32_t>(vertices.size() * sizeof(VertexPNT));
  uint32_t ibytes = static_cast<uint32_t>(indices.size() * 2);
  ASSERT_EQ(device->CreateVertexBuffer(vbytes, 0, kFvfMesh, Pool::Managed, &meshVb), DeviceResult::Ok);
  ASSERT_EQ(device->CreateIndexBuffer(ibytes, 0, IndexFormat::Index16, Pool::Managed, &meshIb), DeviceResult::Ok);
  void* data = nullptr;
  ASSERT_EQ(device->LockVertexBuffer(meshVb, 0, 0, &data, 0), DeviceResult::Ok);
  std::memcpy(data, vertices.data(), vbytes);
  device->UnlockVertexBuffer(meshVb);
  ASSERT_EQ(device->LockIndexBuffer(meshIb, 0, 0, &data, 0), DeviceResult::Ok);
  std::memcpy(data, indices.data(), ibytes);
  device->UnlockIndexBuffer(meshIb);
  device->SetStreamSource(0, meshVb, 0, sizeof(VertexPNT));
  device->SetFVF(kFvfMesh);
  device->SetIndices(meshIb);
  ASSERT_EQ(device->DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, static_cast<uint32_t>(vertices.size()),
                                         0, static_cast<uint32_t>(indices.size() / 3)),
            DeviceResult::Ok);
}

TextureHandle GlDeviceTest::MakeTexture(int width, int height, const std::vector<uint32_t>& argb) {
  std::vector<uint8_t> rgba;
  for (uint32_t c : argb)
    rgba.insert(rgba.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)});
  TextureHandle t;
  EXPECT_EQ(device->CreateTexture(width, height, rgba.data(), &t), DeviceResult::Ok);
  return t;
}

}  // namespace nb::test
