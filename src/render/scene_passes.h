#pragma once
#include <cstdint>

#include "core/animation_file.h"
#include "gameplay/ball_state.h"
#include "gameplay/level_play_state.h"
#include "gameplay/level_record.h"
#include "platform/graphics_device.h"
#include "render/geometry_store.h"
#include "render/resource_catalogue.h"
#include "render/scene_state.h"

namespace nb {

// What every pass draws with; the passes only read the game.
struct SceneContext {
  GraphicsDevice& device;
  const GeometryStore& store;
  const ResourceCatalogue& catalogue;
  const AnimationSet& animations;
  const SceneState& scene;
};

// A point light at (x, height, z): the second and third arguments are the
// ground position, the fourth the height.
void SetPointLight(GraphicsDevice& device, uint32_t index, float x, float z, float height, float intensity,
                   float range);
void SetLinearFog(GraphicsDevice& device, float start, float end, uint32_t colour);

// Layer 0 the sky box, layer 1 the two cloud layers; both turn slowly with
// the clock (nowMs) and stay centred on the eye. Over: drawn first, without
// depth, for the scene to cover. Behind: drawn after the opaque scene at the
// far depth, so only the pixels it left free are shaded (same picture, as
// long as nothing blended has been drawn yet). Neither writes depth.
enum class SkyDepth { Over, Behind };
void DrawSky(SceneContext& sc, const Vec3& eye, int layer, uint32_t nowMs, SkyDepth depth);
// The projection that puts every point at the far depth (z = w).
Matrix AtFarDepth(const Matrix& projection);
// Scaled and placed at (x, y, z), lit, both sides drawn unless `cull` says;
// its faces from `firstFace` on.
void DrawStaticMesh(SceneContext& sc, int record, float x, float y, float z, float scale,
                    uint32_t cull = Cull::None, uint32_t firstFace = 0);

// The element passes; each visits the used grid row by row.
void DrawSwitches(SceneContext& sc, const LevelRecord& level);
void DrawGates(SceneContext& sc, const LevelRecord& level);
void DrawHoles(SceneContext& sc, const LevelRecord& level);
void DrawBall(SceneContext& sc, const BallState& ball);
void DrawBricks(SceneContext& sc, const LevelRecord& level);
void DrawValves(SceneContext& sc, const LevelRecord& level);
void DrawMovableBricks(SceneContext& sc, const LevelRecord& level, const SlidingBrick& slide);
void DrawPlacementMarker(SceneContext& sc, const LevelRecord& level, int row, int col, int placeKind);
void DrawReflectors(SceneContext& sc, const LevelRecord& level);
void DrawTeleports(SceneContext& sc, const LevelRecord& level);
void DrawStones(SceneContext& sc, const LevelRecord& level);
void DrawBonuses(SceneContext& sc, const LevelRecord& level);

// A 2-D texture translation as the fixed-function stage reads it (third row).
Matrix TextureOffset(float u, float v);

}  // namespace nb
