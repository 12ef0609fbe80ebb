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
#include "support/gl_test_device.h"
#include "support/scratch_dir.h"
#include "support/test_images.h"

namespace nb {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

// A texel that differs from all its neighbours, as opaque ARGB.
uint32_t Texel(int x, int y) {
  return 0xFF000000u | (static_cast<uint32_t>(x * 16 + 8) << 16) |
         (static_cast<uint32_t>(y * 16 + 8) << 8) | static_cast<uint32_t>((x * 5 + y * 3) & 0xFF);
}

std::vector<uint8_t> PatternRgba() {
  std::vector<uint8_t> rgba;
  for (int i = 0; i < 256; ++i) {
    uint32_t c = Texel(i % 16, i / 16);
    rgba.insert(rgba.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255});
  }
  return rgba;
}

class SpritesGlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::MakeTestGlDevice(gl, kWidth, kHeight)) << "no display (run under Xvfb)";
    device = gl.device;
    ASSERT_TRUE(CreateGeometryStore(store, *device));
    ASSERT_TRUE(CreateStartupSprites(store, *device, kWidth, kHeight));
    device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, 0xFF203040, 1.0f, 0);
  }
  void TearDown() override {
    if (device) ReleaseGeometryStore(store, *device);
    gl.Release();
  }

  // A 16 x 16 texture of distinct texels.
  TextureHandle PatternTexture() {
    TextureHandle texture;
    EXPECT_EQ(device->CreateTexture(16, 16, PatternRgba().data(), &texture), DeviceResult::Ok);
    return texture;
  }
  // Expects the 16 x 16 texels (or their columns 16 - w..15) drawn w wide at (x0, y0), optionally mirrored.
  void ExpectTexels(int x0, int y0, int w = 16, bool mirrored = false) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(device->ReadPixel(x0 + x, y0 + y), Texel(mirrored ? 15 - x : 16 - w + x, y)) << x << "," << y;
  }

  test::TestGlDevice gl;
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
  // The right half of the texture (an atlas cut) drawn 8 wide, and the whole mirrored.
  int half = CreateSprite(store, *device, SpriteRect{100, 60, 8, 16, 0.5f, 0, 1, 1, 0xFFFFFFFF});
  int mirrored = CreateSprite(store, *device, SpriteRect{50, 80, 16, 16, 1, 0, 0, 1, 0xFFFFFFFF});
  // A sprite refilled elsewhere with a red tint: red kept, green and blue removed.
  int tinted = CreateSprite(store, *device, SpriteRect{0, 0, 16, 16, 0, 0, 1, 1, 0xFF808080});
  ASSERT_TRUE(RefillSprite(store, *device, tinted, SpriteRect{120, 10, 16, 16, 0, 0, 1, 1, 0xFFFF0000}));
  ASSERT_TRUE(device->BeginScene() == DeviceResult::Ok);
  for (int k : {j, half, mirrored, tinted}) DrawSprite(*device, store, k, k != j);
  device->EndScene();
  ExpectTexels(30, 40);
  ExpectTexels(100, 60, 8);
  ExpectTexels(50, 80, 16, true);
  EXPECT_EQ(device->ReadPixel(120 + 3, 10 + 7), Texel(3, 7) & 0xFFFF0000u);
  // Nothing outside the rectangles, nor at the tinted sprite's old place.
  for (auto [x, y] : {std::pair{29, 40}, {46, 40}, {30, 56}, {108, 60}, {5, 5}})
    EXPECT_EQ(device->ReadPixel(x, y), 0xFF203040u) << x << "," << y;
}

TEST_F(SpritesGlTest, APngFileThroughTheTextureLoaderKeepsEveryTexel) {
  test::ScratchDir dir;
  dir.Write("atlas.png", test::EncodePng(16, 16, PatternRgba()));
  TextureHandle texture;
  ASSERT_EQ(CreateTextureFromFile(*device, "atlas.png", &texture), 0);
  device->SetTexture(0, texture);
  int j = CreateSprite(store, *device, SpriteRect{5, 5, 16, 16, 0, 0, 1, 1, 0xFFFFFFFF});
  device->BeginScene();
  DrawSprite(*device, store, j, true);
  device->EndScene();
  ExpectTexels(5, 5);
  EXPECT_EQ(CreateTextureFromFile(*device, "missing.png", &texture), kTextureInvalidData);
  EXPECT_FALSE(texture);
}

TEST_F(SpritesGlTest, FadeRectAt255TurnsTheScreenBlackAndAt0ChangesNothing) {
  device->SetTexture(0, PatternTexture());
  int j = CreateSprite(store, *device, SpriteRect{10, 10, 16, 16, 0, 0, 1, 1, 0xFFFFFFFF});
  device->BeginScene();
  DrawSprite(*device, store, j, false);
  device->EndScene();
  const std::vector<uint32_t> before = device->ReadPixels(0, 0, kWidth, kHeight);
  auto fade = [&](int alpha) {
    device->BeginScene();
    DrawFadeRect(*device, store, alpha, 0, 0, kWidth, kHeight);
    device->EndScene();
    return device->ReadPixels(0, 0, kWidth, kHeight);
  };
  EXPECT_EQ(fade(0), before);
  uint32_t half = fade(128).back();  // half way darkens every channel by half
  EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), 0x20 * 127 / 255, 1);
  EXPECT_NEAR(static_cast<int>(half & 0xFF), 0x40 * 127 / 255, 1);
  EXPECT_EQ(fade(255), std::vector<uint32_t>(before.size(), 0xFF000000u));
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
      if (inside || outside) {
        EXPECT_EQ(device->ReadPixel(x, y) != background, inside) << x << "," << y;
      }
    }
}

}  // namespace
}  // namespace nb
