// The scene passes through the recording device: where the elements stand,
// how they fade and sink. The pass order and the states the passes leave
// behind show in the pictures of the draw-order test on the real device.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/keyframe_curve.h"
#include "gameplay/level_setup.h"
#include "render/scene_passes.h"
#include "shell/screens/scene.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

using test::GameOnDevice;

// One drawn element: the mesh it used and the states it ran with.
struct DrawnMesh {
  std::string mesh;
  RecordingDevice::Draw draw;
  float World(int axis) const { return draw.states.transform[0].m[3][axis]; }
  const Matrix& TexShift() const { return draw.states.transform[static_cast<int>(TransformState::Texture0)]; }
};

class ScenePasses : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(env.ready);
    ASSERT_TRUE(env.Start(1));
    game().screen.gameState = GameState::Playing;
  }
  Game& game() { return *env.game; }
  RecordingDevice& rec() { return *env.Recording(); }

  // A grid drawn row by row: . floor, # wall, * stone, / \ Reflectors,
  // G gate, X switch, O hole, B brick, V valve, M movable brick, T teleport,
  // ? bonus, S start.
  void Grid(const std::vector<std::string>& rows) {
    LevelRecord& level = game().world.level;
    level.rows = static_cast<int32_t>(rows.size());
    level.cols = static_cast<int32_t>(rows[0].size());
    const std::string kinds = ".#*/\\GXOBVMT?S";
    const int32_t values[] = {Floor, Wall,  Stone, ReflectorAnti, ReflectorMain, Gate,  Switch,
                              Hole,  Brick, Valve, MovableBrick,  Teleport,      Bonus, Start};
    for (int r = 0; r < level.rows; ++r)
      for (int c = 0; c < level.cols; ++c) {
        GridCell cell;
        cell.kind = values[kinds.find(rows[r][c])];
        if (cell.kind == ReflectorAnti || cell.kind == ReflectorMain) cell.count = 5;
        if (cell.kind == Valve) cell.state = ValveTowardsHigherCols;
        if (cell.kind == Bonus) cell.state = BonusTime;
        level.cells[r][c] = cell;
      }
  }

  // The recorded draws with the names of their meshes.
  std::vector<DrawnMesh> Named() {
    std::map<uint32_t, std::string> names;
    for (int k = 0; k < kMeshKeyCount; ++k) {
      int record = game().catalogue.meshes[k];
      if (record >= 0)
        names[game().store.records[record].indexBuffer.id] = MeshKeyName(static_cast<MeshKey>(k));
    }
    if (const int level = game().levelMeshRecord; level >= 0)
      names[game().store.records[level].indexBuffer.id] = "level";
    names[game().particles.indexBuffer.id] = "particles";
    std::vector<DrawnMesh> out;
    for (const RecordingDevice::Draw& d : rec().draws) out.push_back({names[d.states.indices.id], d});
    return out;
  }

  // One update of the play screen, the pointer away from the grid.
  void Update() { UpdatePlayScreen(game(), {updateMs += kTickMs, -1000, -1000}); }

  // Draws the play scene once; only the draws of `mesh` when one is named.
  std::vector<DrawnMesh> DrawScene(const std::string& mesh = "", uint32_t nowMs = 1000) {
    rec().draws.clear();
    DrawPlayScene(game(), nowMs);
    std::vector<DrawnMesh> out;
    for (const DrawnMesh& d : Named())
      if (mesh.empty() || d.mesh == mesh) out.push_back(d);
    return out;
  }

  GameOnDevice env{false};
  uint32_t updateMs = 1000;
};

TEST_F(ScenePasses, ReflectorsFadeBySixthsOfTheirHitsAndAnimateOncePerUpdateNotPerDraw) {
  Grid({"######", "#/\\/.#", "######"});
  LevelRecord& level = game().world.level;
  level.cells[1][2].count = 2;
  level.cells[1][3].count = 0;
  GridCell& leaving = level.cells[1][4];
  leaving = {ReflectorMain, 6, 120, 5};  // being removed: 120 to 130
  Update();
  std::vector<DrawnMesh> reflectors = DrawScene("a");
  ASSERT_EQ(reflectors.size(), 4u);
  // What is drawn over the scene afterwards (texts, menus) is neither fogged nor blended by accident.
  EXPECT_EQ(rec().GetRenderState(RenderState::FogEnable), 0u);
  EXPECT_EQ(rec().GetRenderState(RenderState::AlphaBlendEnable), 0u);
  const float alpha[] = {1.0f, 3.0f / 6, 1.0f / 6};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(reflectors[i].draw.states.material.diffuse.a, alpha[i]) << i;
    EXPECT_FLOAT_EQ(reflectors[i].World(2), 50.0f * (i + 1));
  }
  DrawScene();
  EXPECT_EQ(leaving.value, 122);
  for (int i = 0; i < 5; ++i) Update();
  EXPECT_EQ(leaving.kind, Floor);
  EXPECT_EQ(DrawScene("a").size(), 3u);
}

TEST_F(ScenePasses, PlacementMarkerPicksTileAndMaterialByCell) {
  Grid({"#####", "#.*##", "#####"});
  const ResourceCatalogue& cat = game().catalogue;
  const struct {
    float z, tile;
    const Material* material;
  } cases[] = {
      {40, 0.625f, &cat.defaultMaterial}, {110, 0.75f, &cat.food}, {160, 0, nullptr}};  // floor, stone, wall
  for (const auto& c : cases) {
    game().cursor = ComputeCursorCell(60, c.z);
    std::vector<DrawnMesh> marker = DrawScene("pol");
    ASSERT_EQ(marker.size(), c.material ? 1u : 0u) << c.z;
    if (!c.material) continue;
    EXPECT_FLOAT_EQ(marker[0].TexShift().m[2][0], c.tile);
    EXPECT_FLOAT_EQ(marker[0].World(2), 50.0f * game().cursor.col);
    EXPECT_FLOAT_EQ(marker[0].draw.states.material.diffuse.g, c.material->diffuse.g);
  }
  game().cursor = ComputeCursorCell(60, 60);
  game().screen.gameState = GameState::PauseMenu;  // only while playing
  EXPECT_TRUE(DrawScene("pol").empty());
}

TEST_F(ScenePasses, GatesSinkWithTheRigAndBonusesDrawAtTheirHeight) {
  Grid({"#####", "#G?X#", "#####"});
  GridCell& gate = game().world.level.cells[1][1];
  GridCell& bonus = game().world.level.cells[1][2];
  bonus.value = 800;
  game().world.play.gatesLowering = true;
  gate.value = 9;
  std::map<std::string, float> height;
  Update();
  for (const DrawnMesh& d : DrawScene()) height.emplace(d.mesh, d.World(1));
  EXPECT_EQ(gate.value, 10);
  const float down = EvaluateRigTrack(game().scene.rig, kRigGateTrack, 1000).m[3][1];
  EXPECT_FLOAT_EQ(height["wall"], down / 2) << "half way down at 10 of 20";
  EXPECT_FLOAT_EQ(height["time"], 795.0f);
}

}  // namespace
}  // namespace nb
