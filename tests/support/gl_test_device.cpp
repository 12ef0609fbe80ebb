#include "support/gl_test_device.h"

namespace nb::test {

PlatformWindow* SharedTestWindow(int width, int height) {
  static PlatformWindow* window = InitPlatform() ? CreateGameWindow("test", width, height, false) : nullptr;
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
