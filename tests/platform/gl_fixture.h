#pragma once
// A real OpenGL device (Xvfb, Mesa's software renderer) with helpers that draw
// pixel-space quads and world-space meshes.
#include <gtest/gtest.h>

#include <vector>

#include "core/vertex_formats.h"
#include "support/gl_test_device.h"

namespace nb::test {

constexpr int kTestWidth = 160;
constexpr int kTestHeight = 120;

// One window for the whole program; each test gets a fresh adapter and device.
class GlDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { gl.Release(); }

  // A pixel-space quad from (x0, y0) to (x1, y1) with one colour and texture
  // rectangle (u0, v0)-(u1, v1), drawn with the current states.
  void DrawScreenQuad(float x0, float y0, float x1, float y1, uint32_t color, float u0 = 0, float v0 = 0,
                      float u1 = 1, float v1 = 1, float z = 0);
  void DrawMesh(const std::vector<VertexPNT>& vertices, const std::vector<uint16_t>& indices);
  // A texture from ARGB words (rows from the top).
  // Grey pictures take the device's one- and two-byte path.
  TextureHandle MakeTexture(int width, int height, const std::vector<uint32_t>& argb,
                            MipChain mips = MipChain::Full);
  uint32_t Pixel(int x, int y) { return device->ReadPixel(x, y); }

  TestGlDevice gl;
  GlDevice* device = nullptr;
  VertexBufferHandle screenVb, meshVb;  // made on first use
  IndexBufferHandle screenIb, meshIb;
};

inline int Red(uint32_t c) { return (c >> 16) & 0xFF; }

}  // namespace nb::test
