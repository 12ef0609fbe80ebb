// The render device: creation and its fallbacks and a failing reset on the
// recording adapter; the back buffer, the depth format, the frame and a reset
// that keeps managed resources on the real OpenGL adapter. The fonts' side of
// a reset is played through in tests/text.
#include "render/render_device.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>
#include <utility>

#include "core/general_settings.h"
#include "platform/recording_device.h"
#include "render/sprites.h"
#include "support/gl_test_device.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

class RenderDeviceTest : public ::testing::Test {
 protected:
  // Creates the device on a recording adapter configured by `setup`.
  bool Create(const GeneralSettings& s, std::function<void(RecordingAdapter&)> setup = {}) {
    auto adapter = std::make_unique<RecordingAdapter>();
    if (setup) setup(*adapter);
    adapterView = adapter.get();
    bool ok = CreateRenderDevice(rd, s, nullptr, std::move(adapter));
    dev = adapterView->lastDevice;
    return ok;
  }

  test::ScratchDir dir;
  test::CapturedMessages messages;
  RenderDevice rd;
  RecordingAdapter* adapterView = nullptr;
  RecordingDevice* dev = nullptr;
};

TEST_F(RenderDeviceTest, PresentParametersFollowTheSettingsAndCreationFallsBackToTheReferenceDevice) {
  GeneralSettings s;
  ASSERT_TRUE(Create(s));  // windowed too the back buffer has the settings' size
  const PresentParameters& p = rd.presentParameters;
  EXPECT_EQ(std::tie(p.backBufferWidth, p.multiSampleType, p.windowed), std::make_tuple(800u, 0u, true));
  // The adapter's first 32-bit depth candidate and the creation ambient, on the first try.
  EXPECT_EQ(dev->presentParameters().autoDepthStencilFormat, Format::D24X8);
  EXPECT_EQ(dev->GetRenderState(RenderState::Ambient), kCreationAmbient);
  EXPECT_EQ(adapterView->createAttempts, std::vector<DeviceType>{DeviceType::Hal});
  s.fullscreen = s.antialiased = true;
  ASSERT_TRUE(Create(s));
  EXPECT_EQ(std::tie(p.backBufferWidth, p.backBufferHeight, p.multiSampleType, p.windowed),
            std::make_tuple(800u, 600u, 2u, false));
  // A window-mode switch fills the parameters for the new mode and keeps the antialiasing.
  EXPECT_EQ(ResetForWindowMode(rd, nullptr, true, 1024, 768), DeviceResult::Ok);
  EXPECT_EQ(std::tie(dev->presentParameters().backBufferWidth, dev->presentParameters().multiSampleType),
            std::make_tuple(1024u, 2u));
  // Without 2-sample support the device is still made, without multisampling.
  ASSERT_TRUE(Create(s, [](RecordingAdapter& a) { a.sampleCounts = {4}; }));
  EXPECT_EQ(rd.presentParameters.multiSampleType, 0u);
  ASSERT_TRUE(Create(GeneralSettings{}, [](RecordingAdapter& a) { a.halWorks = false; }));
  EXPECT_EQ(adapterView->createAttempts, (std::vector<DeviceType>{DeviceType::Hal, DeviceType::Ref}));
  EXPECT_TRUE(messages.calls().empty());
  EXPECT_FALSE(dir.Exists("Log.txt"));
}

// Neither device: a log line; no adapter at all: the error box.
TEST_F(RenderDeviceTest, FailedCreationLogsAndWithoutAdapterShowsABox) {
  EXPECT_FALSE(Create(GeneralSettings{}, [](RecordingAdapter& a) { a.halWorks = a.refWorks = false; }));
  EXPECT_EQ(rd.device, nullptr);
  EXPECT_EQ(dir.Read("Log.txt"), "Can't create render device!");
  EXPECT_TRUE(messages.calls().empty());
  std::remove(dir.File("Log.txt").c_str());
  EXPECT_FALSE(CreateRenderDevice(rd, GeneralSettings{}, nullptr, nullptr));
  ASSERT_EQ(messages.calls().size(), 1u);
  const MessageBoxCall& box = messages.calls()[0];
  EXPECT_EQ(std::tie(box.text, box.caption, box.icon),
            std::make_tuple("Can't create Direct3D9 device!", "ERROR", MessageIcon::Exclamation));
  EXPECT_EQ(dir.Read("Log.txt"), "ERROR: Can't create Direct3D9 device!\n");  // every box is logged
}

// A reset that fails rebuilds nothing and is tried again each frame; only a
// refused one (a default-pool buffer left alive) shows a box, once per frame.
TEST_F(RenderDeviceTest, FailedResetRebuildsNothingAndTheNextFrameRetries) {
  for (bool refused : {true, false}) {
    ASSERT_TRUE(Create(GeneralSettings{}));
    test::CapturedMessages boxes;
    VertexBufferHandle leaked;
    if (refused) rd.device->CreateVertexBuffer(9600, Usage::Dynamic, 0, Pool::Default, &leaked);
    dev->refuseReset = refused ? DeviceResult::Ok : DeviceResult::OutOfMemory;
    std::vector<std::string> log;
    rd.hooks.createFontTextures = [&](GraphicsDevice&) { log.push_back("textures"); };
    rd.hooks.restoreFontDeviceObjects = [&](GraphicsDevice&) { log.push_back("restore"); };
    dev->AllowReset();
    for (int frame = 0; frame < 2; ++frame) RestoreDeviceIfLost(rd);
    ASSERT_EQ(boxes.calls().size(), refused ? 2u : 0u);
    for (const MessageBoxCall& box : boxes.calls())
      EXPECT_EQ(std::tie(box.caption, box.text), std::make_tuple("D3DERR_INVALIDCALL", ""));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(rd.device->TestCooperativeLevel(), DeviceResult::DeviceNotReset);
    EXPECT_EQ(rd.device->GetRenderState(RenderState::Ambient), kFrameAmbient);  // the frame states even so
    // Once the cause is gone the next frame recovers.
    rd.device->ReleaseVertexBuffer(leaked);
    dev->refuseReset = DeviceResult::Ok;
    RestoreDeviceIfLost(rd);
    EXPECT_EQ(log, (std::vector<std::string>{"textures", "restore"}));
    EXPECT_EQ(boxes.calls().size(), refused ? 2u : 0u);
  }
}

class RenderDeviceGlTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(window, nullptr) << "no display (run under Xvfb)"; }
  void TearDown() override { ReleaseRenderDevice(rd); }

  // One frame with a flat quad drawn as an untextured sprite from managed buffers.
  void DrawFrame(float x, float y, float size, uint32_t color) {
    if (sprite < 0) {
      ASSERT_TRUE(CreateGeometryStore(store, *rd.device));
      sprite = CreateSprite(store, *rd.device, SpriteRect{});
    }
    rd.device->Clear(ClearFlags::Target, 0xFF102030, 1, 0);
    const bool began = BeginFrame(rd, 0xFFFFFFFF);
    ASSERT_TRUE(began);
    ASSERT_TRUE(RefillSprite(store, *rd.device, sprite, SpriteRect{x, y, size, size, 0, 0, 1, 1, color}));
    rd.device->SetTexture(0, TextureHandle{});
    DrawSprite(*rd.device, store, sprite, false);
    EndFrame(rd, began);
  }
  uint32_t Pixel(int x, int y) { return dynamic_cast<GlDevice&>(*rd.device).ReadPixel(x, y); }

  PlatformWindow* window = test::SharedTestWindow(320, 240);
  test::ScratchDir dir;
  test::CapturedMessages messages;
  RenderDevice rd;
  GeometryStore store;
  int sprite = -1;
};

TEST_F(RenderDeviceGlTest, TheBackBufferHasTheSettingsSizeInAnyWindowAndTheDepthFormatIsReal) {
  GeneralSettings s;
  s.width = 640;
  s.height = 400;
  ASSERT_TRUE(CreateRenderDevice(rd, s, window));
  int w = 0, h = 0;
  rd.device->BackBufferSize(&w, &h);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(640, 400));  // the window is 320 x 240
  const int bits = DepthBitsOf(rd.presentParameters.autoDepthStencilFormat);
  EXPECT_GE(bits, 24);
  EXPECT_EQ(dynamic_cast<GlDevice&>(*rd.device).depthBits(), bits);
  // The adapter answers from the driver: no stencil-sharing formats, no absurd sample counts.
  EXPECT_TRUE(rd.adapter->CheckDepthFormat(Format::X8R8G8B8, Format::D16));
  EXPECT_FALSE(rd.adapter->CheckDepthFormat(Format::X8R8G8B8, Format::D15S1));
  EXPECT_FALSE(rd.adapter->CheckMultiSample(Format::X8R8G8B8, 4096));
}

TEST_F(RenderDeviceGlTest, FrameDrawsAndManagedBuffersSurviveAReset) {
  ASSERT_TRUE(CreateRenderDevice(rd, GeneralSettings{}, window));
  DrawFrame(0, 0, 8, 0xFF00FF00);
  EXPECT_EQ(Pixel(4, 4), 0xFF00FF00u);
  EXPECT_EQ(Pixel(20, 20), 0xFF102030u);  // the frame clears depth only, not the picture
  ASSERT_EQ(ResetForWindowMode(rd, window, false, 800, 600), DeviceResult::Ok);
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::Ok);
  // The buffers made before the reset still draw, with the states sent again.
  DrawFrame(2, 2, 4, 0xFFFF00FF);
  EXPECT_EQ(Pixel(3, 3), 0xFFFF00FFu);
  EXPECT_EQ(Pixel(7, 7), 0xFF102030u);
  EXPECT_TRUE(messages.calls().empty());
}

}  // namespace
}  // namespace nb
