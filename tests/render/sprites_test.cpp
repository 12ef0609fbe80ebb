#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "platform/recording_device.h"
#include "render/sprites.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

std::vector<VertexScreen> SpriteVertices(GraphicsDevice& device, const GeometryStore& store, int j) {
  std::vector<VertexScreen> out(4);
  void* data = nullptr;
  uint32_t first = store.records[kFirstSpriteRecord + j].firstVertex;
  EXPECT_TRUE(Succeeded(device.LockVertexBuffer(store.vertices2d, first * 28, 4 * 28, &data,
                                                LockFlags::ReadOnly)));
  if (data) std::memcpy(out.data(), data, 4 * 28);
  device.UnlockVertexBuffer(store.vertices2d);
  return out;
}

class SpritesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateGeometryStore(store, device));
    ASSERT_TRUE(CreateStartupSprites(store, device, 800, 600));
    device.ClearCalls();
  }
  std::string Id(VertexBufferHandle h) { return std::to_string(h.id); }
  std::string Id(IndexBufferHandle h) { return std::to_string(h.id); }

  RecordingDevice device;
  GeometryStore store;
};

TEST_F(SpritesTest, StartupTableFillsRecords64To79WithFourVerticesEach) {
  EXPECT_EQ(store.spriteCount, 16u);
  EXPECT_EQ(store.vertexCount2d, 64u);
  EXPECT_EQ(store.primitiveTotal2d, 32u);
  for (int j = 0; j < 16; ++j) {
    const MeshRecord& r = store.records[64 + j];
    EXPECT_EQ(std::tie(r.firstVertex, r.vertexCount, r.faceCount), std::make_tuple(4u * j, 4u, 2u)) << j;
    EXPECT_TRUE(r.indexBuffer);
  }
  // Corners top left, bottom left, bottom right, top right: the bottom strip
  // lies at 0.745 of the height, as wide as the screen.
  std::vector<VertexScreen> strip = SpriteVertices(device, store, SpriteBottomStrip);
  const float corners[4][2] = {{0, 447}, {0, 486}, {800, 486}, {800, 447}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(std::make_pair(strip[k].x, strip[k].y), std::make_pair(corners[k][0], corners[k][1])) << k;
    EXPECT_EQ(std::make_tuple(strip[k].z, strip[k].rhw), std::make_tuple(0.f, 1.f)) << k;
  }
  // The slider knob's texture rectangle runs right to left, so it shows mirrored.
  std::vector<VertexScreen> knob = SpriteVertices(device, store, SpriteSliderKnob);
  EXPECT_GT(knob[0].u, knob[2].u);
  EXPECT_EQ(knob[0].u, knob[1].u);
  EXPECT_EQ(SpriteVertices(device, store, SpriteTinted)[0].color, 0xFF3E678Au);
  // Each sprite's own index buffer: 3, 0, 1, 1, 2, 3.
  void* data = nullptr;
  ASSERT_TRUE(Succeeded(device.LockIndexBuffer(store.records[64 + 5].indexBuffer, 0, 0, &data, 0)));
  const uint16_t* indices = static_cast<const uint16_t*>(data);
  EXPECT_EQ(std::vector<uint16_t>(indices, indices + 6), (std::vector<uint16_t>{3, 0, 1, 1, 2, 3}));
  device.UnlockIndexBuffer(store.records[64 + 5].indexBuffer);
}

TEST_F(SpritesTest, DrawSpriteSetsTheExactStateSequenceBlendedAndNot) {
  const std::string vb = Id(store.vertices2d);
  const std::string ib = Id(store.records[64 + 7].indexBuffer);
  DrawSprite(device, store, SpritePanel, true);
  const std::vector<std::string> blended = {
      "SetTextureStageState(0, ColorOp, 4)",
      "SetTextureStageState(0, ColorArg1, 2)",
      "SetTextureStageState(0, ColorArg2, 0)",
      "SetRenderState(AlphaBlendEnable, 1)",
      "SetRenderState(SrcBlend, 5)",
      "SetRenderState(DestBlend, 6)",
      "SetTextureStageState(0, TexCoordIndex, 0)",
      "SetTextureStageState(0, AlphaOp, 4)",
      "SetTextureStageState(0, AlphaArg1, 2)",
      "SetTextureStageState(0, AlphaArg2, 0)",
      "SetRenderState(ZEnable, 0)",
      "SetRenderState(Lighting, 0)",
      "SetSamplerState(0, MinFilter, 0)",
      "SetSamplerState(0, MagFilter, 0)",
      "SetSamplerState(0, MipFilter, 0)",
      "SetRenderState(FillMode, 3)",
      "SetRenderState(CullMode, 1)",
      "SetStreamSource(0, " + vb + ", 0, 28)",
      "SetFVF(324)",
      "SetIndices(" + ib + ")",
      "DrawIndexedPrimitive(4, 28, 0, 4, 0, 2)",
      "SetRenderState(AlphaBlendEnable, 0)",
  };
  EXPECT_EQ(device.Described(), blended);
  ASSERT_EQ(device.draws.size(), 1u);
  EXPECT_EQ(device.draws[0].firstVertex, 28u);
  EXPECT_EQ(device.draws[0].fvf, kFvfScreen);

  device.ClearCalls();
  DrawSprite(device, store, SpritePanel, false);
  std::vector<std::string> plain = blended;
  plain.erase(plain.begin() + 3, plain.begin() + 10);
  EXPECT_EQ(device.Described(), plain);
}

TEST_F(SpritesTest, DrawFadeRectDrawsTheBlackSpriteUntexturedWithAlphaOnTop) {
  DrawFadeRect(device, store, 0x80, 10, 20, 30, 40);
  ASSERT_EQ(device.draws.size(), 1u);
  EXPECT_EQ(device.draws[0].firstVertex, 44u);  // sprite 11
  EXPECT_FALSE(device.draws[0].texture);
  EXPECT_EQ(device.draws[0].states.render[static_cast<int>(RenderState::AlphaBlendEnable)], 1u);
  EXPECT_EQ(device.GetRenderState(RenderState::AlphaBlendEnable), 0u);
  std::vector<VertexScreen> fade = SpriteVertices(device, store, SpriteFade);
  for (const VertexScreen& v : fade) EXPECT_EQ(v.color, 0x80000000u);
  EXPECT_EQ(std::make_tuple(fade[0].x, fade[0].y, fade[2].x, fade[2].y, fade[2].u),
            std::make_tuple(10.f, 20.f, 40.f, 60.f, 1.f));
  // Out of range alphas are clamped, not wrapped into the colour bits.
  DrawFadeRect(device, store, 300, 0, 0, 800, 600);
  EXPECT_EQ(SpriteVertices(device, store, SpriteFade)[0].color, 0xFF000000u);
  DrawFadeRect(device, store, -5, 0, 0, 800, 600);
  EXPECT_EQ(SpriteVertices(device, store, SpriteFade)[0].color, 0x00000000u);
}

TEST_F(SpritesTest, MouseCursorMovesToThePointerAndDrawsBlended) {
  DrawMouseCursor(device, store, SpriteCursor, 123, 45);
  std::vector<VertexScreen> cursor = SpriteVertices(device, store, SpriteCursor);
  EXPECT_EQ(std::make_pair(cursor[0].x, cursor[0].y), std::make_pair(123.f, 45.f));
  EXPECT_EQ(std::make_pair(cursor[2].x, cursor[2].y), std::make_pair(141.f, 78.f));  // 18 x 33
  ASSERT_EQ(device.draws.size(), 1u);
  EXPECT_EQ(device.draws[0].states.render[static_cast<int>(RenderState::AlphaBlendEnable)], 1u);
  EXPECT_EQ(device.draws[0].firstVertex, 48u);
}

TEST_F(SpritesTest, IndicesOutsideTheCreatedSpritesAreRefused) {
  for (int j : {-1, 16, 63, 64, 1000}) {
    DrawSprite(device, store, j, true);
    EXPECT_FALSE(RefillSprite(store, device, j, SpriteRect{}));
    DrawMouseCursor(device, store, j, 1, 1);
  }
  EXPECT_TRUE(device.calls.empty());

  test::CapturedMessages messages;
  for (int j = 16; j < 64; ++j) ASSERT_EQ(CreateSprite(store, device, SpriteRect{}), j);
  EXPECT_TRUE(messages.calls().empty());
  EXPECT_EQ(CreateSprite(store, device, SpriteRect{}), -1);
  ASSERT_EQ(messages.calls().size(), 1u);
  EXPECT_EQ(messages.calls()[0].caption, "ERROR");
  EXPECT_EQ(store.spriteCount, 64u);
  EXPECT_EQ(store.vertexCount2d, 256u);
  // The mesh records below are untouched.
  EXPECT_FALSE(store.records[63].indexBuffer);
}

}  // namespace
}  // namespace nb
