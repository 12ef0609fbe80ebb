#include "render/sprites.h"

#include <cstdio>
#include <cstring>

#include "platform/message_box.h"

namespace nb {
namespace {

constexpr uint32_t kStride2d = sizeof(VertexScreen);

bool SpriteExists(const GeometryStore& store, int j) {
  return j >= 0 && j < kSpriteRecordCount && static_cast<uint32_t>(j) < store.spriteCount &&
         store.records[kFirstSpriteRecord + j].indexBuffer;
}

bool WriteSpriteVertices(const GeometryStore& store, GraphicsDevice& device, uint32_t firstVertex,
                         const SpriteRect& rect) {
  VertexScreen vertices[4];
  MakeSpriteVertices(rect, vertices);
  void* data = nullptr;
  if (Failed(device.LockVertexBuffer(store.vertices2d, firstVertex * kStride2d, 4 * kStride2d, &data,
                                     LockFlags::None)))
    return false;
  std::memcpy(data, vertices, sizeof vertices);
  device.UnlockVertexBuffer(store.vertices2d);
  return true;
}

int RefuseSprite(const char* why) {
  ShowMessageBox(std::string("Could not create sprite: ") + why, "ERROR");
  return -1;
}

}  // namespace

void MakeSpriteVertices(const SpriteRect& r, VertexScreen out[4]) {
  out[0] = VertexScreen{r.x, r.y, 0, 1, r.color, r.u0, r.v0};
  out[1] = VertexScreen{r.x, r.y + r.h, 0, 1, r.color, r.u0, r.v1};
  out[2] = VertexScreen{r.x + r.w, r.y + r.h, 0, 1, r.color, r.u1, r.v1};
  out[3] = VertexScreen{r.x + r.w, r.y, 0, 1, r.color, r.u1, r.v0};
}

SpriteRect StartupSpriteRect(int id, int width, int height) {
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  switch (id) {
    case 0: return {50, 100, 115, 374, 0, 0, 0.112f, 0.365f, 0xFFFFFFFF};
    case 1: return {50, 100, 115, 374, 0.113f, 0, 0.224f, 0.365f, 0xFFFFFFFF};
    case 2: return {50, 100, 115, 374, 0.226f, 0, 0.338f, 0.365f, 0xFFFFFFFF};
    case 3: return {50, 100, 115, 374, 0.339f, 0, 0.452f, 0.365f, 0xFFFFFFFF};
    case 4: return {50, 100, 115, 374, 0.453f, 0, 0.565f, 0.365f, 0xFFFFFFFF};
    case 5: return {50, 100, 115, 374, 0.566f, 0, 0.678f, 0.365f, 0xFFFFFFFF};
    case SpriteFullScreen: return {0, 0, w, h, 0.219f, 0.411f, 1, 1, 0xFFFFFFFF};
    case SpritePanel: return {0, 0, 323, 73, 0.013f, 0.752f, 0.328f, 0.823f, 0xFFFFFFFF};
    case SpriteBottomStrip: return {0, 0.745f * h, w, 39, 0.003f, 0.278f, 0.257f, 0.314f, 0xFFFFFFFF};
    case SpriteTopStrip: return {0, 0, w, 39, 0.003f, 0.278f, 0.257f, 0.314f, 0xFFFFFFFF};
    case SpriteWholeTexture: return {0, 0, 512, 512, 0, 0, 1, 1, 0xFFFFFFFF};
    case SpriteFade: return {0, 0, w, h, 0, 0, 1, 1, 0xFF000000};
    case SpriteCursor: return {0, 0, 19, 33, 0.003f, 0.664f, 0.021f, 0.696f, 0xFF000000};
    case SpriteSliderBar: return {0, 0, 210, 16, 0, 0.7f, 0.205f, 0.714f, 0xFF000000};
    case SpriteSliderKnob: return {0, 0, 17, 30, 0.05f, 0.718f, 0.018f, 0.742f, 0xFF000000};
    case SpriteTinted: return {249, 251, 295, 111, 0.712f, 0.892f, 1, 1, 0xFF3E678A};
    default: return {};
  }
}

bool CreateStartupSprites(GeometryStore& store, GraphicsDevice& device, int width, int height) {
  bool all = true;
  for (int id = 0; id < StartupSpriteCount; ++id)
    if (CreateSprite(store, device, StartupSpriteRect(id, width, height)) != id) all = false;
  return all;
}

int CreateSprite(GeometryStore& store, GraphicsDevice& device, const SpriteRect& rect) {
  if (!store.vertices2d) return RefuseSprite("the geometry store does not exist");
  if (store.spriteCount >= kSpriteRecordCount) return RefuseSprite("all 64 sprites exist");
  if (store.vertexCount2d + 4 > store.capacity2d) return RefuseSprite("no room for vertices");
  static const uint16_t kIndices[6] = {3, 0, 1, 1, 2, 3};
  IndexBufferHandle ib;
  if (Failed(device.CreateIndexBuffer(sizeof kIndices, Usage::WriteOnly, IndexFormat::Index16, Pool::Managed,
                                      &ib)))
    return RefuseSprite("no index buffer");
  void* data = nullptr;
  if (Failed(device.LockIndexBuffer(ib, 0, sizeof kIndices, &data, LockFlags::None))) {
    device.ReleaseIndexBuffer(ib);
    return RefuseSprite("no index buffer");
  }
  std::memcpy(data, kIndices, sizeof kIndices);
  device.UnlockIndexBuffer(ib);
  if (!WriteSpriteVertices(store, device, store.vertexCount2d, rect)) {
    device.ReleaseIndexBuffer(ib);
    return RefuseSprite("the vertex buffer cannot be locked");
  }
  const int j = static_cast<int>(store.spriteCount);
  MeshRecord& record = store.records[kFirstSpriteRecord + j];
  record = MeshRecord{};
  record.firstVertex = store.vertexCount2d;
  record.indexBuffer = ib;
  record.vertexCount = 4;
  record.faceCount = 2;
  store.vertexCount2d += 4;
  store.primitiveTotal2d += 2;
  ++store.spriteCount;
  return j;
}

bool RefillSprite(const GeometryStore& store, GraphicsDevice& device, int j, const SpriteRect& rect) {
  if (!SpriteExists(store, j)) return false;
  return WriteSpriteVertices(store, device, store.records[kFirstSpriteRecord + j].firstVertex, rect);
}

void DrawSprite(GraphicsDevice& device, const GeometryStore& store, int j, bool blended) {
  if (!SpriteExists(store, j)) return;
  const MeshRecord& record = store.records[kFirstSpriteRecord + j];
  device.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
  device.SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
  device.SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse);
  if (blended) {
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
    device.SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
    device.SetTextureStageState(0, TextureStageState::TexCoordIndex, 0);
    device.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::Modulate);
    device.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
    device.SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Diffuse);
  }
  // Unfiltered so that atlas texels map one to one onto pixels.
  device.SetRenderState(RenderState::ZEnable, 0);
  device.SetRenderState(RenderState::Lighting, 0);
  device.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::None);
  device.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::None);
  device.SetSamplerState(0, SamplerState::MipFilter, TextureFilter::None);
  device.SetRenderState(RenderState::FillMode, Fill::Solid);
  device.SetRenderState(RenderState::CullMode, Cull::None);
  device.SetStreamSource(0, store.vertices2d, 0, kStride2d);
  device.SetFVF(kFvfScreen);
  device.SetIndices(record.indexBuffer);
  device.DrawIndexedPrimitive(PrimitiveType::TriangleList, static_cast<int32_t>(record.firstVertex), 0, 4, 0,
                              2);
  device.SetRenderState(RenderState::AlphaBlendEnable, 0);
}

void DrawFadeRect(GraphicsDevice& device, const GeometryStore& store, int alpha, float x, float y, float w,
                  float h) {
  if (alpha < 0) alpha = 0;
  if (alpha > 255) alpha = 255;
  device.SetRenderState(RenderState::ColorVertex, 0);
  device.SetRenderState(RenderState::DiffuseMaterialSource, MaterialSource::Material);
  device.SetTexture(0, TextureHandle{});
  RefillSprite(store, device, SpriteFade,
               SpriteRect{x, y, w, h, 0, 0, 1, 1, static_cast<uint32_t>(alpha) << 24});
  DrawSprite(device, store, SpriteFade, true);
}

void DrawMouseCursor(GraphicsDevice& device, const GeometryStore& store, int j, int pointerX, int pointerY) {
  RefillSprite(store, device, j,
               SpriteRect{static_cast<float>(pointerX), static_cast<float>(pointerY), 18, 33, 0.004f, 0.666f,
                          0.022f, 0.698f, 0xFFFFFFFF});
  DrawSprite(device, store, j, true);
}

}  // namespace nb
