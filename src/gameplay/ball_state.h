#pragma once
#include <cstdint>

#include "core/matrix.h"

namespace nb {

constexpr int32_t kBaseSpeed = 5;  // world units per step
constexpr int32_t kFastSpeed = 10;
constexpr int32_t kSlowSpeed = 2;
constexpr int32_t kRollingHeight = 12;

// The ball. Positions are whole world units: cell column c is centred at
// colPos 50c (world Z), row r at rowPos 50r (world X).
struct BallState {
  int32_t colPos = 0;
  int32_t rowPos = 0;
  int32_t height = kRollingHeight;
  int32_t dCol = 0;  // -1, 0 or +1
  int32_t dRow = 1;
  int32_t speed = kBaseSpeed;
  bool moving = false;   // rolls (set by the first click)
  bool falling = false;  // drops into a hole
  bool ready = false;    // waits at the start for the click
  float rollA = 0;       // rolling increments of the last moving step
  float rollB = 0;
  Matrix orientation;  // accumulated rolling rotation
  Matrix world;        // read by the ball's drawing pass
  uint8_t trailCounter = 0;
};

}  // namespace nb
