#pragma once
#include <cstdint>

namespace nb {

// The one movable brick that may be sliding; slide and target positions are
// world units along the row axis (X) and the column axis (Z).
struct SlidingBrick {
  bool sliding = false;
  float rowPos = 0;
  float colPos = 0;
  float targetRowPos = 0;
  float targetColPos = 0;
  int32_t targetRow = 0;
  int32_t targetCol = 0;
};

// Overlay screens whose fade levels the play screen keeps.
enum OverlayFade : int {
  FadeOptions = 0,    // GameState 10
  FadePause = 1,      // 11
  FadeGameOver = 2,   // 12
  FadeTimeUp = 3,     // 14
  FadeCompleted = 4,  // 16
  FadeHelp = 5,       // 18
  kOverlayFades = 6,
};

// The per-level play values of the world step and the play screen.
struct LevelPlayState {
  // World step.
  bool levelWon = false;
  int32_t stepsSinceStone = 1000;  // never reset by level setup
  int32_t speedTimer = 0;          // seconds of speed bonus left; negative: none
  int32_t gatesOpen = 0;           // 0 or 1
  bool gatesLowering = false;
  bool gatesRising = false;
  SlidingBrick slide;

  // Play screen.
  int32_t introFrames = 0;
  // Milliseconds of play-screen updates since the level clock last counted a
  // second: it counts the first at once when the ball starts rolling.
  int32_t msSinceSecond = 1 << 30;
  uint8_t bonusSeconds = 0;  // not cleared
  bool warned = false;
  bool startSoundPlayed = false;
  int32_t introPhase = 0;
  uint8_t introCounter = 0;
  uint8_t promptAlpha = 0;  // not cleared
  uint8_t tallyCounter = 0;
  uint32_t tallyFade = 0;
  uint8_t timePulse = 0;           // not cleared
  uint8_t cursorSparkle = 0;       // not cleared
  int32_t fades[kOverlayFades]{};  // that of the help screen is not cleared
};

}  // namespace nb
