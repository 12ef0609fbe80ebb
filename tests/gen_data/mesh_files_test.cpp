// The generated meshes, read by the game's .x reader: shapes that fit the
// 50-unit cell and the passes that draw them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "data_files.h"
#include "gameplay/level_file.h"
#include "gameplay/level_record.h"
#include "core/settings_file.h"

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

const char* kKeys[] = {"skybox", "sphere", "hole",  "wall",  "a",      "food",    "left",    "right",
                       "front",  "back",   "up",    "pol",   "bonus",  "brick",   "klapan",  "island1",
                       "island2", "grid",  "razvorot", "time", "life", "speed",   "teleport", "mbrick"};

// The reader keeps the file's vertices (one normal and texture pair each, so
// none is split); every triangle winds clockwise seen from the side its
// normals face (the left-handed rule the culling passes rely on); normals
// have unit length and every vertex is used.
TEST(MeshFiles, EveryMeshIsWellFormedAndWoundTheWayItsNormalsFace) {
  size_t total = 0;
  for (const char* key : kKeys) {
    SCOPED_TRACE(key);
    MeshData m = LoadMesh(key);
    ASSERT_FALSE(m.indices.empty());
    std::string text = test::ReadBytes(test::GameFile(std::string("data/meshes/") + key + ".x"));
    size_t block = text.find('{', text.find("Mesh "));
    ASSERT_NE(block, std::string::npos);
    EXPECT_EQ(m.vertices.size(), size_t(std::atoi(text.c_str() + block + 1))) << "vertices split or lost";
    total += m.vertices.size();
    int wrong = 0;
    for (const auto& v : m.vertices) EXPECT_NEAR(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1.0f, 1e-3f);
    for (size_t i = 0; i + 2 < m.indices.size(); i += 3) {
      const auto &a = m.vertices[m.indices[i]], &b = m.vertices[m.indices[i + 1]], &c = m.vertices[m.indices[i + 2]];
      float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
      float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
      if (nx * (a.nx + b.nx + c.nx) + ny * (a.ny + b.ny + c.ny) + nz * (a.nz + b.nz + c.nz) <= 0) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "triangles wound against their normals";
    std::vector<bool> used(m.vertices.size(), false);
    for (uint16_t i : m.indices) used[i] = true;
    EXPECT_EQ(std::count(used.begin(), used.end(), false), 0) << "vertices no face uses";
  }
  // The store holds 50,000 vertices, and each level adds its own merged
  // geometry (up to 8,000) on top of the catalogue.
  EXPECT_LT(total, 20000u);
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
  } faces[] = {{"right", 0, 25, {1, 0, 0}}, {"left", 0, -25, {-1, 0, 0}}, {"back", 2, 25, {0, 0, 1}},
               {"front", 2, -25, {0, 0, -1}}, {"up", 1, 50, {0, 1, 0}}};
  for (const auto& f : faces) {
    SCOPED_TRACE(f.key);
    MeshData m = LoadMesh(f.key);
    Box box = Bounds(m);
    for (int k = 0; k < 3; ++k)
      EXPECT_TRUE(k == f.axis ? box.lo[k] == f.at && box.hi[k] == f.at : box.hi[k] - box.lo[k] == 50.0f) << k;
    for (const auto& v : m.vertices) EXPECT_TRUE(v.nx == f.normal[0] && v.ny == f.normal[1] && v.nz == f.normal[2]);
  }
}

TEST(MeshFiles, ElementsFitTheirCellAndPasses) {
  // The gate block sinks 50 units: 50 high, it then ends flush with the floor.
  Box gate = Bounds(LoadMesh("wall"));
  EXPECT_EQ((std::vector<float>{gate.lo[1], gate.hi[1]}), (std::vector<float>{0, 50}));
  // The ball rolls at height 12 on the floor.
  for (const auto& p : LoadMesh("sphere").vertices)
    EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 12.0f, 0.01f);
  // The Reflector plate: stretched 25 times it spans the cell's diagonal
  // (70.7) without reaching far past it.
  Box plate = Bounds(LoadMesh("a"));
  float span = (plate.hi[2] - plate.lo[2]) * 25;
  EXPECT_TRUE(span > 60.0f && span < 80.0f) << span;
  EXPECT_GT(plate.hi[1], 5.0f) << "a zero Y scale must visibly flatten it";
  // Everything on a cell stays inside it (bonuses pulse up to 1.12).
  for (const char* key : {"hole", "food", "bonus", "time", "speed", "razvorot", "life", "brick", "mbrick",
                          "klapan", "teleport"}) {
    Box b = Bounds(LoadMesh(key));
    for (int k : {0, 2}) EXPECT_TRUE(b.lo[k] >= -25.001f && b.hi[k] <= 25.001f) << key << " axis " << k;
    EXPECT_GE(b.lo[1], -50.0f) << key;
  }
  // The valve's arrow points along -X, which the pass turns onto the open
  // direction: its tip is the single point furthest from the centre.
  MeshData valve = LoadMesh("klapan");
  Box vb = Bounds(valve);
  EXPECT_TRUE(vb.lo[0] < -20.0f && -vb.lo[0] - vb.hi[0] < 5.0f);
  for (const auto& p : valve.vertices) EXPECT_TRUE(p.x != vb.lo[0] || std::fabs(p.z) < 1e-4f) << p.z;
  EXPECT_NE(test::ReadBytes(test::GameFile("data/meshes/brick.x")).size(),
            test::ReadBytes(test::GameFile("data/meshes/mbrick.x")).size()) << "the movable brick differs";
}

TEST(MeshFiles, SkyAndIslandsFitTheWorld) {
  for (const auto& p : LoadMesh("skybox").vertices) {
    EXPECT_LT(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 9000.0f);
    EXPECT_LT(p.x * p.nx + p.y * p.ny + p.z * p.nz, 0.0f) << "the sky box faces inwards";
  }
  // Island drawn at (25 rows, -150, 25 cols): its top lies just under the floor.
  for (const char* key : {"island1", "island2"}) {
    Box b = Bounds(LoadMesh(key));
    EXPECT_TRUE(b.hi[1] - 150.0f < 0.0f && b.hi[1] - 150.0f > -40.0f) << key;
  }
  EXPECT_LT(Bounds(LoadMesh("island1")).lo[1], -600.0f) << "seen from below the island hangs deep";
  // The cloud plane is drawn scaled by 50 and must reach past the view.
  Box grid = Bounds(LoadMesh("grid"));
  EXPECT_GT((grid.hi[0] - grid.lo[0]) * 50, 10000.0f);
}

// Under every shipped level, loaded as the game loads it, the island's top
// reaches past each corner of every cell that has a floor or wall.
TEST(MeshFiles, IslandsCarryEveryShippedLevel) {
  const int sectors = 24;  // three rim vertices each
  auto sectorOf = [&](float x, float z) {
    return std::min(sectors - 1, int((std::atan2(z, x) + 3.1415927f) / (2 * 3.1415927f) * sectors));
  };
  // The rim's smallest radius over a sector and its neighbours bounds what it carries.
  std::vector<std::vector<float>> reach;
  for (const char* key : {"island1", "island2"}) {
    MeshData m = LoadMesh(key);
    float top = Bounds(m).hi[1];
    std::vector<float> rim(sectors, 0.0f), r(sectors);
    for (const auto& p : m.vertices)
      if (p.y >= top - 15.0f) rim[sectorOf(p.x, p.z)] = std::max(rim[sectorOf(p.x, p.z)], std::hypot(p.x, p.z));
    for (int s = 0; s < sectors; ++s)
      r[s] = std::min({rim[s], rim[(s + 1) % sectors], rim[(s + sectors - 1) % sectors]});
    reach.push_back(r);
  }
  SettingsFile settings{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
  int count = settings.ReadInt("Levels", "count", 0);
  ASSERT_GT(count, 0);
  auto level = std::make_unique<LevelRecord>();
  for (int n = 1; n <= count; ++n) {
    ASSERT_TRUE(LoadLevelFile(*level, test::GameFile("data/levels/" + std::to_string(n) + ".ilf"))) << n;
    float cx = 25.0f * level->rows, cz = 25.0f * level->cols;
    int outside = 0;
    for (int r = 0; r < level->rows; ++r)
      for (int c = 0; c < level->cols; ++c) {
        if (level->cells[r][c].kind == Void) continue;
        for (float dx : {-25.0f, 25.0f})
          for (float dz : {-25.0f, 25.0f}) {
            float x = 50.0f * r + dx - cx, z = 50.0f * c + dz - cz;
            for (const auto& r2 : reach) outside += std::hypot(x, z) > r2[sectorOf(x, z)];
          }
      }
    EXPECT_EQ(outside, 0) << "level " << n << " (" << level->rows << " x " << level->cols << ")";
  }
}

}  // namespace
}  // namespace nb
