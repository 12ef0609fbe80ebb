#include "shell/screens/scene.h"

#include <cmath>

#include "render/scene_passes.h"
#include "shell/game.h"

namespace nb {

namespace {

constexpr uint32_t kSkyFogColour = 0x00B1D0E8;

SceneContext ContextOf(const Game& game, GraphicsDevice& device) {
  return SceneContext{device, game.store, game.catalogue, game.animations, game.scene};
}

// The island blending: texture alpha, cut below 8 so the fringe leaves no halo.
void IslandBlendStates(GraphicsDevice& d) {
  d.SetRenderState(RenderState::AlphaBlendEnable, 1);
  d.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::SelectArg1);
  d.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
  d.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  d.SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  d.SetRenderState(RenderState::AlphaTestEnable, 1);
  d.SetRenderState(RenderState::AlphaRef, 8);
  d.SetRenderState(RenderState::AlphaFunc, Cmp::GreaterEqual);
}

// Depth, linear filtering, a light that follows the mouse over the floor and
// a fixed one, the fog, and the atlas lit by the default material; no
// culling, wrapped coordinates and no blending, as the sky passes leave them.
void PlaySceneStates(const Game& game, GraphicsDevice& d) {
  d.SetRenderState(RenderState::Lighting, 1);
  d.SetRenderState(RenderState::ZEnable, 1);
  d.SetRenderState(RenderState::ZWriteEnable, 1);
  d.SetRenderState(RenderState::CullMode, Cull::None);
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  d.SetTextureStageState(0, TextureStageState::TextureTransformFlags, TextureTransform::Disable);
  d.SetSamplerState(0, SamplerState::AddressU, TextureAddress::Wrap);
  d.SetSamplerState(0, SamplerState::AddressV, TextureAddress::Wrap);
  d.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Linear);
  d.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
  d.SetSamplerState(0, SamplerState::MipFilter, TextureFilter::Linear);

  SetPointLight(d, 0, game.cursor.pointX, game.cursor.pointZ, 100, 0.65f, 5000);
  SetPointLight(d, 1, 0, 500, 500, 1.0f, 5000);
  SetLinearFog(d, 1000, 10000, kSkyFogColour);

  d.SetTexture(0, game.catalogue.Texture(TextureKey::Texture));
  d.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
  d.SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
  d.SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse);
  d.SetMaterial(game.catalogue.defaultMaterial);
}

// The grid's opaque elements in the atlas and the level mesh.
void DrawOpaqueGridElements(const Game& game, SceneContext& sc) {
  const World& w = game.world;
  const LevelRecord& level = w.level;
  DrawSwitches(sc, level);
  DrawGates(sc, level);
  DrawHoles(sc, level);
  DrawBall(sc, w.ball);
  DrawBricks(sc, level);
  DrawValves(sc, level);
  DrawMovableBricks(sc, level, w.play.slide);
  DrawStaticMesh(sc, game.levelMeshRecord, 0, 0, 0, 1.0f);
}

// The placement marker (GameState 1 only) and the Reflectors, blended.
void DrawBlendedGridElements(const Game& game, SceneContext& sc) {
  GraphicsDevice& d = sc.device;
  const LevelRecord& level = game.world.level;
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
}

// Teleports glow additively with the reflection texture; stones and bonuses
// keep it.
void DrawReflectingElements(const Game& game, SceneContext& sc) {
  GraphicsDevice& d = sc.device;
  const LevelRecord& level = game.world.level;
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
}

Vec3 IslandPlace(const LevelRecord& level) {
  return {25.0f * static_cast<float>(level.rows), -150, 25.0f * static_cast<float>(level.cols)};
}

// The island's solid body under the grid. Its alpha is the lit material's
// (one half), which no alpha test of the game rejects, so the test is off
// and the driver can skip what the level hides.
void DrawIslandBody(const Game& game, SceneContext& sc) {
  GraphicsDevice& d = sc.device;
  const uint32_t alphaTest = d.GetRenderState(RenderState::AlphaTestEnable);
  d.SetRenderState(RenderState::AlphaTestEnable, 0);
  d.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::SelectArg1);
  d.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Diffuse);
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Sun));
  const Vec3 at = IslandPlace(game.world.level);
  DrawStaticMesh(sc, game.catalogue.Mesh(MeshKey::Island1), at.x, at.y, at.z, 1.0f, Cull::CCW);
  d.SetRenderState(RenderState::AlphaTestEnable, alphaTest);
}

// The island's blended fringe, then the particles, drawn additively. Nothing
// after the fringe reads depth, so it writes none; without the alpha test
// (which only held back texels of alpha under 8, each worth less than 8
// levels) the driver tests depth first and skips what the level hides.
void DrawIslandFringeAndParticles(const Game& game, SceneContext& sc) {
  GraphicsDevice& d = sc.device;
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Sun));
  IslandBlendStates(d);
  const Vec3 at = IslandPlace(game.world.level);
  d.SetRenderState(RenderState::ZWriteEnable, 0);
  d.SetRenderState(RenderState::AlphaTestEnable, 0);
  DrawStaticMesh(sc, game.catalogue.Mesh(MeshKey::Island2), at.x, at.y, at.z, 1.0f);
  d.SetRenderState(RenderState::AlphaTestEnable, 1);
  d.SetRenderState(RenderState::ZWriteEnable, 1);
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  d.SetRenderState(RenderState::FogEnable, 0);

  d.SetTexture(0, game.catalogue.Texture(TextureKey::Particle));
  DrawParticles(game.particles, d, game.camera.view, true);
}

// Ten islands circling far below the menus.
struct MenuIsland {
  float x, y, z, scale;
};
using MenuIslands = MenuIsland[10];

void PlaceMenuIslands(uint32_t nowMs, MenuIslands& places) {
  const double t = static_cast<double>(nowMs) * 0.0001;
  for (int k = 0; k < 10; ++k) {
    places[k] = {static_cast<float>(6000 * std::sin(t + k * 0.5)),
                 static_cast<float>(-2000 - 500 * std::sin(t + 2.0 * k)),
                 static_cast<float>(6000 * std::cos(t + k * 0.5)),
                 static_cast<float>(std::sin(static_cast<double>(k)) + 1.2)};
  }
}

// Everything of the islands that is opaque, before the sky: first the
// grass caps' fully opaque texels (the alpha test keeps only those), then
// the rock, whose texels are opaque: without the alpha test the driver
// tests depth before shading. The rock is open at the top, under the cap;
// its back faces lie behind a front face or under the cap, so they need not
// be drawn.
void DrawMenuIslandsOpaque(const Game& game, SceneContext& sc, const MenuIslands& places) {
  GraphicsDevice& d = sc.device;
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  d.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::SelectArg1);
  d.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
  d.SetRenderState(RenderState::AlphaTestEnable, 1);
  d.SetRenderState(RenderState::AlphaRef, 255);
  d.SetRenderState(RenderState::AlphaFunc, Cmp::GreaterEqual);
  for (const MenuIsland& p : places)
    DrawStaticMesh(sc, game.catalogue.Mesh(MeshKey::Island2), p.x, p.y, p.z, p.scale);
  d.SetRenderState(RenderState::AlphaTestEnable, 0);
  for (const MenuIsland& p : places)
    DrawStaticMesh(sc, game.catalogue.Mesh(MeshKey::Island1), p.x, p.y, p.z, p.scale, Cull::CCW);
}

// The caps again, blended over the sky, for the blades' part-transparent
// texels alone: what the first pass drew lies at the same depth and fails
// the Less test (the alpha test, off, would prevent that). The faces that
// only ever show opaque grass were all drawn by the first pass and are left
// out; the driver would still walk every pixel they cover. Texels of alpha
// under 8, which the test used to hold back, change a pixel by less than 8
// levels; all opaque geometry is in the depth buffer already, so the caps
// need write no depth.
void DrawMenuIslandFringes(const Game& game, SceneContext& sc, const MenuIslands& places) {
  GraphicsDevice& d = sc.device;
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Sun));
  IslandBlendStates(d);
  d.SetRenderState(RenderState::AlphaTestEnable, 0);
  d.SetRenderState(RenderState::ZWriteEnable, 0);
  d.SetRenderState(RenderState::ZFunc, Cmp::Less);
  const int cap = game.catalogue.Mesh(MeshKey::Island2);
  const uint32_t opaque = cap < 0 ? 0 : game.store.records[cap].opaqueFaces;
  for (const MenuIsland& p : places) DrawStaticMesh(sc, cap, p.x, p.y, p.z, p.scale, Cull::None, opaque);
  d.SetRenderState(RenderState::ZFunc, Cmp::LessEqual);
  d.SetRenderState(RenderState::ZWriteEnable, 1);
  d.SetRenderState(RenderState::AlphaTestEnable, 1);
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  d.SetRenderState(RenderState::FogEnable, 0);
}

}  // namespace

// What is opaque first: the grid, the level and the island's body; then the
// sky and the clouds behind them, shading only the pixels left free; then
// everything blended, over the finished background.
void DrawPlayScene(const Game& game, uint32_t nowMs) {
  GraphicsDevice* device = Device(game);
  if (!device) return;
  SceneContext sc = ContextOf(game, *device);
  BindMeshStream(*device, game.store);
  PlaySceneStates(game, *device);
  DrawOpaqueGridElements(game, sc);
  DrawIslandBody(game, sc);
  DrawSky(sc, game.camera.eye, 0, nowMs, SkyDepth::Behind);
  DrawSky(sc, game.camera.eye, 1, nowMs, SkyDepth::Behind);
  PlaySceneStates(game, *device);
  DrawBlendedGridElements(game, sc);
  DrawReflectingElements(game, sc);
  DrawIslandFringeAndParticles(game, sc);
}

void DrawMenuBackground(const Game& game, uint32_t nowMs) {
  GraphicsDevice* device = Device(game);
  if (!device) return;
  GraphicsDevice& d = *device;
  SceneContext sc = ContextOf(game, d);
  // One light high above the centre; the playfield's second light is off.
  SetPointLight(d, 0, 0, 0, 500, 1.0f, 50000);
  d.LightEnable(1, false);
  BindMeshStream(d, game.store);
  d.SetRenderState(RenderState::ZEnable, 1);
  d.SetRenderState(RenderState::ZWriteEnable, 1);
  d.SetSamplerState(0, SamplerState::AddressU, TextureAddress::Wrap);
  d.SetSamplerState(0, SamplerState::AddressV, TextureAddress::Wrap);
  d.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Linear);
  d.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
  // The islands show their texture's top level, as they always did after the
  // sky, which leaves that filter: a chain built for play is not read here.
  d.SetSamplerState(0, SamplerState::MipFilter, TextureFilter::None);
  SetLinearFog(d, 1000, 25000, kSkyFogColour);
  d.SetTexture(0, game.catalogue.Texture(TextureKey::Sun));
  MenuIslands places;
  PlaceMenuIslands(nowMs, places);
  DrawMenuIslandsOpaque(game, sc, places);
  DrawSky(sc, game.camera.eye, 0, nowMs, SkyDepth::Behind);
  DrawMenuIslandFringes(game, sc, places);
  // The clouds pass in front of the islands.
  DrawSky(sc, game.camera.eye, 1, nowMs, SkyDepth::Over);
}

}  // namespace nb
