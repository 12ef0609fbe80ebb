// The geometry store's mesh and sprite records, their refusals, vertices and
// states through the recording device; what the states draw is checked on the
// real device in tests/platform.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "platform/recording_device.h"
#include "render/geometry_store.h"
#include "render/sprites.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

// A strip of `count` vertices (count >= 3) whose x carries the vertex number
// and whose u carries `tag`, with count - 2 triangles.
MeshData Strip(uint32_t count, float tag) {
  MeshData mesh;
  for (uint32_t i = 0; i < count; ++i)
    mesh.vertices.push_back(VertexPNT{static_cast<float>(i), 0, 0, 0, 1, 0, tag, 0});
  for (uint32_t i = 0; i + 2 < count; ++i)
    for (uint32_t k : {i, i + 1, i + 2}) mesh.indices.push_back(static_cast<uint16_t>(k));
  return mesh;
}

std::vector<VertexPNT> DrawnVertices(const RecordingDevice::Draw& draw) {
  std::vector<VertexPNT> out(draw.vertexBytes.size() / sizeof(VertexPNT));
  std::memcpy(out.data(), draw.vertexBytes.data(), out.size() * sizeof(VertexPNT));
  return out;
}

class GeometryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateGeometryStore(store, device)); }
  RecordingDevice device;
  GeometryStore store;
};

// One row per refusal; none of them changes what the store holds.
TEST_F(GeometryStoreTest, TheRecordVertexAndIndexLimitsAreRefusedWithoutOverrun) {
  ASSERT_EQ(AddMesh(store, device, Strip(kStoreVertexCapacity - 10, 0), "big.x"), 0);
  MeshData broken = Strip(3, 0);
  broken.indices[1] = 7;
  GeometryStore none, full;
  ASSERT_TRUE(CreateGeometryStore(full, device));
  for (int i = 0; i < kMeshRecordCount; ++i) ASSERT_EQ(AddMesh(full, device, Strip(3, 0), "m"), i);
  using enum StoreRefusal;
  const struct {
    GeometryStore* store;
    MeshData mesh;
    StoreRefusal why;
  } cases[] = {{&store, Strip(11, 0), NoRoomForVertices},
               {&full, Strip(3, 0), NoFreeRecord},
               {&store, broken, BadMesh},
               {&none, Strip(3, 0), NoBuffer}};
  for (const auto& c : cases) {
    const size_t indexBuffers = device.indexBufferCount();
    const uint32_t vertices = c.store->vertexCount3d, meshes = c.store->meshCount;
    StoreRefusal why = StoreRefusal::None;
    EXPECT_EQ(AddMesh(*c.store, device, c.mesh, "x", &why), -1);
    EXPECT_EQ(why, c.why);
    EXPECT_EQ(std::tie(c.store->vertexCount3d, c.store->meshCount), std::tie(vertices, meshes));
    EXPECT_EQ(device.indexBufferCount(), indexBuffers);
  }
  EXPECT_EQ(AddMesh(store, device, Strip(10, 0), "last.x"), 1);  // exactly the capacity fits
  // Missing or empty records are skipped without touching the device.
  device.ClearCalls();
  for (int record : {-1, 2, kFirstSpriteRecord, 1000})
    EXPECT_FALSE(DrawMesh(device, store, record)) << record;
  EXPECT_TRUE(device.calls.empty());
}

// Each level mesh replaces the previous one, so many levels stay bounded; a
// large one grows the buffer and takes 32-bit indices.
TEST_F(GeometryStoreTest, LevelMeshesReplaceEachOtherAndALargeOneGrowsTheBuffer) {
  ASSERT_EQ(AddMesh(store, device, Strip(30000, 5), "catalogue.x"), 0);
  const size_t buffersBefore = device.indexBufferCount();
  int levelRecord = -1;
  for (int level = 0; level <= 300; ++level) {
    // The last one has more vertices than the 50,000 and than 16-bit indices reach.
    const uint32_t count = level == 300 ? 90000 : 3 + static_cast<uint32_t>((level * 7919) % 20000);
    std::vector<VertexPNT> vertices(count, VertexPNT{0, 0, 0, 0, 1, 0, static_cast<float>(level), 0});
    vertices.back().x = static_cast<float>(count - 1);
    std::vector<uint32_t> indices;
    for (uint32_t i = 0; i + 2 < count; i += 3) indices.insert(indices.end(), {i, i + 1, count - 1 - i});
    int record = ReplaceLevelMesh(store, device, vertices, indices);
    ASSERT_GE(record, 0);
    if (levelRecord < 0) levelRecord = record;
    ASSERT_EQ(record, levelRecord);
    ASSERT_EQ(store.vertexCount3d, 30000u + count);
    ASSERT_EQ(store.records[record].firstVertex, 30000u);
    ASSERT_EQ(store.records[record].faceCount, count / 3);
  }
  EXPECT_EQ(store.meshCount, 2u);
  EXPECT_EQ(store.faceTotal3d, 29998u + store.records[levelRecord].faceCount);
  EXPECT_EQ(device.indexBufferCount(), buffersBefore + 1);
  EXPECT_GE(store.capacity3d, 120000u);
  EXPECT_EQ(device.vertexBufferCount(), 2u);  // the old 3-D buffer was released

  // The last level draws its own vertices, and the catalogue mesh is intact.
  BindMeshStream(device, store);
  ASSERT_TRUE(DrawMesh(device, store, levelRecord));
  ASSERT_TRUE(DrawMesh(device, store, 0));
  ASSERT_EQ(device.draws.size(), 2u);  // both passed the device's range checks
  const std::vector<VertexPNT> level = DrawnVertices(device.draws[0]);
  const std::vector<VertexPNT> catalogue = DrawnVertices(device.draws[1]);
  EXPECT_EQ(std::make_tuple(level.size(), level.back().x, level[0].u),
            std::make_tuple(size_t{90000}, 89999.f, 300.f));
  ASSERT_EQ(catalogue.size(), 30000u);
  EXPECT_EQ(std::make_pair(catalogue[29999].x, catalogue[29999].u), std::make_pair(29999.f, 5.f));

  // Indices that point past the vertices are refused, and the level record
  // is left empty rather than pointing at stale data.
  StoreRefusal why = StoreRefusal::None;
  EXPECT_EQ(ReplaceLevelMesh(store, device, {level[0], level[1], level[2]}, {0, 1, 3}, &why), -1);
  EXPECT_EQ(why, StoreRefusal::BadMesh);
  EXPECT_FALSE(DrawMesh(device, store, levelRecord));
  EXPECT_EQ(store.vertexCount3d, 30000u);
}

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

TEST_F(SpritesTest, DrawsReadTheirOwnVerticesAndLeaveBlendingOff) {
  for (int j : {SpriteFullScreen, SpriteBottomStrip, SpriteTopStrip, SpriteFade})
    EXPECT_EQ(std::make_pair(Vertices(j)[0].x, Vertices(j)[2].x), std::make_pair(0.f, 800.f)) << j;
  for (bool blended : {true, false}) {
    DrawSprite(device, store, SpritePanel, blended);
    ASSERT_FALSE(device.draws.empty());
    EXPECT_EQ(device.draws.back().firstVertex, 4u * SpritePanel);
    const DeviceStates& during = device.draws.back().states;
    EXPECT_EQ(during.render[static_cast<int>(RenderState::AlphaBlendEnable)], blended ? 1u : 0u);
    for (SamplerState s : {SamplerState::MinFilter, SamplerState::MagFilter, SamplerState::MipFilter})
      EXPECT_EQ(during.sampler[0][static_cast<int>(s)], TextureFilter::None) << "unfiltered";
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
  for (int j : {-1, 16, 64}) {  // below, not yet made, past the records
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
