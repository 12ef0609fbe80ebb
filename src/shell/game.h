#pragma once
#include <cstdint>
#include <memory>

#include "persistence/level_stats.h"
#include "persistence/records.h"
#include "shell/frame_timing.h"
#include "shell/general_settings.h"
#include "shell/random.h"
#include "shell/screen_state.h"

namespace nb {

struct PlatformWindow;

// Everything the running game knows, owned in one place. Frame functions and
// input handlers receive it; a test builds a fresh one.
struct Game {
  GeneralSettings settings;
  int32_t levelCount = 0;
  ScreenState screen;

  PlatformWindow* window = nullptr;
  uint32_t startTimeMs = 0;  // taken just before the main loop
  FramePacer pacer;
  FpsMeter fpsMeter;
  float currentFps = 0;
  bool quitRequested = false;

  Rng rng;
  ProfileTable profiles;
  RecordsTable records;
  bool recordsLoaded = false;  // records are saved at exit only after a load
  LevelStats stats;
};

}  // namespace nb
