#pragma once
// The graphics device on OpenGL 2.1 (compatibility profile, fixed function)
// through SDL. Drawing goes into an off-screen frame buffer of the chosen
// depth format and sample count; Present copies it to the window, scaled to
// fit with black bars when the window has another size.
//
// Mapping of the Direct3D-style states onto OpenGL:
// - row-vector matrices load unchanged with glLoadMatrixf; Z is mirrored
//   between view and projection so eye space is right-handed (OpenGL's
//   sphere-map generation assumes it), and clip depth maps from [0, w] to
//   [-w, w] by z' = 2z - w;
// - counter-clockwise culling is glFrontFace(GL_CW) with back faces culled;
// - a two-component texture transform keeps its translation in the third
//   row, OpenGL wants it in the fourth;
// - pixel-space vertices use an orthographic projection shifted by half a
//   pixel, so a vertex at (0, 0) lies on the centre of the top-left pixel
//   as Direct3D 9 places it.
#include <memory>
#include <string>
#include <vector>

#include "platform/device_base.h"

namespace nb {

struct GlContext;  // the SDL OpenGL context, shared by the adapter and its devices
struct GlDeviceImpl;

// Makes the OpenGL context for the window (created with SDL_WINDOW_OPENGL) and
// answers format questions. nullptr when no context can be made.
std::unique_ptr<GraphicsAdapter> CreateGlAdapter(PlatformWindow* window);

class GlDevice : public DeviceBase {
 public:
  // Use GlAdapter::CreateDevice; nullptr when the frame buffer cannot be made.
  static std::unique_ptr<GlDevice> Create(std::shared_ptr<GlContext> context, DeviceType type,
                                          const PresentParameters& params);
  ~GlDevice() override;

  void BackBufferSize(int* width, int* height) const override;

  // The back buffer as ARGB words (alpha forced to 0xFF as the X8R8G8B8 back
  // buffer has none), rows from the top, in the device's pixel coordinates.
  // Reads what was drawn so far, before or after Present. Out-of-range parts
  // read as 0.
  std::vector<uint32_t> ReadPixels(int x, int y, int width, int height);
  uint32_t ReadPixel(int x, int y);
  // The window as Present shows the frame drawn so far (bars included), rows
  // from the top in window pixels; empty when the rectangle leaves the window.
  std::vector<uint32_t> ReadWindowPixels(int x, int y, int width, int height);

  // Facts about the context, for the log and tests.
  int depthBits() const { return depthBits_; }
  int samples() const { return samples_; }
  bool rangeFogSupported() const;

 protected:
  bool CreateTextureObject(uint32_t id, const std::vector<MipLevel>& chain) override;
  bool CompleteTextureObject(uint32_t id) override;
  void ReleaseTextureObject(uint32_t id) override;
  void DrawChecked(const CheckedDraw& draw) override;
  void ClearTargets(uint32_t flags, uint32_t color, float z) override;
  DeviceResult PresentFrame() override;
  DeviceResult ResetTargets(const PresentParameters& params) override;
  void ReleaseBufferObject(uint32_t id) override;

 private:
  GlDevice(std::shared_ptr<GlContext> context, const PresentParameters& params);
  bool MakeTargets(const PresentParameters& params);
  void DestroyTargets();
  void BindFramebuffer();
  // Binds the frame drawn so far (resolved when multisampled) as the read buffer.
  void BindFinishedFrameForReading();
  // Copies that frame into the window's back buffer: as it is when the sizes
  // match, else scaled to fit between black bars.
  void ComposeWindow(int winW, int winH);
  // Moves a picture drawn straight into the window to targets of its own.
  void LeaveWindow();

  std::shared_ptr<GlContext> context_;
  std::unique_ptr<GlDeviceImpl> impl_;
  DeviceType type_ = DeviceType::Hal;
  int width_ = 0, height_ = 0;
  int depthBits_ = 0;
  int samples_ = 0;
};

}  // namespace nb
