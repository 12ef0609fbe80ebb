#pragma once
#include <cstdint>

namespace nb {

// A frame runs only when strictly more than this many milliseconds have passed.
constexpr uint32_t kFrameIntervalMs = 15;

struct FramePacer {
  uint32_t lastFrameMs = 0;
};

// True when a frame may run at timer reading now (wrap-around safe).
bool FrameDue(const FramePacer& pacer, uint32_t nowMs);
// Milliseconds to sleep before the next frame is due (0 when due).
int MsUntilFrameDue(const FramePacer& pacer, uint32_t nowMs);

// The frame-rate meter: the average over the last interval longer than 1 s.
struct FpsMeter {
  int32_t frames = 0;
  float lastMeasureSeconds = 0;
  float fps = 0;
};

float MeasureFps(FpsMeter& meter, uint32_t nowMs);

}  // namespace nb
