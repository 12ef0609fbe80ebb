#pragma once
// A level played outside the profile's run (practice, or watching a replay)
// and the recording of the attempt in progress.
#include <cstddef>
#include <cstdint>

#include "core/screen_state.h"
#include "persistence/records.h"
#include "persistence/replay_file.h"

namespace nb {

enum class RunKind : int32_t {
  Game,      // the profile's own run: its level, score and lives
  Practice,  // one level alone: the mode's time, 1 life, 0 points
  Watch,     // a stored replay played back
};

struct LevelRun {
  RunKind kind = RunKind::Game;
  ProfileTable alone;  // practice and watch: the one profile the rules see
  int32_t level = 0;   // practice and watch: the level played
  uint32_t tick = 0;   // play-screen updates since the level started
  Replay recording;    // the attempt so far (game and practice)
  GameState lastScreen = GameState::Playing;
  bool winCounted = false;  // the bests and the replay were taken at the win
  Replay watched;           // watch: the run played back
  size_t nextEvent = 0;     // watch: the first input not yet given
  bool saveFailureShown = false;
};

}  // namespace nb
