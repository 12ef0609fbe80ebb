#include "core/frame_timing.h"

namespace nb {

bool FrameDue(const FramePacer& pacer, uint32_t nowMs) {
  return nowMs - pacer.lastFrameMs > kFrameIntervalMs;
}

int MsUntilFrameDue(const FramePacer& pacer, uint32_t nowMs) {
  uint32_t elapsed = nowMs - pacer.lastFrameMs;
  if (elapsed > kFrameIntervalMs) return 0;
  return static_cast<int>(kFrameIntervalMs + 1 - elapsed);
}

float MeasureFps(FpsMeter& meter, uint32_t nowMs) {
  ++meter.frames;
  float t = static_cast<float>(static_cast<double>(nowMs) * 0.001);
  if (t - meter.lastMeasureSeconds > 1.0f) {
    meter.fps = static_cast<float>(meter.frames) / (t - meter.lastMeasureSeconds);
    meter.frames = 0;
    meter.lastMeasureSeconds = t;
  }
  return meter.fps;
}

}  // namespace nb
