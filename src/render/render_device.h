#pragma once
// The one graphics device of the game: its creation from the General
// settings, the per-frame check for a lost device with reset and recovery of
// the fonts' device objects, and the bracket every frame puts around its
// drawing.
#include <functional>
#include <memory>

#include "platform/graphics_device.h"

namespace nb {

struct GeneralSettings;

// What the text subsystem does around a device reset. Each hook handles all
// fonts in their fixed order (large, small, extra large). Empty hooks are
// skipped.
struct DeviceResetHooks {
  // Before the reset: release the fonts' vertex buffers and state blocks.
  std::function<void(GraphicsDevice&)> invalidateFontDeviceObjects;
  // After a successful reset: bind the fonts to the device and load their pages again.
  std::function<void(GraphicsDevice&)> createFontTextures;
  // Then: make the vertex buffers and state blocks again.
  std::function<void(GraphicsDevice&)> restoreFontDeviceObjects;
};

struct RenderDevice {
  std::unique_ptr<GraphicsAdapter> adapter;  // released after the device
  std::unique_ptr<GraphicsDevice> device;
  PresentParameters presentParameters;  // passed unchanged to every reset
  DeviceResetHooks hooks;
};

// Ambient light right after creation, and at the start of every frame.
constexpr uint32_t kCreationAmbient = 0xFFE5E5E5;
constexpr uint32_t kFrameAmbient = 0xFF7F7F7F;

// The first depth format of the given width that the adapter accepts for
// `format`: 16 bits tries D16Lockable, D15S1, D16; 32 bits tries D32, D24S8,
// D24X8, D24X4S4; any other width has none. D32 when nothing passes.
Format PickDepthFormat(GraphicsAdapter& adapter, Format format, int bits);

// Fills the presentation parameters from zero for a window or full screen
// of the given size: immediate presentation, X8R8G8B8, automatic depth
// buffer of PickDepthFormat(X8R8G8B8, 32), discard; the back buffer has the
// given size in both modes (Present scales it to the window). Multisampling
// is left off (creation adds it).
void FillPresentParameters(PresentParameters& params, GraphicsAdapter& adapter, PlatformWindow* window,
                           bool fullscreen, int width, int height);

// Creates the device for the window from the settings (fullscreen,
// ANTIALIASED, WIDTH, HEIGHT) on an OpenGL adapter. On failure shows "Can't
// create Direct3D9 device!" (no adapter) or logs "Can't create render
// device!" (no device) and returns false.
bool CreateRenderDevice(RenderDevice& rd, const GeneralSettings& settings, PlatformWindow* window);
// The same on a given adapter (nullptr stands for one that could not be made).
bool CreateRenderDevice(RenderDevice& rd, const GeneralSettings& settings, PlatformWindow* window,
                        std::unique_ptr<GraphicsAdapter> adapter);

// First thing in every frame: recovers a device that was lost and is ready
// to be reset (fonts released, reset, fonts rebuilt; a reset refused with
// InvalidCall shows an empty "D3DERR_INVALIDCALL" box), then sets ZEnable,
// the frame ambient and Lighting. Returns what TestCooperativeLevel said.
DeviceResult RestoreDeviceIfLost(RenderDevice& rd);

// The window-mode switch: parameters filled again for the new mode and the
// device reset with them. A refused reset is recovered by the next frame's
// RestoreDeviceIfLost.
DeviceResult ResetForWindowMode(RenderDevice& rd, PlatformWindow* window, bool fullscreen, int width,
                                int height);

// Frame bracket. BeginFrame clears the depth buffer (the colour argument has
// no effect with that flag) and begins the scene; it returns false when
// BeginScene failed, and the frame then skips its drawing. EndFrame ends the
// scene when it began and always presents.
bool BeginFrame(const RenderDevice& rd, uint32_t clearColor);
void EndFrame(const RenderDevice& rd, bool sceneBegun);

// Releases the device, then the adapter.
void ReleaseRenderDevice(RenderDevice& rd);

}  // namespace nb
