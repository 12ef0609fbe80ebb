#include "platform/recording_device.h"

#include <algorithm>

namespace nb {

PresentParameters RecordingDevice::DefaultParams() {
  PresentParameters p;
  p.backBufferWidth = 800;
  p.backBufferHeight = 600;
  p.backBufferFormat = Format::X8R8G8B8;
  p.windowed = true;
  p.enableAutoDepthStencil = true;
  p.autoDepthStencilFormat = Format::D24X8;
  return p;
}

RecordingDevice::RecordingDevice(const PresentParameters& params) : DeviceBase(params) {}

std::vector<std::string> RecordingDevice::Described() const {
  std::vector<std::string> out;
  for (const auto& c : calls) out.push_back(Describe(c));
  return out;
}

std::vector<std::string> RecordingDevice::Described(DeviceOp only) const {
  std::vector<std::string> out;
  for (const auto& c : calls)
    if (c.op == only) out.push_back(Describe(c));
  return out;
}

size_t RecordingDevice::CountOf(DeviceOp op) const {
  return static_cast<size_t>(
      std::count_if(calls.begin(), calls.end(), [op](const RecordedCall& c) { return c.op == op; }));
}

void RecordingDevice::BackBufferSize(int* width, int* height) const {
  if (width) *width = static_cast<int>(params_.backBufferWidth);
  if (height) *height = static_cast<int>(params_.backBufferHeight);
}

void RecordingDevice::DrawChecked(const CheckedDraw& d) {
  Draw draw;
  draw.indexed = d.indices != nullptr;
  draw.fvf = d.fvf;
  draw.firstVertex = d.firstVertex;
  draw.vertexCount = d.vertexCount;
  draw.indexCount = d.indexCount;
  const uint8_t* from = d.vertices + static_cast<size_t>(d.firstVertex) * d.stride;
  draw.vertexBytes.assign(from, from + static_cast<size_t>(d.vertexCount) * d.stride);
  draw.texture = states_.texture;
  draw.states = states_;
  draws.push_back(std::move(draw));
}

DeviceResult RecordingDevice::PresentFrame() {
  ++presentCount;
  return DeviceResult::Ok;
}

DeviceResult RecordingDevice::ResetTargets(const PresentParameters&) {
  if (refuseReset != DeviceResult::Ok) return refuseReset;
  ++resetCount;
  return DeviceResult::Ok;
}

bool RecordingAdapter::CheckDepthFormat(Format adapterFormat, Format depthFormat) {
  depthChecks.push_back({adapterFormat, depthFormat});
  return std::find(depthFormats.begin(), depthFormats.end(), depthFormat) != depthFormats.end();
}

bool RecordingAdapter::CheckMultiSample(Format, uint32_t samples) {
  multiSampleChecks.push_back(samples);
  return std::find(sampleCounts.begin(), sampleCounts.end(), samples) != sampleCounts.end();
}

std::unique_ptr<GraphicsDevice> RecordingAdapter::CreateDevice(DeviceType type,
                                                               const PresentParameters& params) {
  createAttempts.push_back(type);
  if ((type == DeviceType::Hal && !halWorks) || (type == DeviceType::Ref && !refWorks)) return nullptr;
  auto device = std::make_unique<RecordingDevice>(params);
  lastDevice = device.get();
  return device;
}

}  // namespace nb
