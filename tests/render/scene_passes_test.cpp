// The scene passes through the recording device: which mesh each draw uses, in
// order, and the states, materials and texture transforms of the elements.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "gameplay/level_setup.h"
#include "shell/screens/scene.h"
#include "shell/screens/scene_fixture.h"
#include "render/scene_passes.h"
#include "core/keyframe_curve.h"

namespace nb {
namespace {

using test::GameOnDevice;

// One drawn element: the mesh it used and the states it ran with.
struct DrawnMesh {
  std::string mesh;
  RecordingDevice::Draw draw;
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
    const int32_t values[] = {Floor, Wall, Stone, ReflectorAnti, ReflectorMain, Gate, Switch,
                              Hole,  Brick, Valve, MovableBrick, Teleport, Bonus, Start};
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

  // Names every index buffer the scene can draw with.
  std::map<uint32_t, std::string> MeshNames() {
    std::map<uint32_t, std::string> names;
    for (int k = 0; k < kMeshKeyCount; ++k) {
      int record = game().catalogue.meshes[k];
      if (record >= 0) names[game().store.records[record].indexBuffer.id] = MeshKeyName(static_cast<MeshKey>(k));
    }
    if (game().levelMeshRecord >= 0)
      names[game().store.records[game().levelMeshRecord].indexBuffer.id] = "level";
    names[game().particles.indexBuffer.id] = "particles";
    return names;
  }

  // Draws the play scene once and returns its draws with their mesh names.
  std::vector<DrawnMesh> DrawScene(uint32_t nowMs = 1000) {
    rec().ClearCalls();
    rec().draws.clear();
    DrawPlaySceneAt(game(), nowMs);
    std::map<uint32_t, std::string> names = MeshNames();
    std::vector<DrawnMesh> out;
    for (const RecordingDevice::Draw& d : rec().draws) {
      auto it = names.find(d.states.indices.id);
      out.push_back({it == names.end() ? "?" : it->second, d});
    }
    return out;
  }

  static std::vector<DrawnMesh> Only(const std::vector<DrawnMesh>& all, const std::string& mesh) {
    std::vector<DrawnMesh> out;
    for (const DrawnMesh& d : all)
      if (d.mesh == mesh) out.push_back(d);
    return out;
  }
  static const Matrix& Transform(const DrawnMesh& d, TransformState t) {
    return d.draw.states.transform[static_cast<int>(t)];
  }
  static float World(const DrawnMesh& d, int axis) { return Transform(d, TransformState::World).m[3][axis]; }
  static float WorldX(const DrawnMesh& d) { return World(d, 0); }
  static float WorldY(const DrawnMesh& d) { return World(d, 1); }
  static float WorldZ(const DrawnMesh& d) { return World(d, 2); }
  static const Matrix& TexTransform(const DrawnMesh& d) { return Transform(d, TransformState::Texture0); }
  static uint32_t Rs(const DrawnMesh& d, RenderState s) { return d.draw.states.render[static_cast<int>(s)]; }
  static uint32_t Tss(const DrawnMesh& d, TextureStageState s) { return d.draw.states.stage[0][static_cast<int>(s)]; }

  GameOnDevice env{false};
};

TEST_F(ScenePasses, PlayFrameDrawsEveryPassInItsOrder) {
  Grid({"##########",
        "#X.G.O.B.#",
        "#V.M.S./.#",
        "#T.*.?.\\.#",
        "##########"});
  game().world.ball.world = MatrixTranslation(250, 12, 250);
  game().cursor = ComputeCursorCell(50 * 1 + 10, 50 * 2 + 10);  // floor
  EmitParticle(game().particles, game().particles.templates[0]);

  std::vector<std::string> order;
  for (const DrawnMesh& d : DrawScene())
    if (order.empty() || order.back() != d.mesh) order.push_back(d.mesh);
  const std::vector<std::string> expected = {
      "skybox", "grid",   "pol",  "wall",     "hole",   "sphere", "brick", "klapan", "mbrick", "level",
      "pol",    "a",      "teleport", "food", "time",  "island1", "island2", "particles"};
  EXPECT_EQ(order, expected);
}

TEST_F(ScenePasses, SkyAndIslandStatesFollowTheFrame) {
  Grid({"#####", "#S.*#", "#####"});
  std::vector<DrawnMesh> draws = DrawScene();
  std::vector<DrawnMesh> sky = Only(draws, "skybox");
  ASSERT_EQ(sky.size(), 1u);
  EXPECT_EQ(Rs(sky[0], RenderState::ZEnable) | Rs(sky[0], RenderState::Lighting), 0u);
  EXPECT_EQ(sky[0].draw.states.sampler[0][static_cast<int>(SamplerState::AddressU)], TextureAddress::Mirror);
  EXPECT_EQ(sky[0].draw.texture, game().catalogue.Texture(TextureKey::Skybox));
  // The sky stays centred on the eye.
  EXPECT_FLOAT_EQ(WorldX(sky[0]), game().camera.eye.x);
  EXPECT_FLOAT_EQ(WorldY(sky[0]), game().camera.eye.y);

  std::vector<DrawnMesh> island2 = Only(draws, "island2");
  ASSERT_EQ(island2.size(), 1u);
  EXPECT_EQ(std::make_tuple(Rs(island2[0], RenderState::AlphaBlendEnable), Rs(island2[0], RenderState::AlphaTestEnable),
                            Rs(island2[0], RenderState::AlphaRef)), std::make_tuple(1u, 1u, 8u));
  EXPECT_EQ(island2[0].draw.texture, game().catalogue.Texture(TextureKey::Sun));
  EXPECT_EQ(std::make_tuple(WorldX(island2[0]), WorldY(island2[0]), WorldZ(island2[0])),
            std::make_tuple(75.f, -150.f, 125.f));  // under the middle of the 3 x 5 level
  // Fog is off after the islands, for the overlay.
  EXPECT_EQ(rec().GetRenderState(RenderState::FogEnable) | rec().GetRenderState(RenderState::AlphaBlendEnable), 0u);
}

TEST_F(ScenePasses, ReflectorsFadeBySixthsOfTheirHits) {
  Grid({"#####", "#/\\/#", "#####"});
  LevelRecord& level = game().world.level;
  level.cells[1][1].count = 5;
  level.cells[1][2].count = 2;
  level.cells[1][3].count = 0;
  std::vector<DrawnMesh> reflectors = Only(DrawScene(), "a");
  ASSERT_EQ(reflectors.size(), 3u);
  const float expected[] = {1.0f, 3.0f / 6, 1.0f / 6};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(reflectors[i].draw.states.material.diffuse.a, expected[i]) << i;
    EXPECT_FLOAT_EQ(reflectors[i].draw.states.material.ambient.a, expected[i]) << i;
    EXPECT_FLOAT_EQ(WorldZ(reflectors[i]), 50.0f * (i + 1));
    EXPECT_EQ(Rs(reflectors[i], RenderState::AlphaBlendEnable), 1u);
    EXPECT_EQ(Rs(reflectors[i], RenderState::DestBlend), Blend::InvSrcAlpha);
  }
}

TEST_F(ScenePasses, ReflectorAnimationAdvancesOncePerDrawnFrame) {
  Grid({"#####", "#...#", "#####"});
  GridCell& cell = game().world.level.cells[1][2];
  cell = {ReflectorMain, 6, 120, 5};  // being removed: 120 to 130
  DrawScene();
  EXPECT_EQ(cell.value, 122);
  for (int i = 0; i < 5; ++i) DrawScene();
  EXPECT_EQ(cell.kind, Floor);
  EXPECT_TRUE(Only(DrawScene(), "a").empty());
}

TEST_F(ScenePasses, BricksShowOneAtlasTileFurtherPerHit) {
  Grid({"######", "#BBBB#", "######"});
  for (int c = 1; c <= 4; ++c) game().world.level.cells[1][c].state = c - 1;
  std::vector<DrawnMesh> bricks = Only(DrawScene(), "brick");
  ASSERT_EQ(bricks.size(), 3u) << "a brick with three hits is gone";
  for (int i = 0; i < 3; ++i) {
    const Matrix& m = TexTransform(bricks[i]);
    EXPECT_EQ(std::make_pair(m.m[2][0], m.m[2][1]), std::make_pair(0.125f * i, 0.f));
    EXPECT_EQ(Tss(bricks[i], TextureStageState::TextureTransformFlags), TextureTransform::Count2);
  }
  // The level mesh after them is not shifted.
  std::vector<DrawnMesh> level = Only(DrawScene(), "level");
  ASSERT_EQ(level.size(), 1u);
  EXPECT_EQ(Tss(level[0], TextureStageState::TextureTransformFlags), TextureTransform::Disable);
}

TEST_F(ScenePasses, PlacementMarkerPicksTileAndMaterialByCell) {
  Grid({"#####", "#.*##", "#####"});
  const ResourceCatalogue& cat = game().catalogue;

  game().cursor = ComputeCursorCell(50 + 10, 50 - 10);  // floor (1, 1), anti
  ASSERT_EQ(game().cursor.placeKind, ReflectorAnti);
  std::vector<DrawnMesh> marker = Only(DrawScene(), "pol");
  ASSERT_EQ(marker.size(), 1u);
  EXPECT_FLOAT_EQ(TexTransform(marker[0]).m[2][0], 0.625f);
  EXPECT_FLOAT_EQ(WorldY(marker[0]), 1.0f);
  EXPECT_FLOAT_EQ(WorldZ(marker[0]), 50.0f);
  EXPECT_EQ(Rs(marker[0], RenderState::ZEnable), 0u);
  EXPECT_EQ(Rs(marker[0], RenderState::AlphaBlendEnable), 1u);
  EXPECT_FLOAT_EQ(marker[0].draw.states.material.diffuse.r, cat.defaultMaterial.diffuse.r);

  game().cursor = ComputeCursorCell(50 + 10, 100 + 10);  // stone (1, 2), main
  ASSERT_EQ(game().cursor.placeKind, ReflectorMain);
  marker = Only(DrawScene(), "pol");
  ASSERT_EQ(marker.size(), 1u);
  EXPECT_FLOAT_EQ(TexTransform(marker[0]).m[2][0], 0.75f);
  EXPECT_FLOAT_EQ(WorldZ(marker[0]), 100.0f);
  EXPECT_FLOAT_EQ(marker[0].draw.states.material.diffuse.r, cat.food.diffuse.r);
  EXPECT_FLOAT_EQ(marker[0].draw.states.material.diffuse.g, cat.food.diffuse.g);

  game().cursor = ComputeCursorCell(50 + 10, 150 + 10);  // wall: nothing
  EXPECT_TRUE(Only(DrawScene(), "pol").empty());
  game().cursor = ComputeCursorCell(50 + 10, 50 + 10);
  game().screen.gameState = GameState::PauseMenu;  // only while playing
  std::vector<DrawnMesh> draws = DrawScene();
  EXPECT_TRUE(Only(draws, "pol").empty());
  // Depth testing is back on for the elements after the marker.
  std::vector<DrawnMesh> stones = Only(draws, "food");
  ASSERT_EQ(stones.size(), 1u);
  EXPECT_EQ(Rs(stones[0], RenderState::ZEnable), 1u);
}

TEST_F(ScenePasses, CloudsScrollByTheCurveOfTheirFrameCounter) {
  Grid({"###", "#S#", "###"});
  game().scene.cloudCounter = 0;
  for (int frame = 1; frame <= 3; ++frame) {
    std::vector<DrawnMesh> clouds = Only(DrawScene(), "grid");
    ASSERT_EQ(clouds.size(), 2u);
    const float v = EvaluateCurve(game().animations.clouds, static_cast<float>(frame));
    for (const DrawnMesh& d : clouds) {
      EXPECT_FLOAT_EQ(TexTransform(d).m[2][0], 0.0f);
      EXPECT_FLOAT_EQ(TexTransform(d).m[2][1], -v);
      EXPECT_EQ(Tss(d, TextureStageState::TextureTransformFlags), TextureTransform::Count2);
      EXPECT_EQ(Rs(d, RenderState::SrcBlend), Blend::One);
      EXPECT_EQ(Rs(d, RenderState::DestBlend), Blend::InvSrcColor);
      EXPECT_EQ(BitsFloat(Rs(d, RenderState::FogStart)), 5000.0f);
      EXPECT_EQ(d.draw.texture, game().catalogue.Texture(TextureKey::Clouds));
    }
    EXPECT_FLOAT_EQ(WorldY(clouds[0]), -300.0f);
    EXPECT_FLOAT_EQ(WorldY(clouds[1]), 350.0f);
  }
  // The clouds' curve actually moves them, and the counter wraps after 1024.
  EXPECT_NE(EvaluateCurve(game().animations.clouds, 1), EvaluateCurve(game().animations.clouds, 500));
  game().scene.cloudCounter = 1024;
  DrawScene();
  EXPECT_EQ(game().scene.cloudCounter, 0);
}

TEST_F(ScenePasses, GatesSinkWithTheRigAndBonusesDescend) {
  Grid({"#####", "#G?X#", "#####"});
  GridCell& gate = game().world.level.cells[1][1];
  GridCell& bonus = game().world.level.cells[1][2];
  bonus.value = 800;
  game().world.play.gatesLowering = true;
  gate.value = 9;
  std::vector<DrawnMesh> draws = DrawScene();
  EXPECT_EQ(gate.value, 10);
  std::vector<DrawnMesh> gates = Only(draws, "wall");
  ASSERT_EQ(gates.size(), 1u);
  EXPECT_FLOAT_EQ(WorldY(gates[0]), -25.0f);  // half way down at 10 of 20
  std::vector<DrawnMesh> bonuses = Only(draws, "time");
  ASSERT_EQ(bonuses.size(), 1u);
  EXPECT_FLOAT_EQ(WorldY(bonuses[0]), 795.0f);
  for (int i = 1; i < 160; ++i) DrawScene();
  EXPECT_EQ(bonus.value, 0) << "a bonus reaches the floor after 160 drawn frames";
}

TEST_F(ScenePasses, ParticlesAreMovedByTheWindAndDrawnAdditivelyLast) {
  Grid({"###", "#S#", "###"});
  ClearParticles(game().particles);
  const Particle drifting = game().particles.templates[static_cast<int>(ParticleTemplate::CursorSparkle)];
  ASSERT_TRUE(EmitParticle(game().particles, drifting));
  const Particle trail = game().particles.templates[static_cast<int>(ParticleTemplate::TrailBurst)];
  ASSERT_TRUE(EmitParticle(game().particles, trail));
  std::vector<DrawnMesh> draws = DrawScene(2000);
  const Vec3 wind = game().particles.wind;
  EXPECT_FLOAT_EQ(wind.x, std::cos(2.0f));
  EXPECT_FLOAT_EQ(wind.z, std::sin(2.0f));
  EXPECT_EQ(game().particles.quadCount, 2);
  EXPECT_FLOAT_EQ(game().particles.particles[0].velocity.x, drifting.velocity.x + 0.1f * wind.x);
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().mesh, "particles");
  EXPECT_EQ(draws.back().draw.texture, game().catalogue.Texture(TextureKey::Particle));
  EXPECT_EQ(Rs(draws.back(), RenderState::DestBlend), Blend::One);
  EXPECT_EQ(draws.back().draw.indexCount, 12u);
}

TEST_F(ScenePasses, MenuBackgroundDrawsTenIslandsOfEachKindBeforeTheClouds) {
  std::vector<std::string> order;
  rec().draws.clear();
  DrawMenuBackgroundAt(game(), 5000);
  std::map<uint32_t, std::string> names = MeshNames();
  std::vector<float> firstX, secondX;
  for (const RecordingDevice::Draw& d : rec().draws) {
    order.push_back(names[d.states.indices.id]);
    if (order.back() == "island1") firstX.push_back(d.states.transform[0].m[3][0]);
    if (order.back() == "island2") secondX.push_back(d.states.transform[0].m[3][0]);
    if (order.back() == "island2") {
      EXPECT_EQ(d.states.render[static_cast<int>(RenderState::AlphaBlendEnable)], 1u);
      EXPECT_EQ(BitsFloat(d.states.render[static_cast<int>(RenderState::FogEnd)]), 25000.0f);
    }
  }
  ASSERT_EQ(order.size(), 1u + 10 + 10 + 2);
  EXPECT_EQ(order.front(), "skybox");
  EXPECT_EQ(order[1], "island1");
  EXPECT_EQ(order[11], "island2");
  EXPECT_EQ(order.back(), "grid");
  EXPECT_EQ(firstX, secondX);
  EXPECT_FLOAT_EQ(firstX[0], static_cast<float>(6000 * std::sin(0.5)));
  EXPECT_EQ(rec().GetRenderState(RenderState::FogEnable), 0u);
}

TEST(ElementRig, TracksInterpolateAndHoldTheirEnds) {
  ElementRig rig = MakeElementRig();
  auto scale = [&](float frame) {
    Matrix m = EvaluateRigTrack(rig, kRigReflectorTrack, frame);
    return std::make_tuple(m.m[0][0], m.m[1][1], m.m[2][2]);
  };
  EXPECT_EQ(scale(10), std::make_tuple(2.f, 1.f, 25.f));
  EXPECT_EQ(scale(5), std::make_tuple(1.5f, 0.5f, 13.f));  // half way between keys
  EXPECT_EQ(std::get<1>(scale(500)), 0.f);                // past the end: the last key
  // Before the first segment the output slot keeps the last result.
  scale(50);
  EXPECT_EQ(std::get<0>(scale(-3)), 1.f);
  EXPECT_EQ(std::get<1>(scale(-3)), 1.f);
  scale(30);
  EXPECT_EQ(std::get<0>(scale(-3)), 25.f);
  EXPECT_FLOAT_EQ(EvaluateRigTrack(rig, kRigGateTrack, 20).m[3][1], -50);  // fully down
  EXPECT_EQ(AdvanceCloudCounter(1023), 1024);
  EXPECT_EQ(AdvanceCloudCounter(1024), 0);
}

}  // namespace
}  // namespace nb
