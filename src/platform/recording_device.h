#pragma once
// A device that draws nothing and remembers everything: every call with its
// arguments, the current states, buffers in memory (locks work), and a
// lost-device cycle that tests drive by hand. Used to check the exact state
// sequences of the drawing passes, next to the real OpenGL device.
#include <vector>

#include "platform/device_base.h"

namespace nb {

class RecordingDevice : public DeviceBase {
 public:
  explicit RecordingDevice(const PresentParameters& params = DefaultParams());
  static PresentParameters DefaultParams();  // 800 x 600 windowed, depth D24X8

  std::vector<RecordedCall> calls;
  void ClearCalls() { calls.clear(); }
  // The calls as text, one Describe() each, optionally only those of one op.
  std::vector<std::string> Described() const;
  std::vector<std::string> Described(DeviceOp only) const;
  size_t CountOf(DeviceOp op) const;

  // What the draws would have read (for checking the vertices a pass wrote).
  struct Draw {
    bool indexed = false;
    uint32_t fvf = 0;
    std::vector<uint8_t> vertexBytes;  // the vertices from firstVertex on
    uint32_t firstVertex = 0;
    uint32_t vertexCount = 0;
    uint32_t indexCount = 0;
    TextureHandle texture;
    DeviceStates states;  // the states the draw ran with
  };
  std::vector<Draw> draws;

  // Lost-device simulation: Lose() makes the device report lost; AllowReset()
  // moves it to not-reset. refuseReset makes Reset fail with that result
  // (e.g. InvalidCall) while it is not Ok.
  void Lose() { cooperative_ = Cooperative::Lost; }
  void AllowReset() { cooperative_ = Cooperative::NotReset; }
  DeviceResult refuseReset = DeviceResult::Ok;
  int presentCount = 0;
  int resetCount = 0;  // successful resets

  void BackBufferSize(int* width, int* height) const override;

 protected:
  void Note(const RecordedCall& call) override { calls.push_back(call); }
  bool CreateTextureObject(uint32_t, const std::vector<MipLevel>&) override { return true; }
  bool CompleteTextureObject(uint32_t) override { return true; }
  void ReleaseTextureObject(uint32_t) override {}
  void DrawChecked(const CheckedDraw& draw) override;
  void ClearTargets(uint32_t, uint32_t, float) override {}
  DeviceResult PresentFrame() override;
  DeviceResult ResetTargets(const PresentParameters& params) override;
};

// An adapter for tests of device creation: which depth formats and sample
// counts it accepts and which device types it can create.
class RecordingAdapter : public GraphicsAdapter {
 public:
  std::vector<Format> depthFormats{Format::D24X8, Format::D16};
  std::vector<uint32_t> sampleCounts{2};
  bool halWorks = true;
  bool refWorks = true;

  struct Check {
    Format adapterFormat;
    Format depthFormat;
  };
  std::vector<Check> depthChecks;  // every CheckDepthFormat, in order
  std::vector<uint32_t> multiSampleChecks;
  std::vector<DeviceType> createAttempts;
  RecordingDevice* lastDevice = nullptr;  // owned by the caller of CreateDevice

  bool CheckDepthFormat(Format adapterFormat, Format depthFormat) override;
  bool CheckMultiSample(Format format, uint32_t samples) override;
  std::unique_ptr<GraphicsDevice> CreateDevice(DeviceType type, const PresentParameters& params) override;
};

}  // namespace nb
