#include "gameplay/element_animations.h"

namespace nb {

void StartReflectorPhase(GridCell& cell, ReflectorPhase phase) {
  cell.state = phase;
  cell.value = kReflectorSegments[phase].start;
}

void AdvanceReflectorAnimation(GridCell& cell) {
  if (cell.kind != ReflectorAnti && cell.kind != ReflectorMain) return;
  if (cell.state < ReflectorAppearingAnti || cell.state > ReflectorVanishingMain) return;
  const int32_t end = kReflectorSegments[cell.state].end;
  const int32_t endKind = kReflectorSegments[cell.state].endKind;
  if (cell.value < end) {
    cell.value += 2;
    if (cell.value > end) cell.value = end;
  }
  if (cell.value < end || endKind < 0) return;
  cell.kind = endKind;
  if (endKind == Floor) {
    cell.state = 0;
    cell.value = 0;
    cell.count = 0;
  }
}

void AdvanceGate(GridCell& cell, LevelPlayState& play) {
  if (cell.kind != Gate) return;
  if (play.gatesLowering) {
    cell.value += 1;
    if (cell.value > 20) {
      cell.value = 20;
      play.gatesLowering = false;
      play.gatesOpen = 1;
    }
  }
  if (play.gatesRising) {
    cell.value -= 1;
    if (cell.value < 0) {
      cell.value = 0;
      play.gatesRising = false;
      play.gatesOpen = 0;
    }
  }
}

void AdvanceBonusDescent(GridCell& cell) {
  if (cell.kind == Bonus && cell.value > 0) cell.value -= 5;
}

void AdvanceElementAnimations(LevelRecord& level, LevelPlayState& play) {
  const int rows = level.rows < kGridSize ? level.rows : kGridSize;
  const int cols = level.cols < kGridSize ? level.cols : kGridSize;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) AdvanceGate(level.cells[r][c], play);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) AdvanceReflectorAnimation(level.cells[r][c]);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) AdvanceBonusDescent(level.cells[r][c]);
}

}  // namespace nb
