// The play scene and the menu background draw the opaque scene before the sky
// and the clouds, which then only fill the pixels left free; the menu's
// islands draw their caps' opaque texels and their rock's front faces first
// and blend the caps' fringes last. Here each fixed frame is drawn on the real
// OpenGL device both ways, the new order and the previous one (kept below as
// it was: sky first, without depth), and the two pictures must agree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "render/camera.h"
#include "render/scene_passes.h"
#include "shell/screens/scene.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

using test::GameOnDevice;

// --- the previous order ------------------------------------------------------

void PreviousIslandBlend(GraphicsDevice& d) {
  d.SetRenderState(RenderState::AlphaBlendEnable, 1);
  d.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::SelectArg1);
  d.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
  d.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  d.SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  d.SetRenderState(RenderState::AlphaTestEnable, 1);
  d.SetRenderState(RenderState::AlphaRef, 8);
  d.SetRenderState(RenderState::AlphaFunc, Cmp::GreaterEqual);
}

void PreviousPlayScene(const Game& game, uint32_t nowMs) {
  GraphicsDevice& d = *Device(game);
  SceneContext sc{d, game.store, game.catalogue, game.animations, game.scene};
  const LevelRecord& level = game.world.level;
  BindMeshStream(d, game.store);
  DrawSky(sc, game.camera.eye, 0, nowMs, SkyDepth::Over);
  DrawSky(sc, game.camera.eye, 1, nowMs, SkyDepth::Over);
  d.SetRenderState(RenderState::Lighting, 1);
  d.SetSamplerState(0, SamplerState::MipFilter, TextureFilter::Linear);
  SetPointLight(d, 0, game.cursor.pointX, game.cursor.pointZ, 100, 0.65f, 5000);
  SetPointLight(d, 1, 0, 500, 500, 1.0f, 5000);
  SetLinearFog(d, 1000, 10000, 0x00B1D0E8);
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Texture));
  d.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
  d.SetMaterial(game.catalogue.defaultMaterial);
  DrawSwitches(sc, level);
  DrawGates(sc, level);
  DrawHoles(sc, level);
  DrawBall(sc, game.world.ball);
  DrawBricks(sc, level);
  DrawValves(sc, level);
  DrawMovableBricks(sc, level, game.world.play.slide);
  DrawStaticMesh(sc, game.levelMeshRecord, 0, 0, 0, 1.0f);
  d.SetRenderState(RenderState::AlphaBlendEnable, 1);
  d.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::Modulate);
  d.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
  d.SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Diffuse);
  d.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  d.SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  if (game.screen.gameState == GameState::Playing)
    DrawPlacementMarker(sc, level, game.cursor.row, game.cursor.col, game.cursor.placeKind);
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  DrawReflectors(sc, level);
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Spheremap));
  d.SetTextureStageState(0, TextureStageState::TexCoordIndex, TexCoordIndex::SphereMap);
  d.SetRenderState(RenderState::AlphaBlendEnable, 1);
  d.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::SelectArg1);
  d.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Diffuse);
  d.SetRenderState(RenderState::SrcBlend, Blend::One);
  d.SetRenderState(RenderState::DestBlend, Blend::One);
  DrawTeleports(sc, level);
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  DrawStones(sc, level);
  DrawBonuses(sc, level);
  d.SetTextureStageState(0, TextureStageState::TexCoordIndex, TexCoordIndex::PassThru);
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Sun));
  const float ix = 25.0f * static_cast<float>(level.rows), iz = 25.0f * static_cast<float>(level.cols);
  DrawStaticMesh(sc, game.catalogue.Mesh(MeshKey::Island1), ix, -150, iz, 1.0f);
  PreviousIslandBlend(d);
  DrawStaticMesh(sc, game.catalogue.Mesh(MeshKey::Island2), ix, -150, iz, 1.0f);
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  d.SetRenderState(RenderState::FogEnable, 0);
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Particle));
  DrawParticles(game.particles, d, game.camera.view, true);
}

void PreviousMenuBackground(const Game& game, uint32_t nowMs) {
  GraphicsDevice& d = *Device(game);
  SceneContext sc{d, game.store, game.catalogue, game.animations, game.scene};
  SetPointLight(d, 0, 0, 0, 500, 1.0f, 50000);
  d.LightEnable(1, false);
  BindMeshStream(d, game.store);
  DrawSky(sc, game.camera.eye, 0, nowMs, SkyDepth::Over);
  SetLinearFog(d, 1000, 25000, 0x00B1D0E8);
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Sun));
  const double t = static_cast<double>(nowMs) * 0.0001;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) PreviousIslandBlend(d);
    for (int k = 0; k < 10; ++k)
      DrawStaticMesh(sc, game.catalogue.Mesh(pass == 0 ? MeshKey::Island1 : MeshKey::Island2),
                     static_cast<float>(6000 * std::sin(t + k * 0.5)),
                     static_cast<float>(-2000 - 500 * std::sin(t + 2.0 * k)),
                     static_cast<float>(6000 * std::cos(t + k * 0.5)),
                     static_cast<float>(std::sin(static_cast<double>(k)) + 1.2));
  }
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  d.SetRenderState(RenderState::FogEnable, 0);
  DrawSky(sc, game.camera.eye, 1, nowMs, SkyDepth::Over);
}

// --- the comparison ----------------------------------------------------------

using SceneDraw = std::function<void(const Game&, uint32_t)>;

// The scene alone, after a whole frame has left its states behind as the
// main loop does.
std::vector<uint32_t> SceneFrame(GameOnDevice& env, const std::function<void()>& wholeFrame,
                                 const SceneDraw& scene, uint32_t nowMs) {
  wholeFrame();
  GlDevice& d = *env.Gl();
  ApplyCamera(env.game->camera, d);
  d.Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF000000, 1.0f, 0);
  d.BeginScene();
  scene(*env.game, nowMs);
  d.EndScene();
  return d.ReadPixels(0, 0, 800, 600);
}

// The share of pixels whose channels all lie within 4 levels of each other.
double AgreeingShare(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  size_t same = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
      worst = std::max(worst, std::abs(static_cast<int>((a[i] >> shift) & 0xFF) -
                                       static_cast<int>((b[i] >> shift) & 0xFF)));
    same += worst <= 4;
  }
  return a.empty() ? 0 : static_cast<double>(same) / static_cast<double>(a.size());
}

// A 20 x 20 level with a wall ring and every kind of element inside, as in the
// play-frame benchmark, with a full pool of particles over it.
void EveryElementLevel(Game& game) {
  LevelRecord& level = game.world.level;
  level.rows = level.cols = 20;
  const int32_t kinds[] = {Stone, ReflectorMain, ReflectorAnti, Brick, Hole,  Gate,  Switch, Floor,
                           Valve, MovableBrick,  Teleport,      Bonus, Floor, Floor, Floor};
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 20; ++c) {
      GridCell cell;
      const bool ring = r == 0 || c == 0 || r == 19 || c == 19;
      cell.kind = ring ? Wall : kinds[(r * 7 + c * 3) % std::size(kinds)];
      if (cell.kind == ReflectorAnti || cell.kind == ReflectorMain) cell.count = 3;
      level.cells[r][c] = cell;
    }
  level.cells[1][1].kind = Start;
  GameplayContext ctx = Gameplay(game);
  PrepareLoadedLevel(game.world, ctx);
  for (int i = 0; i < 80; ++i)
    EmitBurst(game.particles, static_cast<ParticleTemplate>(i % 5), CellCentre(1 + i % 18, 1 + (i * 7) % 18),
              {0, 1, 0}, 1, 5);
}

TEST(DrawOrderGl, PlayAndMenuFramesMatchThePreviousOrder) {
  GameOnDevice env{true};
  ASSERT_TRUE(env.ready) << "no display or device (run under Xvfb)";
  ASSERT_TRUE(env.Start(1));
  Game& game = *env.game;
  game.screen.gameState = GameState::Playing;
  auto home = [&] {
    SetCameraNow(game.camera, game.world.level.homeEye, game.world.level.homeTarget, 45);
    game.world.play.introFrames = 300;
    UpdatePlayScreen(game, {123440, 400, 300});  // the camera's matrices
  };
  auto play = [&] { DrawPlayScreen(game, {123456, 400, 300}); };
  auto menu = [&] { DrawMenus(game, {123456, 400, 300}); };
  const struct {
    std::string what;
    std::function<void()> setUp, wholeFrame;
    SceneDraw now, before;
    uint32_t nowMs;
  } frames[] = {
      {"level 1 at its home view", home, play, DrawPlayScene, PreviousPlayScene, 123456},
      {"every element, 400 particles", [&] { EveryElementLevel(game), home(); }, play, DrawPlayScene,
       PreviousPlayScene, 98765},
      {"main menu, the camera settled over the islands",
       [&] {
         game.screen.gameState = GameState::MainMenu;
         for (uint32_t t = 15200; t <= 20000; t += kTickMs) UpdateMenus(game, {t, 400, 300});
       },
       menu, DrawMenuBackground, PreviousMenuBackground, 20000},
  };
  for (const auto& f : frames) {
    f.setUp();
    const std::vector<uint32_t> now = SceneFrame(env, f.wholeFrame, f.now, f.nowMs);
    const std::vector<uint32_t> before = SceneFrame(env, f.wholeFrame, f.before, f.nowMs);
    size_t lit = 0;
    for (uint32_t p : now) lit += (p & 0xFFFFFF) != 0;
    EXPECT_GT(lit, now.size() * 9 / 10) << f.what << ": the sky fills what the scene leaves free";
    // Nearly every pixel agrees today; a rock drawn from the wrong side
    // changes less than one in a hundred.
    EXPECT_GE(AgreeingShare(now, before), 0.999) << f.what;
  }
}

}  // namespace
}  // namespace nb
