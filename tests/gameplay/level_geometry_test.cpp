#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <cmath>
#include <limits>

#include "gameplay/level_geometry.h"
#include "gameplay_fixture.h"

namespace nb::test {
namespace {

// A unit quad lying at height y whose texture coordinates tell the meshes
// apart; two triangles over four shared vertices.
MeshData Quad(float y, float u, float nx = 0, float ny = 1, float nz = 0) {
  MeshData m;
  for (int k = 0; k < 4; ++k) {
    const float x = (k & 1) ? 25.0f : -25.0f;
    const float z = (k & 2) ? 25.0f : -25.0f;
    m.vertices.push_back({x, y, z, nx, ny, nz, u, (k & 2) ? 1.0f : 0.0f});
  }
  m.indices = {0, 1, 2, 2, 1, 3};
  return m;
}

struct Meshes {
  MeshData pol = Quad(0, 0.0f);
  MeshData left = Quad(10, 0.1f, -1, 0, 0);
  MeshData right = Quad(10, 0.2f, 1, 0, 0);
  MeshData front = Quad(10, 0.3f, 0, 0, -1);
  MeshData back = Quad(10, 0.4f, 0, 0, 1);
  MeshData up = Quad(50, 0.5f);
  LevelMeshSources Sources() const { return {&pol, &left, &right, &front, &back, &up}; }
};

std::vector<uint32_t> BruteForceWeld(const std::vector<VertexPNT>& v) {
  std::vector<uint32_t> out(v.size());
  for (size_t i = 0; i < v.size(); ++i) {
    out[i] = static_cast<uint32_t>(i);
    for (size_t j = 0; j < i; ++j) {
      const VertexPNT& a = v[j];
      const VertexPNT& b = v[i];
      if (a.x == b.x && a.y == b.y && a.z == b.z && a.nx == b.nx && a.ny == b.ny && a.nz == b.nz &&
          a.u == b.u && a.v == b.v) {
        out[i] = static_cast<uint32_t>(j);
        break;
      }
    }
  }
  return out;
}

class LevelGeometryTest : public GameplayTest {
 public:
  LevelGeometryTest() { ctx.meshes = meshes.Sources(); }
  Meshes meshes;
};

TEST_F(LevelGeometryTest, FacesAppearInTheirOrderOnlyTowardsNonWalls) {
  Load({"##.", "#O."});
  const std::vector<VertexPNT> v = AppendLevelVertices(world->level, meshes.Sources());
  // Row 0: wall (0,0): right? (1,0) wall -> no; left: outside -> yes; back:
  // (0,1) wall -> no; front: outside -> yes; up. Wall (0,1): right (1,1)
  // hole -> yes; left yes; back (0,2) floor -> yes; front (0,0) wall -> no;
  // up. (0,2) floor tile. Row 1: wall (1,0): right outside yes; left (0,0)
  // wall no; back (1,1) hole yes; front outside yes; up. Hole: nothing.
  // (1,2) floor tile.
  const std::vector<float> expectedU = {0.1f, 0.3f, 0.5f, 0.2f, 0.1f, 0.4f, 0.5f, 0.0f,
                                        0.2f, 0.4f, 0.3f, 0.5f, 0.0f};
  ASSERT_EQ(v.size(), expectedU.size() * 6);
  for (size_t k = 0; k < expectedU.size(); ++k) EXPECT_FLOAT_EQ(v[6 * k].u, expectedU[k]) << k;
  // Offsets: 50 x row on X, 50 x column on Z; the triangle list follows the
  // mesh's indices.
  EXPECT_FLOAT_EQ(v[6 * 7].x, -25.0f);      // (0,2) tile, vertex 0
  EXPECT_FLOAT_EQ(v[6 * 7].z, 100 - 25.0f);
  EXPECT_FLOAT_EQ(v[6 * 12 + 5].x, 50 + 25.0f);  // (1,2) tile, index 3
  EXPECT_FLOAT_EQ(v[6 * 12 + 5].z, 100 + 25.0f);
  EXPECT_FLOAT_EQ(v[6 * 12 + 1].x, 50 + 25.0f);  // index 1
  EXPECT_FLOAT_EQ(v[6 * 12 + 1].z, 100 - 25.0f);
}

TEST_F(LevelGeometryTest, SwitchesGatesHolesAndVoidGetNoFloorTile) {
  Load({"sGO ", ".S/o", "bmTB"});
  const std::vector<VertexPNT> v = AppendLevelVertices(world->level, meshes.Sources());
  EXPECT_EQ(v.size(), 8u * 6);  // the eight other cells get one tile each
  // A missing catalogue mesh contributes nothing; a broken index list skips
  // its triangle only.
  LevelMeshSources partial = meshes.Sources();
  partial.pol = nullptr;
  EXPECT_TRUE(AppendLevelVertices(world->level, partial).empty());
  MeshData broken = meshes.pol;
  broken.indices = {0, 1, 2, 0, 1, 9, 1};
  partial.pol = &broken;
  EXPECT_EQ(AppendLevelVertices(world->level, partial).size(), 8u * 3);
}

TEST_F(LevelGeometryTest, WeldMatchesTheBruteForceFirstMatch) {
  Load({"#####", "#S.o#", "#.#O#", "#/.s#", "## ##"});
  LevelGeometry g = BuildLevelGeometry(world->level, meshes.Sources());
  ASSERT_FALSE(g.vertices.empty());
  EXPECT_EQ(g.indices, BruteForceWeld(g.vertices));
  // Beyond the two corners the triangles of a quad share, quads of
  // neighbouring rows share their edge (the test quads' v follows Z only).
  size_t firsts = 0;
  for (size_t i = 0; i < g.indices.size(); ++i) firsts += g.indices[i] == i;
  EXPECT_LT(firsts, g.vertices.size() / 6 * 4);
}

TEST_F(LevelGeometryTest, WeldTreatsSignedZeroAsEqualAndNaNAsUnique) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<VertexPNT> v = {
      {0.0f, 1, 2, 0, 1, 0, 0.5f, 0.5f}, {-0.0f, 1, 2, 0, 1, 0, 0.5f, 0.5f},
      {nan, 1, 2, 0, 1, 0, 0.5f, 0.5f},  {nan, 1, 2, 0, 1, 0, 0.5f, 0.5f},
      {0.0f, 1, 2, 0, 1, 0, 0.5f, 0.25f}, {0.0f, 1, 2, 0, -0.0f + 1, 0, 0.5f, 0.5f},
  };
  EXPECT_EQ(WeldVertices(v), BruteForceWeld(v));
  EXPECT_EQ(WeldVertices(v), (std::vector<uint32_t>{0, 0, 2, 3, 4, 0}));
  // Many vertices that differ only in one low bit all stay apart.
  std::vector<VertexPNT> near;
  for (int i = 0; i < 3000; ++i) near.push_back({1.0f + i * 1e-6f, 0, 0, 0, 1, 0, 0, 0});
  for (int i = 0; i < 3000; ++i) near.push_back(near[i]);
  EXPECT_EQ(WeldVertices(near), BruteForceWeld(near));
}

TEST_F(LevelGeometryTest, LargestLevelBuildsWholeWith32BitIndices) {
  std::vector<std::string> grid(kGridSize, std::string(kGridSize, '.'));
  for (int r = 0; r < kGridSize; ++r)
    for (int c = 0; c < kGridSize; ++c)
      if ((r + c) % 2 == 0) grid[r][c] = '#';
  grid[1][0] = 'S';
  Load(grid);
  const LevelGeometry& g = world->levelMesh;
  // Half walls with four open sides and a top (30 vertices), half tiles (6).
  EXPECT_EQ(g.vertices.size(), 8192u * 30 + 8192u * 6);
  EXPECT_EQ(world->level.levelVertexCount, static_cast<int32_t>(g.vertices.size()));
  EXPECT_EQ(g.indices.size(), g.vertices.size());
  uint32_t highest = 0;
  for (uint32_t i : g.indices) highest = std::max(highest, i);
  EXPECT_GT(highest, 65535u);
  // Spot check against the first-match rule on the last tile's vertices.
  for (size_t i = g.vertices.size() - 6; i < g.vertices.size(); ++i) {
    size_t first = i;
    for (size_t j = 0; j < i; ++j) {
      const VertexPNT& a = g.vertices[j];
      const VertexPNT& b = g.vertices[i];
      if (std::memcmp(&a, &b, sizeof a) == 0) {
        first = j;
        break;
      }
    }
    EXPECT_EQ(g.indices[i], first);
  }
}

TEST_F(LevelGeometryTest, WeldTimeGrowsLinearly) {
  // 16 times the vertices: a pairwise scan takes 256 times as long, a
  // hashed weld about 16 times (a few times more once the table leaves the
  // cache).
  auto timeFor = [&](int side) {
    std::vector<std::string> grid(side, std::string(side, '.'));
    for (int r = 0; r < side; r += 2) grid[r] = std::string(side, '#');
    Load(grid);
    const std::vector<VertexPNT> v = AppendLevelVertices(world->level, meshes.Sources());
    // Processor time of this thread: other processes on the machine do not
    // count.
    double best = 1e300;
    for (int rep = 0; rep < 5; ++rep) {
      timespec t0, t1;
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t0);
      std::vector<uint32_t> idx = WeldVertices(v);
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t1);
      EXPECT_EQ(idx.size(), v.size());
      best = std::min(best, (t1.tv_sec - t0.tv_sec) * 1e9 + (t1.tv_nsec - t0.tv_nsec));
    }
    return best;
  };
  const double small = timeFor(32);
  const double large = timeFor(128);
  EXPECT_LT(large / small, 128.0);
}

}  // namespace
}  // namespace nb::test
