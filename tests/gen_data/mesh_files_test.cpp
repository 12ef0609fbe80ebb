// The generated meshes, read by the game's .x reader: shapes that fit the
// 50-unit cell and the passes that draw them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "data_files.h"
#include "render/resource_catalogue.h"

namespace nb {
namespace {

using test::LoadMesh;

struct Box {
  float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
};
Box Bounds(const MeshData& m) {
  Box b;
  for (const auto& p : m.vertices) {
    float v[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) b.lo[k] = std::min(b.lo[k], v[k]), b.hi[k] = std::max(b.hi[k], v[k]);
  }
  return b;
}

// The reader keeps the file's vertices (one normal and texture pair each, so
// none is split); every triangle winds clockwise seen from the side its
// normals face (the left-handed rule the culling passes rely on); normals
// have unit length and every vertex is used.
TEST(MeshFiles, EveryMeshIsWellFormedAndWoundTheWayItsNormalsFace) {
  for (int k = 0; k < kMeshKeyCount; ++k) {
    const std::string key = MeshKeyName(static_cast<MeshKey>(k));
    SCOPED_TRACE(key);
    MeshData m = LoadMesh(key);
    ASSERT_FALSE(m.indices.empty());
    std::string text = test::ReadBytes(test::GameFile("data/meshes/" + key + ".x"));
    size_t block = text.find('{', text.find("Mesh "));
    ASSERT_NE(block, std::string::npos);
    EXPECT_EQ(m.vertices.size(), size_t(std::atoi(text.c_str() + block + 1))) << "vertices split or lost";
    int wrong = 0;
    for (const auto& v : m.vertices)
      EXPECT_NEAR(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1.0f, 1e-3f);
    for (size_t i = 0; i + 2 < m.indices.size(); i += 3) {
      const auto &a = m.vertices[m.indices[i]], &b = m.vertices[m.indices[i + 1]],
                 &c = m.vertices[m.indices[i + 2]];
      float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
      float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
      if (nx * (a.nx + b.nx + c.nx) + ny * (a.ny + b.ny + c.ny) + nz * (a.nz + b.nz + c.nz) <= 0) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "triangles wound against their normals";
    std::vector<bool> used(m.vertices.size(), false);
    for (uint16_t i : m.indices) used[i] = true;
    EXPECT_EQ(std::count(used.begin(), used.end(), false), 0) << "vertices no face uses";
  }
}

TEST(MeshFiles, FloorAndWallFacesCoverExactlyOneCell) {
  MeshData pol = LoadMesh("pol");
  Box b = Bounds(pol);
  EXPECT_EQ((std::vector<float>{b.lo[0], b.lo[1], b.lo[2], b.hi[0], b.hi[1], b.hi[2]}),
            (std::vector<float>{-25, 0, -25, 25, 0, 25}));
  // The switch, brick and marker passes shift the floor's coordinates by
  // whole tiles: the floor must stay inside the first tile.
  for (const auto& v : pol.vertices)
    EXPECT_TRUE(v.ny == 1.0f && v.u >= 0 && v.u <= 0.125f && v.v >= 0 && v.v <= 0.125f) << v.u << " " << v.v;
  // Level setup adds "right" towards the next row (+X), "back" towards the
  // next column (+Z).
  const struct {
    const char* key;
    int axis;
    float at, normal[3];
  } faces[] = {{"right", 0, 25, {1, 0, 0}},
               {"left", 0, -25, {-1, 0, 0}},
               {"back", 2, 25, {0, 0, 1}},
               {"front", 2, -25, {0, 0, -1}},
               {"up", 1, 50, {0, 1, 0}}};
  for (const auto& f : faces) {
    SCOPED_TRACE(f.key);
    MeshData m = LoadMesh(f.key);
    Box box = Bounds(m);
    for (int k = 0; k < 3; ++k)
      EXPECT_TRUE(k == f.axis ? box.lo[k] == f.at && box.hi[k] == f.at : box.hi[k] - box.lo[k] == 50.0f) << k;
    for (const auto& v : m.vertices)
      EXPECT_TRUE(v.nx == f.normal[0] && v.ny == f.normal[1] && v.nz == f.normal[2]);
  }
}

}  // namespace
}  // namespace nb
