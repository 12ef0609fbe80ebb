// The generated meshes: well-formed text .x files whose shapes fit the
// 50-unit cell and the passes that draw them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "data_files.h"
#include "gameplay/level_file.h"
#include "gameplay/level_record.h"
#include "shell/settings_file.h"

namespace nb {
namespace {

using test::XMesh;

XMesh Load(const std::string& key) {
  XMesh mesh;
  std::string error;
  std::string text = test::ReadBytes(test::GameFile("data/meshes/" + key + ".x"));
  EXPECT_TRUE(test::ParseXFile(text, mesh, error)) << key << ": " << error;
  return mesh;
}

struct Box {
  float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
};
Box Bounds(const XMesh& m) {
  Box b;
  for (const auto& p : m.positions) {
    float v[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) b.lo[k] = std::min(b.lo[k], v[k]), b.hi[k] = std::max(b.hi[k], v[k]);
  }
  return b;
}

const char* kKeys[] = {"skybox", "sphere", "hole",  "wall",  "a",      "food",    "left",    "right",
                       "front",  "back",   "up",    "pol",   "bonus",  "brick",   "klapan",  "island1",
                       "island2", "grid",  "razvorot", "time", "life", "speed",   "teleport", "mbrick"};

// Every triangle winds clockwise seen from the side its normals face (the
// left-handed rule the culling passes rely on), normals have unit length
// and the faces of the normals are those of the positions.
TEST(MeshFiles, EveryMeshIsWellFormedAndWoundTheWayItsNormalsFace) {
  size_t total = 0;
  for (const char* key : kKeys) {
    XMesh m = Load(key);
    ASSERT_FALSE(m.faces.empty()) << key;
    EXPECT_LE(m.positions.size(), 65535u) << key << ": 16-bit indices";
    EXPECT_EQ(m.faces, m.normalFaces) << key;
    total += m.positions.size();
    int wrong = 0;
    for (const auto& n : m.normals) EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0f, 1e-3f) << key;
    for (const auto& f : m.faces) {
      const auto &a = m.positions[f[0]], &b = m.positions[f[1]], &c = m.positions[f[2]];
      float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
      float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
      float sx = 0, sy = 0, sz = 0;
      for (int i : f) sx += m.normals[i].x, sy += m.normals[i].y, sz += m.normals[i].z;
      if (nx * sx + ny * sy + nz * sz <= 0) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << key << ": triangles wound against their normals";
    std::vector<bool> used(m.positions.size(), false);
    for (const auto& f : m.faces)
      for (int i : f) used[i] = true;
    EXPECT_EQ(std::count(used.begin(), used.end(), false), 0) << key << ": vertices no face uses";
  }
  // The store holds 50,000 vertices, and each level adds its own merged
  // geometry (up to 8,000) on top of the catalogue.
  EXPECT_LT(total, 20000u);
}

TEST(MeshFiles, FloorAndWallFacesCoverExactlyOneCell) {
  XMesh pol = Load("pol");
  Box b = Bounds(pol);
  EXPECT_FLOAT_EQ(b.lo[0], -25); EXPECT_FLOAT_EQ(b.hi[0], 25);
  EXPECT_FLOAT_EQ(b.lo[2], -25); EXPECT_FLOAT_EQ(b.hi[2], 25);
  EXPECT_FLOAT_EQ(b.lo[1], 0); EXPECT_FLOAT_EQ(b.hi[1], 0);
  for (const auto& n : pol.normals) EXPECT_FLOAT_EQ(n.y, 1.0f);
  // The switch, brick and marker passes shift the floor's coordinates by
  // whole tiles: the floor must stay inside the first tile.
  for (auto [u, v] : pol.uvs) {
    EXPECT_GE(u, 0.0f); EXPECT_LE(u, 0.125f);
    EXPECT_GE(v, 0.0f); EXPECT_LE(v, 0.125f);
  }
  struct Face {
    const char* key;
    int axis;
    float at;
    float normal[3];
  };
  // Level setup adds "right" towards the next row (+X), "back" towards the
  // next column (+Z).
  const Face faces[] = {{"right", 0, 25, {1, 0, 0}}, {"left", 0, -25, {-1, 0, 0}},
                        {"back", 2, 25, {0, 0, 1}},  {"front", 2, -25, {0, 0, -1}},
                        {"up", 1, 50, {0, 1, 0}}};
  for (const Face& f : faces) {
    XMesh m = Load(f.key);
    Box box = Bounds(m);
    EXPECT_FLOAT_EQ(box.lo[f.axis], f.at) << f.key;
    EXPECT_FLOAT_EQ(box.hi[f.axis], f.at) << f.key;
    for (int k = 0; k < 3; ++k)
      if (k != f.axis) {
        EXPECT_FLOAT_EQ(box.hi[k] - box.lo[k], k == 1 ? 50.0f : 50.0f) << f.key;
      }
    for (const auto& n : m.normals) {
      EXPECT_FLOAT_EQ(n.x, f.normal[0]) << f.key;
      EXPECT_FLOAT_EQ(n.y, f.normal[1]) << f.key;
      EXPECT_FLOAT_EQ(n.z, f.normal[2]) << f.key;
    }
  }
}

TEST(MeshFiles, ElementsFitTheirCellAndPasses) {
  // The gate block sinks 50 units: it must be 50 high so that it then ends
  // flush with the floor.
  Box gate = Bounds(Load("wall"));
  EXPECT_FLOAT_EQ(gate.lo[1], 0); EXPECT_FLOAT_EQ(gate.hi[1], 50);
  // The ball rolls at height 12 on the floor.
  XMesh ball = Load("sphere");
  for (const auto& p : ball.positions) EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 12.0f, 0.01f);
  // The Reflector plate: stretched 25 times it spans the cell's diagonal
  // (70.7) without reaching far past it.
  Box plate = Bounds(Load("a"));
  float span = (plate.hi[2] - plate.lo[2]) * 25;
  EXPECT_GT(span, 60.0f); EXPECT_LT(span, 80.0f);
  EXPECT_GT(plate.hi[1], 5.0f) << "a zero Y scale must visibly flatten it";
  // Everything on a cell stays inside it (bonuses pulse up to 1.12).
  for (const char* key : {"hole", "food", "bonus", "time", "speed", "razvorot", "life", "brick", "mbrick",
                          "klapan", "teleport"}) {
    Box b = Bounds(Load(key));
    for (int k : {0, 2}) {
      EXPECT_GE(b.lo[k], -25.001f) << key;
      EXPECT_LE(b.hi[k], 25.001f) << key;
    }
    EXPECT_GE(b.lo[1], -50.0f) << key;
  }
  // The valve's arrow points along -X, which the pass turns onto the open
  // direction: its tip is the single point furthest from the centre.
  XMesh valve = Load("klapan");
  Box vb = Bounds(valve);
  EXPECT_LT(vb.lo[0], -20.0f);
  EXPECT_LT(-vb.lo[0] - vb.hi[0], 5.0f);
  int tipPoints = 0, tailPoints = 0;
  for (const auto& p : valve.positions) {
    if (p.x == vb.lo[0]) {
      EXPECT_NEAR(p.z, 0.0f, 1e-4f);
      ++tipPoints;
    }
    if (p.x == vb.hi[0]) ++tailPoints;
  }
  EXPECT_GT(tipPoints, 0); EXPECT_GT(tailPoints, 0);
  // The movable brick is not the brick.
  EXPECT_NE(test::ReadBytes(test::GameFile("data/meshes/brick.x")).size(),
            test::ReadBytes(test::GameFile("data/meshes/mbrick.x")).size());
}

TEST(MeshFiles, SkyAndIslandsFitTheWorld) {
  XMesh sky = Load("skybox");
  for (const auto& p : sky.positions) EXPECT_LT(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 9000.0f);
  for (size_t i = 0; i < sky.positions.size(); ++i) {
    const auto &p = sky.positions[i], &n = sky.normals[i];
    EXPECT_LT(p.x * n.x + p.y * n.y + p.z * n.z, 0.0f) << "the sky box faces inwards";
  }
  // Island drawn at (25 rows, -150, 25 cols): its top lies just under the
  // floor.
  for (const char* key : {"island1", "island2"}) {
    Box b = Bounds(Load(key));
    EXPECT_LT(b.hi[1] - 150.0f, 0.0f) << key;
    EXPECT_GT(b.hi[1] - 150.0f, -40.0f) << key;
  }
  Box rock = Bounds(Load("island1"));
  EXPECT_LT(rock.lo[1], -600.0f) << "seen from below the island hangs deep";
  // The cloud plane is drawn scaled by 50 and must reach past the view.
  Box grid = Bounds(Load("grid"));
  EXPECT_GT((grid.hi[0] - grid.lo[0]) * 50, 10000.0f);
}

// Under every shipped level, loaded as the game loads it, the island's top
// reaches past each corner of every cell that has a floor or wall.
TEST(MeshFiles, IslandsCarryEveryShippedLevel) {
  const int sectors = 24;  // three rim vertices each
  auto sectorOf = [&](float x, float z) {
    float a = std::atan2(z, x) + 3.1415927f;
    return std::min(sectors - 1, int(a / (2 * 3.1415927f) * sectors));
  };
  std::vector<std::vector<float>> reach;
  for (const char* key : {"island1", "island2"}) {
    XMesh m = Load(key);
    Box b = Bounds(m);
    std::vector<float> r(sectors, 1e9f);
    // The rim's smallest radius within each sector bounds what it carries.
    std::vector<float> rim(sectors, 0.0f);
    for (const auto& p : m.positions) {
      if (p.y < b.hi[1] - 15.0f) continue;
      int s = sectorOf(p.x, p.z);
      rim[s] = std::max(rim[s], std::sqrt(p.x * p.x + p.z * p.z));
    }
    for (int s = 0; s < sectors; ++s) r[s] = std::min({rim[s], rim[(s + 1) % sectors], rim[(s + sectors - 1) % sectors]});
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
            float d = std::sqrt(x * x + z * z);
            for (const auto& r2 : reach) outside += d > r2[sectorOf(x, z)];
          }
      }
    EXPECT_EQ(outside, 0) << "level " << n << " (" << level->rows << " x " << level->cols << ")";
  }
}

}  // namespace
}  // namespace nb
