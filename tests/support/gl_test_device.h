#pragma once
// A real window and OpenGL device (Mesa's software renderer under Xvfb) for
// tests that read pixels back.
#include <memory>

#include "platform/gl_device.h"
#include "platform/window.h"

namespace nb::test {

// The one window of the test program, made on first use with the first
// size asked for; nullptr without a display.
PlatformWindow* SharedTestWindow(int width, int height);

// Presentation parameters of a width x height back buffer with a 24-bit depth buffer.
PresentParameters TestPresentParams(int width, int height, uint32_t samples = 0);

// An adapter and its device; the device goes first.
struct TestGlDevice {
  std::unique_ptr<GraphicsAdapter> adapter;
  std::unique_ptr<GraphicsDevice> owned;
  GlDevice* device = nullptr;  // owned, seen as the GL device
  void Release() {
    device = nullptr;
    owned.reset();
    adapter.reset();
  }
  ~TestGlDevice() { Release(); }
};

// A fresh adapter and device on the shared window; false without a display.
bool MakeTestGlDevice(TestGlDevice& out, int width, int height);

}  // namespace nb::test
