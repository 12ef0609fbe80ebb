// Sprites, fades and the camera drawn by the real OpenGL device (Mesa's
// software renderer under Xvfb), checked by reading the pixels back.
#include <gtest/gtest.h>

#include <memory>

#include "d3dhelpers/texture_file.h"
#include "platform/gl_device.h"
#include "platform/window.h"
#include "render/camera.h"
#include "render/geometry_store.h"
#include "render/sprites.h"
#include "support/scratch_dir.h"
#include "test_files.h"

namespace nb {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

PlatformWindow* TestWindow() {
  static PlatformWindow* window = [] {
    if (!InitPlatform()) return static_cast<PlatformWindow*>(nullptr);
    return CreateGameWindow("sprites", kWidth, kHeight, false);
  }();
  return window;
}

// A texel that differs from all its neighbours, as opaque ARGB.
uint32_t Texel(int x, int y) {
  return 0xFF000000u | (static_cast<uint32_t>(x * 16 + 8) << 16) |
         (static_cast<uint32_t>(y * 16 + 8) << 8) | static_cast<uint32_t>((x * 5 + y * 3) & 0xFF);
}

class SpritesGlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(TestWindow(), nullptr) << "no display (run under Xvfb)";
    adapter = CreateGlAdapter(TestWindow());
    ASSERT_NE(adapter, nullptr);
    PresentParameters p;
    p.backBufferWidth = kWidth;
    p.backBufferHeight = kHeight;
    p.backBufferFormat = Format::X8R8G8B8;
    p.backBufferCount = 1;
    p.enableAutoDepthStencil = true;
    p.autoDepthStencilFormat = Format::D24X8;
    owned = adapter->CreateDevice(DeviceType::Hal, p);
    ASSERT_NE(owned, nullptr);
    device = dynamic_cast<GlDevice*>(owned.get());
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(CreateGeometryStore(store, *device));
    ASSERT_TRUE(CreateStartupSprites(store, *device, kWidth, kHeight));
    device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF203040, 1.0f, 0);
  }
  void TearDown() override {
    if (device) ReleaseGeometryStore(store, *device);
    owned.reset();
    adapter.reset();
  }

  // A 16 x 16 texture of distinct texels.
  TextureHandle PatternTexture() {
    std::vector<uint8_t> rgba;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        uint32_t c = Texel(x, y);
        rgba.insert(rgba.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                 static_cast<uint8_t>(c), 255});
      }
    TextureHandle texture;
    EXPECT_EQ(device->CreateTexture(16, 16, rgba.data(), &texture), DeviceResult::Ok);
    return texture;
  }

  std::unique_ptr<GraphicsAdapter> adapter;
  std::unique_ptr<GraphicsDevice> owned;
  GlDevice* device = nullptr;
  GeometryStore store;
};

TEST_F(SpritesGlTest, AnUnfilteredSpriteMapsTexelsOneToOne) {
  // Linear filters left over from a scene must not blur the sprite.
  device->SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Linear);
  device->SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
  device->SetTexture(0, PatternTexture());
  int j = CreateSprite(store, *device, SpriteRect{30, 40, 16, 16, 0, 0, 1, 1, 0xFFFFFFFF});
  ASSERT_EQ(j, 16);
  ASSERT_TRUE(device->BeginScene() == DeviceResult::Ok);
  DrawSprite(*device, store, j, false);
  // The right half of the texture (an atlas cut) drawn 8 wide elsewhere.
  int half = CreateSprite(store, *device, SpriteRect{100, 60, 8, 16, 0.5f, 0, 1, 1, 0xFFFFFFFF});
  DrawSprite(*device, store, half, true);
  device->EndScene();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(device->ReadPixel(30 + x, 40 + y), Texel(x, y)) << x << "," << y;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(device->ReadPixel(100 + x, 60 + y), Texel(8 + x, y)) << x << "," << y;
  // Nothing outside the rectangles.
  EXPECT_EQ(device->ReadPixel(29, 40), 0xFF203040u);
  EXPECT_EQ(device->ReadPixel(46, 40), 0xFF203040u);
  EXPECT_EQ(device->ReadPixel(30, 56), 0xFF203040u);
  EXPECT_EQ(device->ReadPixel(108, 60), 0xFF203040u);
}

TEST_F(SpritesGlTest, APngFileThroughTheTextureLoaderKeepsEveryTexel) {
  test::ScratchDir dir;
  std::vector<uint8_t> rgba;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint32_t c = Texel(x, y);
      rgba.insert(rgba.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                               static_cast<uint8_t>(c), 255});
    }
  ASSERT_TRUE(test::WritePngFile(dir.File("atlas.png"), 16, 16, rgba));
  TextureHandle texture;
  ASSERT_EQ(CreateTextureFromFile(*device, "atlas.png", &texture), 0);
  device->SetTexture(0, texture);
  int j = CreateSprite(store, *device, SpriteRect{5, 5, 16, 16, 0, 0, 1, 1, 0xFFFFFFFF});
  device->BeginScene();
  DrawSprite(*device, store, j, true);
  device->EndScene();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(device->ReadPixel(5 + x, 5 + y), Texel(x, y)) << x << "," << y;
  EXPECT_EQ(CreateTextureFromFile(*device, "missing.png", &texture), kTextureInvalidData);
  EXPECT_FALSE(texture);
}

TEST_F(SpritesGlTest, AMirroredTextureRectangleShowsThePictureMirrored) {
  device->SetTexture(0, PatternTexture());
  int j = CreateSprite(store, *device, SpriteRect{50, 50, 16, 16, 1, 0, 0, 1, 0xFFFFFFFF});
  ASSERT_GE(j, 0);
  device->BeginScene();
  DrawSprite(*device, store, j, true);
  device->EndScene();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(device->ReadPixel(50 + x, 50 + y), Texel(15 - x, y)) << x << "," << y;
}

TEST_F(SpritesGlTest, TheSpriteColourTintsTheTextureAndMovesWithRefill) {
  device->SetTexture(0, PatternTexture());
  int j = CreateSprite(store, *device, SpriteRect{0, 0, 16, 16, 0, 0, 1, 1, 0xFF808080});
  ASSERT_TRUE(RefillSprite(store, *device, j, SpriteRect{120, 10, 16, 16, 0, 0, 1, 1, 0xFFFF0000}));
  device->BeginScene();
  DrawSprite(*device, store, j, false);
  device->EndScene();
  EXPECT_EQ(device->ReadPixel(5, 5), 0xFF203040u);  // the old place stays empty
  // Red tint keeps red and removes green and blue.
  uint32_t c = device->ReadPixel(120 + 3, 10 + 7);
  EXPECT_EQ(c, Texel(3, 7) & 0xFFFF0000u);
}

TEST_F(SpritesGlTest, FadeRectAt255TurnsTheScreenBlackAndAt0ChangesNothing) {
  device->SetTexture(0, PatternTexture());
  int j = CreateSprite(store, *device, SpriteRect{10, 10, 16, 16, 0, 0, 1, 1, 0xFFFFFFFF});
  device->BeginScene();
  DrawSprite(*device, store, j, false);
  device->EndScene();
  std::vector<uint32_t> before = device->ReadPixels(0, 0, kWidth, kHeight);

  device->BeginScene();
  DrawFadeRect(*device, store, 0, 0, 0, kWidth, kHeight);
  device->EndScene();
  EXPECT_EQ(device->ReadPixels(0, 0, kWidth, kHeight), before);

  // Half way darkens every channel by half.
  device->BeginScene();
  DrawFadeRect(*device, store, 128, 0, 0, kWidth, kHeight);
  device->EndScene();
  uint32_t half = device->ReadPixel(kWidth - 1, kHeight - 1);
  EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), 0x20 * 127 / 255, 1);
  EXPECT_NEAR(static_cast<int>(half & 0xFF), 0x40 * 127 / 255, 1);

  device->BeginScene();
  DrawFadeRect(*device, store, 255, 0, 0, kWidth, kHeight);
  device->EndScene();
  std::vector<uint32_t> after = device->ReadPixels(0, 0, kWidth, kHeight);
  for (size_t i = 0; i < after.size(); ++i) ASSERT_EQ(after[i], 0xFF000000u) << i;
}

TEST_F(SpritesGlTest, TheCameraShowsTheGroundTheWayPickingReadsIt) {
  // A 100 x 100 ground square from the origin towards +X and +Z, seen from
  // 1000 straight above: +X is to the right on screen and +Z upwards.
  MeshData ground;
  ground.vertices = {{0, 0, 0, 0, 1, 0, 0, 0}, {0, 0, 100, 0, 1, 0, 0, 0},
                     {100, 0, 100, 0, 1, 0, 0, 0}, {100, 0, 0, 0, 1, 0, 0, 0}};
  ground.indices = {0, 1, 2, 0, 2, 3};
  int record = AddMesh(store, *device, ground, "ground");
  ASSERT_EQ(record, 0);
  CameraState camera;
  SetCameraNow(camera, {0, 1000, 0}, {0, 0, 0}, 45);
  UpdateCamera(camera, *device, kWidth, kHeight);
  device->SetTransform(TransformState::World, MatrixIdentity());
  device->SetRenderState(RenderState::Lighting, 0);
  device->SetRenderState(RenderState::CullMode, Cull::None);
  device->SetTexture(0, TextureHandle{});
  device->BeginScene();
  BindMeshStream(*device, store);
  ASSERT_TRUE(DrawMesh(*device, store, record));
  device->EndScene();

  // Which pixels does the square cover? Picking tells: the screen corner of
  // the square at world (100, 0, 100) is where picking returns (100, 100).
  const uint32_t background = 0xFF203040u;
  int cx = kWidth / 2, cy = kHeight / 2;
  EXPECT_NE(device->ReadPixel(cx + 5, cy - 5), background);
  EXPECT_EQ(device->ReadPixel(cx - 5, cy - 5), background);
  EXPECT_EQ(device->ReadPixel(cx + 5, cy + 5), background);
  for (int y = 0; y < kHeight; y += 7)
    for (int x = 0; x < kWidth; x += 7) {
      float gx = 0, gz = 0;
      ASSERT_TRUE(PickGroundPoint(camera, x, y, kWidth, kHeight, 0, 0, 0, &gx, &gz));
      // Leave a margin of a pixel (about 5.5 world units here) around the edges.
      bool inside = gx > 6 && gx < 94 && gz > 6 && gz < 94;
      bool outside = gx < -6 || gx > 106 || gz < -6 || gz > 106;
      if (inside) {
        EXPECT_NE(device->ReadPixel(x, y), background) << x << "," << y;
      }
      if (outside) {
        EXPECT_EQ(device->ReadPixel(x, y), background) << x << "," << y;
      }
    }
}

}  // namespace
}  // namespace nb
