#pragma once
#include <cstdint>

#include "core/matrix.h"

namespace nb {

// The element in a cell of the playfield grid.
enum ElementKind : int32_t {
  Floor = 0,
  Wall = 1,
  Gate = 2,
  Switch = 3,
  UnusedKind4 = 4,
  ReflectorAnti = 5,  // (dRow, dCol) becomes (-dCol, -dRow)
  ReflectorMain = 6,  // (dRow, dCol) becomes (dCol, dRow)
  Stone = 7,
  Bonus = 8,
  Hole = 9,
  Start = 10,
  Void = 11,
  Brick = 12,
  Valve = 13,
  Teleport = 14,
  MovableBrick = 15,
};

// Valve open directions (state of a Valve cell).
enum ValveDirection : int32_t {
  ValveTowardsHigherCols = 1,
  ValveTowardsHigherRows = 2,
  ValveTowardsLowerCols = 3,
  ValveTowardsLowerRows = 4,
};

// Bonus kinds (state of a Bonus cell).
enum BonusKind : int32_t {
  BonusRandom = 1,
  BonusTime = 2,
  BonusSpeed = 3,
  BonusTurnAround = 4,
  BonusLife = 5,
};

// The animation phase of a Reflector cell (its state); its value runs along
// the Reflector's animation track through the phase's segment.
enum ReflectorPhase : int32_t {
  ReflectorAppearingAnti = 1,
  ReflectorAppearingMain = 2,
  ReflectorTurningToMain = 3,
  ReflectorVanishingAnti = 4,
  ReflectorTurningToAnti = 5,
  ReflectorVanishingMain = 6,
};

struct GridCell {
  int32_t kind = Floor;
  int32_t state = 0;
  int32_t value = 0;
  int32_t count = 0;
};

constexpr int kGridSize = 128;  // the grid's bound in both directions
constexpr int kCellSize = 50;   // world units; cell (r, c) is centred at (50r, 0, 50c)

// The one level in play. Cells outside rows x cols keep what an earlier
// level left in them.
struct LevelRecord {
  int32_t timeLimit = 0;
  int32_t rows = 0;
  int32_t cols = 0;
  int32_t trailer = 0;
  GridCell cells[kGridSize][kGridSize]{};

  // Derived by level setup.
  int32_t levelVertexCount = 0;  // vertices of the merged walls and floor
  Vec3 homeEye{};                // the camera's home view over the grid
  Vec3 homeTarget{};
  int32_t startCol = 0;  // world units: 50 x the start cell's column
  int32_t startRow = 0;  // world units: 50 x the start cell's row
  int32_t switchesTotal = 0;
  int32_t switchesOn = 0;
  int32_t stonesLeft = 0;
};

// True when (row, col) lies inside the used rectangle of the level.
inline bool InsideGrid(const LevelRecord& level, int row, int col) {
  return row >= 0 && col >= 0 && row < level.rows && col < level.cols && row < kGridSize && col < kGridSize;
}

}  // namespace nb
