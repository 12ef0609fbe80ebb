#pragma once
#include <optional>
#include <string>

#include "gameplay/level_record.h"

namespace nb {

// Why a grid cannot be played as drawn: the cell at fault (-1, -1 when the
// fault belongs to the whole grid) and the reason.
struct LevelFault {
  int row = -1;
  int col = -1;
  std::string reason;
};

// True for the cells the ball can roll on and stand on: all but walls and void.
inline bool Rollable(int32_t kind) { return kind != Wall && kind != Void; }

// The used rectangle of a grid: cell (r, c) is cells[r * stride + c].
struct GridView {
  int rows = 0;
  int cols = 0;
  int stride = 0;
  const GridCell* cells = nullptr;
  const GridCell& At(int r, int c) const { return cells[static_cast<size_t>(r) * stride + c]; }
  bool Inside(int r, int c) const { return r >= 0 && c >= 0 && r < rows && c < cols; }
};

inline GridView ViewOf(const LevelRecord& level) {
  return {level.rows, level.cols, kGridSize, &level.cells[0][0]};
}

// The rules every level obeys, the same for the level compiler and the
// loader: sizes within 1..128, known elements only, exactly one start, at
// least one stone, gates only with a switch, nothing rollable next to the
// void or the grid's edge, and every teleport leading to a cell the ball can
// stand on (with two or more teleports level setup links them to each other;
// a lone one keeps the target its file names). Nothing when the grid is
// playable.
std::optional<LevelFault> FindLevelFault(const GridView& grid);

}  // namespace nb
