#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "gameplay/level_geometry.h"
#include "gameplay_fixture.h"

namespace nb::test {
namespace {

// A quad lying at height y whose u tells the meshes apart; two triangles over four vertices.
MeshData Quad(float y, float u, float nx = 0, float ny = 1, float nz = 0) {
  MeshData m;
  for (int k = 0; k < 4; ++k)
    m.vertices.push_back(
        {(k & 1) ? 25.0f : -25.0f, y, (k & 2) ? 25.0f : -25.0f, nx, ny, nz, u, (k & 2) ? 1.0f : 0.0f});
  m.indices = {0, 1, 2, 2, 1, 3};
  return m;
}

// The first earlier vertex equal field by field (so -0 == 0 and NaN matches nothing).
uint32_t FirstMatch(const std::vector<VertexPNT>& v, size_t i) {
  for (size_t j = 0; j < i; ++j) {
    const VertexPNT &a = v[j], &b = v[i];
    if (a.x == b.x && a.y == b.y && a.z == b.z && a.nx == b.nx && a.ny == b.ny && a.nz == b.nz &&
        a.u == b.u && a.v == b.v)
      return static_cast<uint32_t>(j);
  }
  return static_cast<uint32_t>(i);
}

std::vector<uint32_t> BruteForceWeld(const std::vector<VertexPNT>& v) {
  std::vector<uint32_t> out(v.size());
  for (size_t i = 0; i < v.size(); ++i) out[i] = FirstMatch(v, i);
  return out;
}

class LevelGeometryTest : public GameplayTest {
 public:
  LevelGeometryTest() { ctx.meshes = Sources(); }
  LevelMeshSources Sources() const { return {&pol, &left, &right, &front, &back, &up}; }
  std::vector<VertexPNT> Vertices() const { return AppendLevelVertices(world->level, Sources()); }
  MeshData pol = Quad(0, 0.0f), left = Quad(10, 0.1f, -1, 0, 0), right = Quad(10, 0.2f, 1, 0, 0),
           front = Quad(10, 0.3f, 0, 0, -1), back = Quad(10, 0.4f, 0, 0, 1), up = Quad(50, 0.5f);
};

TEST_F(LevelGeometryTest, NoFloorTileUnderSwitchesGatesHolesAndVoidNorFromMissingMeshes) {
  Load({"sGO ", ".S/o", "bmTB"});
  EXPECT_EQ(Vertices().size(), 8u * 6);  // the eight other cells get one tile each
  LevelMeshSources partial = Sources();
  partial.pol = nullptr;  // a missing catalogue mesh contributes nothing
  EXPECT_TRUE(AppendLevelVertices(world->level, partial).empty());
  MeshData broken = pol;
  broken.indices = {0, 1, 2, 0, 1, 9, 1};  // a broken index list skips its triangle only
  partial.pol = &broken;
  EXPECT_EQ(AppendLevelVertices(world->level, partial).size(), 8u * 3);
}

TEST_F(LevelGeometryTest, WeldMatchesTheBruteForceFirstMatch) {
  Load({"#####", "#S.o#", "#.#O#", "#/.s#", "## ##"});
  LevelGeometry g = BuildLevelGeometry(world->level, Sources());
  ASSERT_FALSE(g.vertices.empty());
  EXPECT_EQ(g.indices, BruteForceWeld(g.vertices));

  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<VertexPNT> v = {
      {0.0f, 1, 2, 0, 1, 0, 0.5f, 0.5f},  {-0.0f, 1, 2, 0, 1, 0, 0.5f, 0.5f},
      {nan, 1, 2, 0, 1, 0, 0.5f, 0.5f},   {nan, 1, 2, 0, 1, 0, 0.5f, 0.5f},
      {0.0f, 1, 2, 0, 1, 0, 0.5f, 0.25f}, {0.0f, 1, 2, 0, 1, 0, 0.5f, 0.5f},
  };
  EXPECT_EQ(WeldVertices(v), (std::vector<uint32_t>{0, 0, 2, 3, 4, 0}));
  v.clear();  // many vertices that differ only in a low bit all stay apart
  for (int i = 0; i < 3000; ++i) v.push_back({1.0f + i * 1e-6f, 0, 0, 0, 1, 0, 0, 0});
  for (int i = 0; i < 3000; ++i) v.push_back(v[i]);
  EXPECT_EQ(WeldVertices(v), BruteForceWeld(v));
}

TEST_F(LevelGeometryTest, LargestLevelBuildsWholeWith32BitIndices) {
  std::vector<std::string> grid(kGridSize, std::string(kGridSize, '.'));
  for (int r = 0; r < kGridSize; ++r)
    for (int c = r % 2; c < kGridSize; c += 2) grid[r][c] = '#';
  grid[1][0] = 'S';
  Load(grid);
  const LevelGeometry& g = world->levelMesh;
  // Half walls with four open sides and a top (30 vertices), half tiles (6).
  EXPECT_EQ(g.vertices.size(), 8192u * 30 + 8192u * 6);
  EXPECT_EQ(world->level.levelVertexCount, static_cast<int32_t>(g.vertices.size()));
  ASSERT_EQ(g.indices.size(), g.vertices.size());
  EXPECT_GT(*std::max_element(g.indices.begin(), g.indices.end()), 65535u);
  for (size_t i = g.vertices.size() - 6; i < g.vertices.size(); ++i)
    EXPECT_EQ(g.indices[i], FirstMatch(g.vertices, i));
}

}  // namespace
}  // namespace nb::test
