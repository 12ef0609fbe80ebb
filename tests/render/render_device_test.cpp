// The render device on the recording adapter: depth format, creation, the
// per-frame device check with the fonts' reset hooks, and the frame bracket.
#include "render/render_device.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "platform/recording_device.h"
#include "core/general_settings.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

using test::CapturedMessages;
using test::ScratchDir;

TEST(PickDepthFormatTest, WalksTheCandidatesOfTheWidthInOrderThenGivesD32) {
  using F = Format;
  struct Case {
    int bits;
    std::vector<F> accepted;
    F picked;
    std::vector<F> checked;
  } cases[] = {
      {16, {F::D16, F::D15S1, F::D16Lockable}, F::D16Lockable, {F::D16Lockable}},
      {16, {F::D16, F::D15S1}, F::D15S1, {F::D16Lockable, F::D15S1}},
      {32, {F::D24X8, F::D32}, F::D32, {F::D32}},
      {32, {F::D24X4S4, F::D24X8}, F::D24X8, {F::D32, F::D24S8, F::D24X8}},
      {32, {F::D16}, F::D32, {F::D32, F::D24S8, F::D24X8, F::D24X4S4}},  // nothing accepted
      {24, {F::D16}, F::D32, {}},                                           // no such width
  };
  for (const Case& c : cases) {
    RecordingAdapter a;
    a.depthFormats = c.accepted;
    EXPECT_EQ(PickDepthFormat(a, Format::X8R8G8B8, c.bits), c.picked);
    std::vector<F> checked;
    for (const auto& check : a.depthChecks) {
      checked.push_back(check.depthFormat);
      EXPECT_EQ(check.adapterFormat, Format::X8R8G8B8);
    }
    EXPECT_EQ(checked, c.checked) << c.bits << " bits, case " << (&c - cases);
  }
}

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

  ScratchDir dir;
  CapturedMessages messages;
  RenderDevice rd;
  RecordingAdapter* adapterView = nullptr;
  RecordingDevice* dev = nullptr;
};

TEST_F(RenderDeviceTest, WindowedDeviceFollowsTheClientArea) {
  GeneralSettings s;
  s.fullscreen = false;
  s.width = 1024;
  s.height = 768;
  ASSERT_TRUE(Create(s));
  const PresentParameters& p = rd.presentParameters;
  EXPECT_EQ(std::tie(p.backBufferWidth, p.backBufferHeight, p.backBufferCount, p.multiSampleType),
            std::make_tuple(0u, 0u, 0u, 0u));
  EXPECT_TRUE(p.windowed && p.presentImmediate && p.enableAutoDepthStencil);
  EXPECT_TRUE(adapterView->multiSampleChecks.empty());  // not asked without ANTIALIASED
  // The device got the adapter's first 32-bit depth candidate.
  EXPECT_EQ(dev->presentParameters().autoDepthStencilFormat, Format::D24X8);
  // Creation sets depth, the creation ambient and lighting, on the first (hardware) try.
  EXPECT_EQ(dev->Described(), (std::vector<std::string>{"SetRenderState(ZEnable, 1)",
                                                      "SetRenderState(Ambient, 0xFFE5E5E5)",
                                                      "SetRenderState(Lighting, 1)"}));
  EXPECT_EQ(adapterView->createAttempts, std::vector<DeviceType>{DeviceType::Hal});
  EXPECT_TRUE(messages.calls().empty());
}

TEST_F(RenderDeviceTest, FullScreenUsesTheSettingsSizeAndAntialiasingWhenAvailable) {
  GeneralSettings s;
  s.fullscreen = true;
  s.antialiased = true;
  s.width = 640;
  s.height = 480;
  ASSERT_TRUE(Create(s));
  const PresentParameters& p = rd.presentParameters;
  EXPECT_EQ(std::tie(p.backBufferWidth, p.backBufferHeight, p.backBufferCount, p.multiSampleType),
            std::make_tuple(640u, 480u, 1u, 2u));
  EXPECT_FALSE(p.windowed);
  EXPECT_EQ(adapterView->multiSampleChecks, std::vector<uint32_t>{2});

  // Without 2-sample support the device is still made, without multisampling.
  ASSERT_TRUE(Create(s, [](RecordingAdapter& a) { a.sampleCounts = {4}; }));
  EXPECT_EQ(rd.presentParameters.multiSampleType, 0u);
  EXPECT_NE(rd.device, nullptr);
}

TEST_F(RenderDeviceTest, FallsBackToTheReferenceDeviceThenLogsFailureAndWithoutAdapterShowsABox) {
  ASSERT_TRUE(Create(GeneralSettings{}, [](RecordingAdapter& a) { a.halWorks = false; }));
  EXPECT_EQ(adapterView->createAttempts, (std::vector<DeviceType>{DeviceType::Hal, DeviceType::Ref}));
  EXPECT_FALSE(dir.Exists("Log.txt"));

  EXPECT_FALSE(Create(GeneralSettings{}, [](RecordingAdapter& a) {
    a.halWorks = false;
    a.refWorks = false;
  }));
  EXPECT_EQ(rd.device, nullptr);
  EXPECT_EQ(dir.Read("Log.txt"), "Can't create render device!");
  EXPECT_TRUE(messages.calls().empty());
  // Without an adapter: the error box, no log line.
  std::remove(dir.File("Log.txt").c_str());
  EXPECT_FALSE(CreateRenderDevice(rd, GeneralSettings{}, nullptr, nullptr));
  ASSERT_EQ(messages.calls().size(), 1u);
  const MessageBoxCall& box = messages.calls()[0];
  EXPECT_EQ(box.text, "Can't create Direct3D9 device!");
  EXPECT_EQ(box.caption, "ERROR");
  EXPECT_EQ(box.icon, MessageIcon::Exclamation);
  EXPECT_FALSE(dir.Exists("Log.txt"));
}

// The text subsystem's part, played by a font that keeps one default-pool
// vertex buffer and notes what the hooks asked of it.
struct FakeFonts {
  std::vector<std::string> log;
  VertexBufferHandle vb;
  void Install(RenderDevice& rd) {
    rd.hooks.invalidateFontDeviceObjects = [this](GraphicsDevice& d) {
      log.push_back("invalidate");
      d.ReleaseVertexBuffer(vb);
      vb = {};
    };
    rd.hooks.createFontTextures = [this](GraphicsDevice&) { log.push_back("textures"); };
    rd.hooks.restoreFontDeviceObjects = [this](GraphicsDevice& d) {
      log.push_back("restore");
      d.CreateVertexBuffer(9600, Usage::Dynamic | Usage::WriteOnly, 0, Pool::Default, &vb);
    };
  }
};

TEST_F(RenderDeviceTest, OperationalDeviceGetsTheFrameStates) {
  ASSERT_TRUE(Create(GeneralSettings{}));
  dev->ClearCalls();
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::Ok);
  EXPECT_EQ(dev->Described(), (std::vector<std::string>{
                                  "TestCooperativeLevel()",
                                  "SetRenderState(ZEnable, 1)",
                                  "SetRenderState(Ambient, 0xFF7F7F7F)",
                                  "SetRenderState(Lighting, 1)",
                              }));
}

TEST_F(RenderDeviceTest, LostDeviceWaitsThenResetsAndRebuildsTheFonts) {
  ASSERT_TRUE(Create(GeneralSettings{}));
  FakeFonts fonts;
  fonts.Install(rd);
  rd.hooks.restoreFontDeviceObjects(*rd.device);  // start-up made the font buffer
  fonts.log.clear();
  TextureHandle managed;
  std::vector<uint8_t> texel(4, 255);
  ASSERT_EQ(rd.device->CreateTexture(1, 1, texel.data(), &managed), DeviceResult::Ok);

  dev->Lose();
  dev->ClearCalls();
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::DeviceLost);
  EXPECT_EQ(dev->Described(), std::vector<std::string>{"TestCooperativeLevel()"});
  EXPECT_TRUE(fonts.log.empty());
  // The frame goes on; its draws do nothing and Present reports the loss.
  EXPECT_EQ(rd.device->Present(), DeviceResult::DeviceLost);

  dev->AllowReset();
  dev->ClearCalls();
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::DeviceNotReset);
  EXPECT_EQ(fonts.log, (std::vector<std::string>{"invalidate", "textures", "restore"}));
  EXPECT_EQ(dev->resetCount, 1);
  // Release, reset, rebuild, then the frame states.
  std::vector<DeviceOp> ops;
  for (const auto& c : dev->calls) ops.push_back(c.op);
  EXPECT_EQ(ops, (std::vector<DeviceOp>{DeviceOp::TestCooperativeLevel, DeviceOp::ReleaseVertexBuffer,
                                        DeviceOp::Reset, DeviceOp::CreateVertexBuffer,
                                        DeviceOp::SetRenderState, DeviceOp::SetRenderState,
                                        DeviceOp::SetRenderState}));
  EXPECT_EQ(Describe(dev->calls[5]), "SetRenderState(Ambient, 0xFF7F7F7F)");
  EXPECT_EQ(rd.device->TestCooperativeLevel(), DeviceResult::Ok);
  // Managed resources survive; the font has its buffer again.
  int w = 0;
  EXPECT_EQ(rd.device->GetTextureSize(managed, &w, nullptr), DeviceResult::Ok);
  EXPECT_TRUE(fonts.vb);
  EXPECT_TRUE(messages.calls().empty());
}

TEST_F(RenderDeviceTest, RefusedResetShowsInvalidCallOncePerFrameAndRebuildsNothing) {
  ASSERT_TRUE(Create(GeneralSettings{}));
  // A font that forgets to release its default-pool buffer makes Reset refuse.
  VertexBufferHandle leaked;
  rd.device->CreateVertexBuffer(9600, Usage::Dynamic, 0, Pool::Default, &leaked);
  std::vector<std::string> log;
  rd.hooks.createFontTextures = [&](GraphicsDevice&) { log.push_back("textures"); };
  rd.hooks.restoreFontDeviceObjects = [&](GraphicsDevice&) { log.push_back("restore"); };
  dev->AllowReset();
  for (int frame = 0; frame < 2; ++frame) RestoreDeviceIfLost(rd);
  ASSERT_EQ(messages.calls().size(), 2u);
  EXPECT_EQ(messages.calls()[0].caption, "D3DERR_INVALIDCALL");
  EXPECT_EQ(messages.calls()[0].text, "");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(rd.device->TestCooperativeLevel(), DeviceResult::DeviceNotReset);
  // The frame states are set even so.
  EXPECT_EQ(rd.device->GetRenderState(RenderState::Ambient), kFrameAmbient);

  // Once the buffer is gone the next frame recovers.
  rd.device->ReleaseVertexBuffer(leaked);
  RestoreDeviceIfLost(rd);
  EXPECT_EQ(log, (std::vector<std::string>{"textures", "restore"}));
  EXPECT_EQ(messages.calls().size(), 2u);
}

TEST_F(RenderDeviceTest, OtherResetFailureRebuildsNothingAndShowsNothing) {
  ASSERT_TRUE(Create(GeneralSettings{}));
  int rebuilt = 0;
  rd.hooks.createFontTextures = [&](GraphicsDevice&) { ++rebuilt; };
  dev->refuseReset = DeviceResult::OutOfMemory;
  dev->AllowReset();
  RestoreDeviceIfLost(rd);
  EXPECT_EQ(rebuilt, 0);
  EXPECT_TRUE(messages.calls().empty());
  EXPECT_EQ(rd.device->TestCooperativeLevel(), DeviceResult::DeviceNotReset);
  dev->refuseReset = DeviceResult::Ok;
  RestoreDeviceIfLost(rd);
  EXPECT_EQ(rebuilt, 1);
}

TEST_F(RenderDeviceTest, WindowModeSwitchRefusedByFontBuffersRecoversNextFrame) {
  GeneralSettings s;
  s.antialiased = true;
  ASSERT_TRUE(Create(s));
  FakeFonts fonts;
  fonts.Install(rd);
  rd.hooks.restoreFontDeviceObjects(*rd.device);
  fonts.log.clear();
  // The switch resets without touching the fonts: refused while their buffer lives.
  EXPECT_EQ(ResetForWindowMode(rd, nullptr, true, 800, 600), DeviceResult::InvalidCall);
  EXPECT_EQ(rd.presentParameters.backBufferWidth, 800u);
  EXPECT_FALSE(rd.presentParameters.windowed);
  EXPECT_EQ(rd.presentParameters.multiSampleType, 2u);  // antialiasing kept
  RestoreDeviceIfLost(rd);
  EXPECT_EQ(fonts.log, (std::vector<std::string>{"invalidate", "textures", "restore"}));
  EXPECT_EQ(dev->presentParameters().backBufferWidth, 800u);
  EXPECT_FALSE(dev->presentParameters().windowed);
  EXPECT_TRUE(messages.calls().empty());
}

TEST_F(RenderDeviceTest, FrameBracketClearsDepthOnlyAndAlwaysPresents) {
  ASSERT_TRUE(Create(GeneralSettings{}));
  dev->ClearCalls();
  bool began = BeginFrame(rd, 0xFF000000);
  EXPECT_TRUE(began);
  EndFrame(rd, began);
  EXPECT_EQ(dev->Described(), (std::vector<std::string>{
                                  "Clear(2, 0xFF000000, 0x3F800000, 0)",
                                  "BeginScene()",
                                  "EndScene()",
                                  "Present()",
                              }));
  // A BeginScene that fails (here: a scene is already open) skips to Present.
  rd.device->BeginScene();
  dev->ClearCalls();
  began = BeginFrame(rd, 0xFFFFFFFF);
  EXPECT_FALSE(began);
  EndFrame(rd, began);
  EXPECT_EQ(dev->Described(), (std::vector<std::string>{
                                  "Clear(2, 0xFFFFFFFF, 0x3F800000, 0)",
                                  "BeginScene()",
                                  "Present()",
                              }));
}

}  // namespace
}  // namespace nb
