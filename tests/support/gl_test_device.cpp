#include "support/gl_test_device.h"

namespace nb::test {

PlatformWindow* SharedTestWindow(int width, int height) {
  // Without a depth buffer of its own: the device draws into its own targets,
  // as full screen and antialiasing do (the game's windowed picture, drawn
  // straight into the window, is what the scene tests see).
  static PlatformWindow* window =
      InitPlatform() ? CreateGameWindow("test", width, height, false, false) : nullptr;
  return window;
}

PresentParameters TestPresentParams(int width, int height, uint32_t samples) {
  PresentParameters p;
  p.backBufferWidth = static_cast<uint32_t>(width);
  p.backBufferHeight = static_cast<uint32_t>(height);
  p.backBufferFormat = Format::X8R8G8B8;
  p.windowed = p.enableAutoDepthStencil = true;
  p.autoDepthStencilFormat = Format::D24X8;
  p.multiSampleType = samples;
  return p;
}

bool MakeTestGlDevice(TestGlDevice& out, int width, int height) {
  PlatformWindow* window = SharedTestWindow(width, height);
  out.adapter = window ? CreateGlAdapter(window) : nullptr;
  if (!out.adapter) return false;
  out.owned = out.adapter->CreateDevice(DeviceType::Hal, TestPresentParams(width, height));
  out.device = dynamic_cast<GlDevice*>(out.owned.get());
  return out.device != nullptr;
}

}  // namespace nb::test
