#include "render/scene_passes.h"

#include <algorithm>

#include "core/keyframe_curve.h"

namespace nb {

namespace {

using TSS = TextureStageState;

void ColourOp(GraphicsDevice& d, uint32_t op, uint32_t arg1, uint32_t arg2) {
  d.SetTextureStageState(0, TSS::ColorOp, op);
  d.SetTextureStageState(0, TSS::ColorArg1, arg1);
  d.SetTextureStageState(0, TSS::ColorArg2, arg2);
}

void ModulateTextureDiffuse(GraphicsDevice& d) {
  ColourOp(d, TextureOp::Modulate, TextureArg::Texture, TextureArg::Diffuse);
}

// The used grid, never past the cell table.
int RowsOf(const LevelRecord& level) { return std::clamp(level.rows, 0, kGridSize); }
int ColsOf(const LevelRecord& level) { return std::clamp(level.cols, 0, kGridSize); }

Matrix CellTranslation(int row, int col) {
  return MatrixTranslation(static_cast<float>(kCellSize * row), 0.0f, static_cast<float>(kCellSize * col));
}

void DrawKey(SceneContext& sc, MeshKey key) { DrawMesh(sc.device, sc.store, sc.catalogue.Mesh(key)); }

// The `bonus` curve's pulse of a cell: phase row x col x 8 plus the counter, in 8 bits.
float CellPulse(const SceneContext& sc, int row, int col, uint8_t counter) {
  const uint8_t t = static_cast<uint8_t>(row * col * 8 + counter);
  return EvaluateCurve(sc.animations.bonus, static_cast<float>(t));
}

// Two sheets of the grid mesh, blended over what is drawn; they leave fog
// and blending off.
void DrawCloudSheets(SceneContext& sc, const Matrix& turn) {
  GraphicsDevice& d = sc.device;
  // Distant cloud sheets fade to black, and so add nothing to the sky.
  SetLinearFog(d, 5000, 7000, 0x00000000);
  ModulateTextureDiffuse(d);
  const float v = EvaluateCurve(sc.animations.clouds, static_cast<float>(sc.scene.cloudCounter));
  d.SetTransform(TransformState::Texture0, TextureOffset(0, -v));
  d.SetTextureStageState(0, TSS::TextureTransformFlags, TextureTransform::Count2);
  d.SetMaterial(sc.catalogue.defaultMaterial);
  d.SetRenderState(RenderState::AlphaBlendEnable, 1);
  d.SetRenderState(RenderState::SrcBlend, Blend::One);
  d.SetRenderState(RenderState::DestBlend, Blend::InvSrcColor);
  d.SetRenderState(RenderState::CullMode, Cull::CCW);
  // The cloud texture is opaque grey: an alpha test would reject nothing.
  d.SetRenderState(RenderState::AlphaTestEnable, 0);
  d.SetTexture(0, sc.catalogue.Texture(TextureKey::Clouds));
  const Matrix sheet = MatrixMultiply(MatrixScaling(50, 50, 50), turn);
  d.SetTransform(TransformState::World, MatrixMultiply(sheet, MatrixTranslation(350, -300, 350)));
  DrawKey(sc, MeshKey::Grid);
  d.SetRenderState(RenderState::CullMode, Cull::None);
  d.SetTransform(TransformState::World, MatrixMultiply(sheet, MatrixTranslation(-350, 350, 850)));
  DrawKey(sc, MeshKey::Grid);
  d.SetTextureStageState(0, TSS::TextureTransformFlags, TextureTransform::Disable);
  d.SetRenderState(RenderState::AlphaBlendEnable, 0);
  d.SetRenderState(RenderState::FogEnable, 0);
}

}  // namespace

Matrix AtFarDepth(const Matrix& projection) {
  Matrix m = projection;
  for (auto& row : m.m) row[2] = row[3];
  return m;
}

Matrix TextureOffset(float u, float v) {
  Matrix m;
  m.m[2][0] = u;
  m.m[2][1] = v;
  return m;
}

void SetPointLight(GraphicsDevice& device, uint32_t index, float x, float z, float height, float intensity,
                   float range) {
  Light light;
  light.type = LightType::Point;
  light.diffuse = {intensity, intensity, intensity, intensity};
  light.specular = {0, 0, 0, 0};
  light.ambient = {0.35f, 0.35f, 0.35f, 0.35f};
  light.position = {x, height, z};
  light.direction = {0, 0, 0};
  light.range = range;
  light.falloff = 0.5f;
  light.attenuation0 = 1.25f;
  light.attenuation1 = 0;
  light.attenuation2 = 0;
  light.theta = 0;
  light.phi = 0;
  device.SetLight(index, light);
  device.LightEnable(index, true);
}

void SetLinearFog(GraphicsDevice& device, float start, float end, uint32_t colour) {
  device.SetRenderState(RenderState::FogStart, FloatBits(start));
  device.SetRenderState(RenderState::FogEnd, FloatBits(end));
  device.SetRenderState(RenderState::FogVertexMode, FogMode::Linear);
  device.SetRenderState(RenderState::RangeFogEnable, 1);
  device.SetRenderState(RenderState::FogColor, colour);
  device.SetRenderState(RenderState::FogEnable, 1);
}

void DrawSky(SceneContext& sc, const Vec3& eye, int layer, uint32_t nowMs, SkyDepth depth) {
  GraphicsDevice& d = sc.device;
  const float a = static_cast<float>(nowMs) * 0.000017361112f;
  const Matrix turn = MatrixRotationY(a);
  d.SetTransform(TransformState::World, MatrixMultiply(turn, MatrixTranslation(eye.x, eye.y, eye.z)));
  const bool behind = depth == SkyDepth::Behind;
  Matrix projection;
  d.GetTransform(TransformState::Projection, &projection);
  const uint32_t alphaTest = d.GetRenderState(RenderState::AlphaTestEnable);
  const uint32_t fog = d.GetRenderState(RenderState::FogEnable);
  if (behind) {
    // The far depth passes the depth test only where the depth buffer is
    // still clear. The sky's alpha is 1, so the alpha test rejects nothing,
    // but with it on the driver would shade before testing depth.
    d.SetTransform(TransformState::Projection, AtFarDepth(projection));
    d.SetRenderState(RenderState::ZFunc, Cmp::LessEqual);
    d.SetRenderState(RenderState::AlphaTestEnable, 0);
  }
  d.SetRenderState(RenderState::ZEnable, behind ? 1 : 0);
  d.SetRenderState(RenderState::ZWriteEnable, 0);
  d.SetRenderState(RenderState::CullMode, Cull::CCW);
  d.SetRenderState(RenderState::Lighting, 0);
  // The sky and the clouds are sampled from their top level alone.
  d.SetSamplerState(0, SamplerState::MipFilter, TextureFilter::None);
  // The sky box's coordinates stay half a texel inside its faces, where
  // clamping reads what mirroring did; the driver filters clamped and
  // wrapped textures on a much quicker path.
  d.SetSamplerState(0, SamplerState::AddressU, TextureAddress::Clamp);
  d.SetSamplerState(0, SamplerState::AddressV, TextureAddress::Clamp);
  d.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Linear);
  d.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
  ColourOp(d, TextureOp::SelectArg1, TextureArg::Texture, TextureArg::Diffuse);
  if (layer == 0) {
    d.SetRenderState(RenderState::FogEnable, 0);
    d.SetTexture(0, sc.catalogue.Texture(TextureKey::Skybox));
    DrawKey(sc, MeshKey::Skybox);
    d.SetRenderState(RenderState::FogEnable, fog);
  }
  d.SetSamplerState(0, SamplerState::AddressU, TextureAddress::Wrap);
  d.SetSamplerState(0, SamplerState::AddressV, TextureAddress::Wrap);
  if (layer == 1) DrawCloudSheets(sc, turn);
  d.SetTransform(TransformState::Projection, projection);
  d.SetRenderState(RenderState::AlphaTestEnable, alphaTest);
  d.SetRenderState(RenderState::ZEnable, 1);
  d.SetRenderState(RenderState::ZWriteEnable, 1);
}

void DrawStaticMesh(SceneContext& sc, int record, float x, float y, float z, float scale, uint32_t cull,
                    uint32_t firstFace) {
  GraphicsDevice& d = sc.device;
  d.SetTransform(TransformState::World,
                 MatrixMultiply(MatrixScaling(scale, scale, scale), MatrixTranslation(x, y, z)));
  d.SetRenderState(RenderState::Lighting, 1);
  ModulateTextureDiffuse(d);
  d.SetRenderState(RenderState::CullMode, cull);
  d.SetMaterial(sc.catalogue.defaultMaterial);
  DrawMeshFaces(d, sc.store, record, firstFace);
}

void DrawSwitches(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      const GridCell& cell = level.cells[r][c];
      if (cell.kind != Switch) continue;
      d.SetTransform(TransformState::World, CellTranslation(r, c));
      d.SetTransform(TransformState::Texture0, TextureOffset(cell.state == 0 ? 0.0f : 0.125f, 0.125f));
      d.SetTextureStageState(0, TSS::TextureTransformFlags, TextureTransform::Count2);
      DrawKey(sc, MeshKey::Pol);
    }
  d.SetTextureStageState(0, TSS::TextureTransformFlags, TextureTransform::Disable);
  d.SetTransform(TransformState::World, Matrix{});
}

void DrawGates(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  d.SetRenderState(RenderState::Lighting, 1);
  d.SetMaterial(sc.catalogue.defaultMaterial);
  ModulateTextureDiffuse(d);
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      const GridCell& cell = level.cells[r][c];
      if (cell.kind != Gate) continue;
      const Matrix lowered = EvaluateRigTrack(sc.scene.rig, kRigGateTrack, cell.value);
      d.SetTransform(TransformState::World, MatrixMultiply(lowered, CellTranslation(r, c)));
      DrawKey(sc, MeshKey::Wall);
    }
  d.SetTransform(TransformState::World, Matrix{});
}

void DrawHoles(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  Matrix previous;
  d.GetTransform(TransformState::World, &previous);
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      if (level.cells[r][c].kind != Hole) continue;
      d.SetTransform(TransformState::World, CellTranslation(r, c));
      DrawKey(sc, MeshKey::Hole);
    }
  d.SetTransform(TransformState::World, previous);
}

void DrawBall(SceneContext& sc, const BallState& ball) {
  GraphicsDevice& d = sc.device;
  d.SetTransform(TransformState::World, ball.world);
  ColourOp(d, TextureOp::Modulate, TextureArg::Texture, TextureArg::Current);
  DrawKey(sc, MeshKey::Sphere);
}

void DrawBricks(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  d.SetMaterial(sc.catalogue.defaultMaterial);
  bool shifted = false;
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      const GridCell& cell = level.cells[r][c];
      if (cell.kind != Brick || cell.state >= 3) continue;
      d.SetTransform(TransformState::World, CellTranslation(r, c));
      d.SetTransform(TransformState::Texture0, TextureOffset(0.125f * static_cast<float>(cell.state), 0));
      d.SetTextureStageState(0, TSS::TextureTransformFlags, TextureTransform::Count2);
      shifted = true;
      DrawKey(sc, MeshKey::Brick);
    }
  // The atlas shift is for the bricks alone.
  if (shifted) d.SetTextureStageState(0, TSS::TextureTransformFlags, TextureTransform::Disable);
}

void DrawValves(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  d.SetMaterial(sc.catalogue.defaultMaterial);
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      const GridCell& cell = level.cells[r][c];
      if (cell.kind != Valve) continue;
      const float angle = 90.0f * static_cast<float>(cell.state) / 57.2f;
      d.SetTransform(TransformState::World, MatrixMultiply(MatrixRotationY(angle), CellTranslation(r, c)));
      DrawKey(sc, MeshKey::Klapan);
    }
}

void DrawMovableBricks(SceneContext& sc, const LevelRecord& level, const SlidingBrick& slide) {
  GraphicsDevice& d = sc.device;
  d.SetMaterial(sc.catalogue.defaultMaterial);
  if (slide.sliding) {
    d.SetTransform(TransformState::World, MatrixTranslation(slide.rowPos, 0, slide.colPos));
    DrawKey(sc, MeshKey::Mbrick);
  }
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      if (level.cells[r][c].kind != MovableBrick) continue;
      d.SetTransform(TransformState::World, CellTranslation(r, c));
      DrawKey(sc, MeshKey::Mbrick);
    }
}

void DrawPlacementMarker(SceneContext& sc, const LevelRecord& level, int row, int col, int placeKind) {
  GraphicsDevice& d = sc.device;
  d.SetTransform(TransformState::Texture0, TextureOffset(placeKind == ReflectorAnti ? 0.625f : 0.75f, 0));
  d.SetTextureStageState(0, TSS::TextureTransformFlags, TextureTransform::Count2);
  d.SetRenderState(RenderState::ZEnable, 0);
  d.SetMaterial(sc.catalogue.defaultMaterial);
  if (InsideGrid(level, row, col)) {
    const int kind = level.cells[row][col].kind;
    const bool open = kind == Floor || kind == Start || kind == ReflectorAnti || kind == ReflectorMain;
    const bool onPickup = kind == Stone || kind == Bonus;
    if (onPickup) d.SetMaterial(sc.catalogue.food);
    if (open || onPickup) {
      d.SetTransform(TransformState::World, MatrixTranslation(static_cast<float>(kCellSize * row), 1.0f,
                                                              static_cast<float>(kCellSize * col)));
      DrawKey(sc, MeshKey::Pol);
    }
  }
  d.SetRenderState(RenderState::ZEnable, 1);
  d.SetTextureStageState(0, TSS::TextureTransformFlags, TextureTransform::Disable);
}

void DrawReflectors(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      const GridCell& cell = level.cells[r][c];
      if (cell.kind != ReflectorAnti && cell.kind != ReflectorMain) continue;
      const Matrix shape = EvaluateRigTrack(sc.scene.rig, kRigReflectorTrack, cell.value);
      d.SetTransform(TransformState::World, MatrixMultiply(MatrixMultiply(shape, MatrixRotationY(-0.78125f)),
                                                           CellTranslation(r, c)));
      ModulateTextureDiffuse(d);
      d.SetRenderState(RenderState::AlphaBlendEnable, 1);
      d.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
      d.SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
      d.SetTextureStageState(0, TSS::AlphaOp, TextureOp::Modulate);
      d.SetTextureStageState(0, TSS::AlphaArg1, TextureArg::Texture);
      d.SetTextureStageState(0, TSS::AlphaArg2, TextureArg::Diffuse);
      d.SetRenderState(RenderState::ColorVertex, 1);
      d.SetRenderState(RenderState::DiffuseMaterialSource, MaterialSource::Material);
      d.SetRenderState(RenderState::FillMode, Fill::Solid);
      d.SetRenderState(RenderState::CullMode, Cull::None);
      const float alpha = static_cast<float>(cell.count + 1) / 6.0f;
      Material m;
      m.diffuse = {1, 1, 1, alpha};
      m.ambient = {1, 1, 1, alpha};
      d.SetMaterial(m);
      DrawKey(sc, MeshKey::A);
      d.SetRenderState(RenderState::AlphaBlendEnable, 0);
    }
}

void DrawTeleports(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  const uint8_t counter = sc.scene.teleportCounter;
  d.SetRenderState(RenderState::CullMode, Cull::CCW);
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      if (level.cells[r][c].kind != Teleport) continue;
      const float s = CellPulse(sc, r, c, counter);
      d.SetTransform(TransformState::World, MatrixMultiply(MatrixScaling(s, s, s), CellTranslation(r, c)));
      DrawKey(sc, MeshKey::Teleport);
    }
}

void DrawStones(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  const uint8_t counter = sc.scene.stoneCounter;
  const Matrix spin = MatrixRotationY(EvaluateCurve(sc.animations.rotation, counter));
  ColourOp(d, TextureOp::AddSigned, TextureArg::Texture, TextureArg::Diffuse);
  d.SetRenderState(RenderState::CullMode, Cull::CCW);
  d.SetMaterial(sc.catalogue.food);
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      if (level.cells[r][c].kind != Stone) continue;
      const float s = CellPulse(sc, r, c, counter);
      d.SetTransform(TransformState::World,
                     MatrixMultiply(MatrixMultiply(spin, MatrixScaling(s, s, s)), CellTranslation(r, c)));
      DrawKey(sc, MeshKey::Food);
    }
}

void DrawBonuses(SceneContext& sc, const LevelRecord& level) {
  GraphicsDevice& d = sc.device;
  const uint8_t counter = sc.scene.bonusCounter;
  const Matrix spin = MatrixRotationY(EvaluateCurve(sc.animations.rotation, counter));
  d.SetMaterial(sc.catalogue.bonus);
  ColourOp(d, TextureOp::Add, TextureArg::Texture, TextureArg::Diffuse);
  d.SetRenderState(RenderState::CullMode, Cull::CCW);
  for (int r = 0; r < RowsOf(level); ++r)
    for (int c = 0; c < ColsOf(level); ++c) {
      const GridCell& cell = level.cells[r][c];
      if (cell.kind != Bonus) continue;
      MeshKey mesh = MeshKey::Bonus;
      switch (cell.state) {
        case BonusTime: mesh = MeshKey::Time; break;
        case BonusSpeed: mesh = MeshKey::Speed; break;
        case BonusTurnAround: mesh = MeshKey::Razvorot; break;
        case BonusLife: mesh = MeshKey::Life; break;
        default: break;
      }
      const float s = CellPulse(sc, r, c, counter);
      const Matrix at = MatrixTranslation(static_cast<float>(kCellSize * r), static_cast<float>(cell.value),
                                          static_cast<float>(kCellSize * c));
      d.SetTransform(TransformState::World, MatrixMultiply(MatrixMultiply(spin, MatrixScaling(s, s, s)), at));
      DrawKey(sc, mesh);
    }
}

}  // namespace nb
