// Which faces of a mesh can only ever sample opaque texels, and the store
// drawing the others alone once the faces are put in that order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "platform/recording_device.h"
#include "render/geometry_store.h"
#include "render/texel_opacity.h"

namespace nb {
namespace {

// One face per texture-coordinate box, (u0, v0) to (u1, v1).
MeshData Faces(const std::vector<std::array<float, 4>>& boxes) {
  MeshData mesh;
  for (const auto& b : boxes) {
    const uint16_t first = static_cast<uint16_t>(mesh.vertices.size());
    for (auto [u, v] : {std::pair{b[0], b[1]}, std::pair{b[2], b[1]}, std::pair{b[2], b[3]}})
      mesh.vertices.push_back(VertexPNT{u, v, 0, 0, 1, 0, u, v});
    for (uint16_t k = 0; k < 3; ++k) mesh.indices.push_back(static_cast<uint16_t>(first + k));
  }
  return mesh;
}

TEST(TexelOpacity, OnlyFacesClearOfTranslucentTexelsAndTheirFilterComeFirst) {
  Image image{32, 32, std::vector<uint8_t>(32 * 32 * 4, 255)};
  image.rgba[(20 * 32 + 8) * 4 + 3] = 254;  // one texel at column 8, row 20
  const TranslucentTexels texels = CountTranslucentTexels(image);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  MeshData mesh = Faces({
      {0.25f, 0.6f, 0.3f, 0.7f},      // over the texel: translucent
      {0.0f, 0.0f, 0.1f, 0.1f},       // far from it: opaque
      {0.2875f, 0.55f, 0.4f, 0.62f},  // beside it, where the filter still reads it
      {0.9f, 0.61f, 1.3f, 0.7f},      // wrapped past the edge onto column 8
      {0.9f, 0.0f, 1.1f, 0.1f},       // wrapped, clear of it
      {0.0f, 0.0f, nan, 0.1f},        // not a number: the whole side, row 20 not in it
      {-40.0f, 2.0f, -39.9f, 2.1f},   // far outside [0, 1], wrapped: opaque
      {0.0f, 0.0f, 1e30f, 1.0f},      // too large to wrap: translucent
  });
  const MeshData before = mesh;
  EXPECT_EQ(PutOpaqueFacesFirst(mesh, texels), 4u);
  // The opaque faces in their order, then the rest in theirs.
  const std::vector<int> order = {1, 4, 5, 6, 0, 2, 3, 7};
  for (size_t f = 0; f < order.size(); ++f)
    for (size_t k = 0; k < 3; ++k) EXPECT_EQ(mesh.indices[3 * f + k], before.indices[3 * order[f] + k]) << f;

  // Without a picture, or with an index past the vertices, no face is opaque.
  MeshData untouched = before;
  EXPECT_EQ(PutOpaqueFacesFirst(untouched, TranslucentTexels{}), 0u);
  untouched.indices[0] = 99;
  EXPECT_EQ(PutOpaqueFacesFirst(untouched, texels), 0u);
  EXPECT_EQ(CountTranslucentTexels(Image{4, 4, {}}).sums.size(), 0u);

  RecordingDevice device;
  GeometryStore store;
  ASSERT_TRUE(CreateGeometryStore(store, device));
  const int record = AddMesh(store, device, before, "faces");
  EXPECT_FALSE(ReorderMeshFaces(store, device, record, {0, 1, 2}, 1));  // not the same faces
  EXPECT_FALSE(ReorderMeshFaces(store, device, record, mesh.indices, 9));
  ASSERT_TRUE(ReorderMeshFaces(store, device, record, mesh.indices, 4));
  BindMeshStream(device, store);
  ASSERT_TRUE(DrawMeshFaces(device, store, record, store.records[record].opaqueFaces));
  EXPECT_FALSE(DrawMeshFaces(device, store, record, 8));
  // The last four faces, the first of them face 0 and the last face 7.
  ASSERT_EQ(device.draws.size(), 1u);
  const RecordingDevice::Draw& draw = device.draws.back();
  EXPECT_EQ(std::make_tuple(draw.indexCount, draw.firstVertex, draw.vertexCount),
            std::make_tuple(12u, 0u, 24u));
}

}  // namespace
}  // namespace nb
