#include "render/render_device.h"

#include "core/general_settings.h"
#include "core/log.h"
#include "platform/gl_device.h"
#include "platform/message_box.h"

namespace nb {

Format PickDepthFormat(GraphicsAdapter& adapter, Format format, int bits) {
  static const Format k16[] = {Format::D16Lockable, Format::D15S1, Format::D16};
  static const Format k32[] = {Format::D32, Format::D24S8, Format::D24X8, Format::D24X4S4};
  const Format* begin = nullptr;
  const Format* end = nullptr;
  if (bits == 16) {
    begin = std::begin(k16);
    end = std::end(k16);
  } else if (bits == 32) {
    begin = std::begin(k32);
    end = std::end(k32);
  }
  for (const Format* f = begin; f != end; ++f)
    if (adapter.CheckDepthFormat(format, *f)) return *f;
  return Format::D32;
}

void FillPresentParameters(PresentParameters& params, GraphicsAdapter& adapter, PlatformWindow* window,
                           bool fullscreen, int width, int height) {
  params = PresentParameters{};
  params.presentImmediate = true;
  params.fullScreenRefreshRate = 0;
  // The picture is drawn at the settings' size in either mode; Present
  // scales it to the window.
  params.backBufferWidth = static_cast<uint32_t>(width > 0 ? width : 0);
  params.backBufferHeight = static_cast<uint32_t>(height > 0 ? height : 0);
  if (fullscreen) params.backBufferCount = 1;
  params.deviceWindow = window;
  params.backBufferFormat = Format::X8R8G8B8;
  params.enableAutoDepthStencil = true;
  params.autoDepthStencilFormat = PickDepthFormat(adapter, Format::X8R8G8B8, 32);
  params.swapEffect = 1;
  params.windowed = !fullscreen;
}

namespace {

void SetFrameStates(GraphicsDevice& device, uint32_t ambient) {
  device.SetRenderState(RenderState::ZEnable, true);
  device.SetRenderState(RenderState::Ambient, ambient);
  device.SetRenderState(RenderState::Lighting, true);
}

}  // namespace

bool CreateRenderDevice(RenderDevice& rd, const GeneralSettings& settings, PlatformWindow* window) {
  return CreateRenderDevice(rd, settings, window, CreateGlAdapter(window));
}

bool CreateRenderDevice(RenderDevice& rd, const GeneralSettings& settings, PlatformWindow* window,
                        std::unique_ptr<GraphicsAdapter> adapter) {
  rd.device.reset();
  rd.adapter = std::move(adapter);
  if (!rd.adapter) {
    ShowMessageBox("Can't create Direct3D9 device!", "ERROR", MessageIcon::Exclamation);
    return false;
  }
  FillPresentParameters(rd.presentParameters, *rd.adapter, window, settings.fullscreen, settings.width,
                        settings.height);
  // The check is made for full-screen use even when the game runs windowed.
  if (settings.antialiased && rd.adapter->CheckMultiSample(Format::X8R8G8B8, 2)) {
    rd.presentParameters.multiSampleType = 2;
    rd.presentParameters.multiSampleQuality = 0;
  }
  rd.device = rd.adapter->CreateDevice(DeviceType::Hal, rd.presentParameters);
  if (!rd.device) rd.device = rd.adapter->CreateDevice(DeviceType::Ref, rd.presentParameters);
  if (!rd.device) {
    LogPrintf("Can't create render device!");
    return false;
  }
  SetFrameStates(*rd.device, kCreationAmbient);
  return true;
}

DeviceResult RestoreDeviceIfLost(RenderDevice& rd) {
  if (!rd.device) return DeviceResult::InvalidCall;
  GraphicsDevice& device = *rd.device;
  DeviceResult level = device.TestCooperativeLevel();
  if (level == DeviceResult::DeviceLost) return level;
  if (level == DeviceResult::DeviceNotReset) {
    if (rd.hooks.invalidateFontDeviceObjects) rd.hooks.invalidateFontDeviceObjects(device);
    DeviceResult reset = device.Reset(rd.presentParameters);
    if (reset == DeviceResult::InvalidCall) {
      ShowMessageBox("", "D3DERR_INVALIDCALL", MessageIcon::None);
    } else if (Succeeded(reset)) {
      if (rd.hooks.createFontTextures) rd.hooks.createFontTextures(device);
      if (rd.hooks.restoreFontDeviceObjects) rd.hooks.restoreFontDeviceObjects(device);
    }
  }
  SetFrameStates(device, kFrameAmbient);
  return level;
}

DeviceResult ResetForWindowMode(RenderDevice& rd, PlatformWindow* window, bool fullscreen, int width,
                                int height) {
  if (!rd.device || !rd.adapter) return DeviceResult::InvalidCall;
  uint32_t samples = rd.presentParameters.multiSampleType;
  FillPresentParameters(rd.presentParameters, *rd.adapter, window, fullscreen, width, height);
  // Multisampling chosen at creation stays.
  rd.presentParameters.multiSampleType = samples;
  return rd.device->Reset(rd.presentParameters);
}

bool BeginFrame(const RenderDevice& rd, uint32_t clearColor) {
  if (!rd.device) return false;
  rd.device->Clear(ClearFlags::ZBuffer, clearColor, 1.0f, 0);
  return Succeeded(rd.device->BeginScene());
}

void EndFrame(const RenderDevice& rd, bool sceneBegun) {
  if (!rd.device) return;
  if (sceneBegun) rd.device->EndScene();
  rd.device->Present();
}

void ReleaseRenderDevice(RenderDevice& rd) {
  rd.device.reset();
  rd.adapter.reset();
}

}  // namespace nb
