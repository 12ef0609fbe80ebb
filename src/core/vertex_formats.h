#pragma once
#include <cstdint>
#include <vector>

namespace nb {

// Position, normal and one texture-coordinate pair: 32 bytes (XYZ|NORMAL|TEX1).
struct VertexPNT {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};
static_assert(sizeof(VertexPNT) == 32);

// Position, ARGB colour and one texture-coordinate pair: 24 bytes (XYZ|DIFFUSE|TEX1).
struct VertexColorTex {
  float x, y, z;
  uint32_t color;
  float u, v;
};
static_assert(sizeof(VertexColorTex) == 24);

// Pre-transformed pixel position (x, y, z, 1/w), ARGB colour, texture
// coordinates: 28 bytes (XYZRHW|DIFFUSE|TEX1).
struct VertexScreen {
  float x, y, z, rhw;
  uint32_t color;
  float u, v;
};
static_assert(sizeof(VertexScreen) == 28);

// A mesh as read from a file: a triangle list of 16-bit indices.
struct MeshData {
  std::vector<VertexPNT> vertices;
  std::vector<uint16_t> indices;
};

}  // namespace nb
