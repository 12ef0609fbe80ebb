// The scene passes through the recording device: where the elements stand, how
// they fade and sink, and the states each pass leaves behind.
#include <gtest/gtest.h>

#include <functional>
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

// The opaque scene comes first, then the sky and the clouds at the far depth
// (tested, not written), then what blends over them, the particles last.
TEST_F(ScenePasses, PlayFrameDrawsTheSkyBehindTheOpaqueSceneAndEndsWithoutFogOrBlending) {
  Grid({"##########", "#X.G.O.B.#", "#V.M.S./.#", "#T.*.?.\\.#", "##########"});
  game().world.ball.world = MatrixTranslation(250, 12, 250);
  ParticleSystem& particles = game().particles;
  const Particle sparkle = particles.templates[static_cast<int>(ParticleTemplate::CursorSparkle)];
  ClearParticles(particles);
  ASSERT_TRUE(EmitParticle(particles, sparkle));
  UpdatePlayScreen(game(), {1000, 400, 300});
  game().cursor = ComputeCursorCell(50 * 1 + 10, 50 * 2 + 10);  // floor

  std::vector<DrawnMesh> draws = DrawScene();
  size_t sky = 0;
  while (sky < draws.size() && draws[sky].mesh != "skybox") ++sky;
  ASSERT_LT(sky + 2, draws.size());
  auto blended = [&](size_t i) {
    return draws[i].draw.states.render[static_cast<int>(RenderState::AlphaBlendEnable)];
  };
  for (size_t i = 0; i < sky; ++i) EXPECT_EQ(blended(i), 0u) << draws[i].mesh << " is drawn before the sky";
  EXPECT_EQ(blended(sky + 1) + blended(sky + 2), 2u) << "the clouds";
  EXPECT_EQ(draws[sky + 3].mesh, "pol") << "the placement marker blends over the sky";
  EXPECT_EQ(draws[sky - 1].mesh, "island1");
  EXPECT_EQ(draws.back().mesh, "particles");
  for (size_t i = sky; i < sky + 3; ++i) {
    const DeviceStates& s = draws[i].draw.states;
    const Matrix& p = s.transform[static_cast<int>(TransformState::Projection)];
    for (const auto& row : p.m) EXPECT_EQ(row[2], row[3]) << draws[i].mesh << ": at the far depth";
    EXPECT_EQ(s.render[static_cast<int>(RenderState::ZEnable)], 1u) << draws[i].mesh;
    EXPECT_EQ(s.render[static_cast<int>(RenderState::ZWriteEnable)], 0u) << draws[i].mesh;
  }
  // The sky stays centred on the eye; the islands float under the middle of the level.
  EXPECT_FLOAT_EQ(draws[sky].World(1), game().camera.eye.y);
  EXPECT_FLOAT_EQ(draws[draws.size() - 2].World(2), 10 * 50 / 2.f);
  // The update moved the particles by the turning wind; the draw used their own texture.
  EXPECT_NE(particles.wind.x, 0.0f);
  EXPECT_FLOAT_EQ(particles.particles[0].velocity.x, sparkle.velocity.x + 0.1f * particles.wind.x);
  EXPECT_EQ(draws.back().draw.texture, game().catalogue.Texture(TextureKey::Particle));
  // The clouds drift from one update to the next, not from one draw to the next.
  const float shift = draws[sky + 1].TexShift().m[2][1];
  EXPECT_EQ(DrawScene("grid")[0].TexShift().m[2][1], shift);
  UpdatePlayScreen(game(), {1016, 400, 300});
  EXPECT_NE(DrawScene("grid")[0].TexShift().m[2][1], shift);
  // What is drawn over the scene afterwards (texts, menus) is neither fogged nor blended by accident.
  EXPECT_EQ(rec().GetRenderState(RenderState::FogEnable), 0u);
  EXPECT_EQ(rec().GetRenderState(RenderState::AlphaBlendEnable), 0u);
}

// Each pass sets up its own elements; the next one relies on depth testing and
// writing, no blending, no fog and unshifted texture coordinates again.
TEST_F(ScenePasses, EachPassPutsBackDepthBlendingFogAndTheTextureShift) {
  Grid({"#######", "#X.G.O#", "#BVM/T#", "#*?...#", "#######"});
  SceneContext sc{rec(), game().store, game().catalogue, game().animations, game().scene};
  LevelRecord& level = game().world.level;
  World& w = game().world;
  const Vec3 eye{};
  const std::pair<const char*, std::function<void()>> passes[] = {
      {"sky", [&] { DrawSky(sc, eye, 0, 1000, SkyDepth::Behind); }},
      {"clouds", [&] { DrawSky(sc, eye, 1, 1000, SkyDepth::Over); }},
      {"switches", [&] { DrawSwitches(sc, level); }},
      {"gates", [&] { DrawGates(sc, level); }},
      {"holes", [&] { DrawHoles(sc, level); }},
      {"ball", [&] { DrawBall(sc, w.ball); }},
      {"bricks", [&] { DrawBricks(sc, level); }},
      {"valves", [&] { DrawValves(sc, level); }},
      {"movable bricks", [&] { DrawMovableBricks(sc, level, w.play.slide); }},
      {"marker", [&] { DrawPlacementMarker(sc, level, 1, 2, ReflectorAnti); }},
      {"reflectors", [&] { DrawReflectors(sc, level); }},
      {"teleports", [&] { DrawTeleports(sc, level); }},
      {"stones", [&] { DrawStones(sc, level); }},
      {"bonuses", [&] { DrawBonuses(sc, level); }},
  };
  const std::pair<RenderState, uint32_t> kept[] = {{RenderState::ZEnable, 1},
                                                   {RenderState::ZWriteEnable, 1},
                                                   {RenderState::AlphaBlendEnable, 0},
                                                   {RenderState::FogEnable, 0}};
  for (auto [state, value] : kept) rec().SetRenderState(state, value);
  rec().SetTextureStageState(0, TextureStageState::TextureTransformFlags, TextureTransform::Disable);
  BindMeshStream(rec(), game().store);
  for (const auto& [name, pass] : passes) {
    const size_t from = rec().draws.size();
    pass();
    EXPECT_GT(rec().draws.size(), from) << name << " drew nothing";
    for (auto [state, value] : kept)
      EXPECT_EQ(rec().GetRenderState(state), value) << name << ' ' << RenderStateName(state);
    EXPECT_EQ(rec().GetTextureStageState(0, TextureStageState::TextureTransformFlags),
              TextureTransform::Disable)
        << name << ": texture shift";
  }
}

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
