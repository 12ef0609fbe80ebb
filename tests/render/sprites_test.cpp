// Sprite records, refusals, vertices and states through the recording device; what
// the states draw is checked on the real device in tests/platform.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "platform/recording_device.h"
#include "render/sprites.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

class SpritesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateGeometryStore(store, device));
    ASSERT_TRUE(CreateStartupSprites(store, device, 800, 600));
    device.ClearCalls();
  }
  // The four vertices of sprite j as they stand in the 2-D buffer.
  std::vector<VertexScreen> Vertices(int j) {
    std::vector<VertexScreen> out(4);
    void* data = nullptr;
    const uint32_t first = store.records[kFirstSpriteRecord + j].firstVertex;
    EXPECT_EQ(device.LockVertexBuffer(store.vertices2d, first * 28, 4 * 28, &data, LockFlags::ReadOnly),
              DeviceResult::Ok);
    if (data) std::memcpy(out.data(), data, 4 * 28);
    device.UnlockVertexBuffer(store.vertices2d);
    return out;
  }

  RecordingDevice device;
  GeometryStore store;
};

TEST_F(SpritesTest, StartupSpritesTakeFourVerticesEachAndFollowTheScreenWidth) {
  EXPECT_EQ(std::tie(store.spriteCount, store.vertexCount2d, store.primitiveTotal2d),
            std::make_tuple(16u, 64u, 32u));
  for (int j = 0; j < 16; ++j) {
    const MeshRecord& r = store.records[kFirstSpriteRecord + j];
    EXPECT_EQ(std::tie(r.firstVertex, r.vertexCount, r.faceCount), std::make_tuple(4u * j, 4u, 2u)) << j;
  }
  for (int j : {SpriteFullScreen, SpriteBottomStrip, SpriteTopStrip, SpriteFade})
    EXPECT_EQ(std::make_pair(Vertices(j)[0].x, Vertices(j)[2].x), std::make_pair(0.f, 800.f)) << j;
}

TEST_F(SpritesTest, DrawsReadTheirOwnVerticesAndLeaveBlendingOff) {
  for (bool blended : {true, false}) {
    DrawSprite(device, store, SpritePanel, blended);
    ASSERT_FALSE(device.draws.empty());
    EXPECT_EQ(device.draws.back().firstVertex, 4u * SpritePanel);
    const DeviceStates& during = device.draws.back().states;
    EXPECT_EQ(during.render[static_cast<int>(RenderState::AlphaBlendEnable)], blended ? 1u : 0u);
    for (SamplerState s : {SamplerState::MinFilter, SamplerState::MagFilter, SamplerState::MipFilter})
      EXPECT_EQ(during.sampler[0][static_cast<int>(s)], TextureFilter::None) << "sprites are drawn unfiltered";
    EXPECT_EQ(device.GetRenderState(RenderState::AlphaBlendEnable), 0u);
  }
  // The fade draws the black sprite untextured, its alpha on top and clamped, not wrapped into the colour.
  for (auto [alpha, colour] : {std::pair{0x80, 0x80000000u}, {300, 0xFF000000u}, {-5, 0x00000000u}}) {
    DrawFadeRect(device, store, alpha, 10, 20, 30, 40);
    EXPECT_EQ(device.draws.back().firstVertex, 4u * SpriteFade);
    EXPECT_FALSE(device.draws.back().texture);
    EXPECT_EQ(device.draws.back().states.render[static_cast<int>(RenderState::AlphaBlendEnable)], 1u);
    for (const VertexScreen& v : Vertices(SpriteFade)) EXPECT_EQ(v.color, colour) << alpha;
  }
  const std::vector<VertexScreen> fade = Vertices(SpriteFade);
  EXPECT_EQ(std::make_tuple(fade[0].x, fade[0].y, fade[2].x, fade[2].y, fade[2].u),
            std::make_tuple(10.f, 20.f, 40.f, 60.f, 1.f));
  // The cursor moves its top-left corner to the pointer.
  DrawMouseCursor(device, store, SpriteCursor, 123, 45);
  const std::vector<VertexScreen> cursor = Vertices(SpriteCursor);
  EXPECT_EQ(std::make_pair(cursor[0].x, cursor[0].y), std::make_pair(123.f, 45.f));
  EXPECT_EQ(device.draws.back().firstVertex, 4u * SpriteCursor);
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
  EXPECT_EQ(messages.calls().size(), 1u);
  EXPECT_EQ(std::tie(store.spriteCount, store.vertexCount2d), std::make_tuple(64u, 256u));
  EXPECT_FALSE(store.records[kFirstSpriteRecord - 1].indexBuffer);  // the mesh records below are untouched
}

}  // namespace
}  // namespace nb
